#include "CompareFiles.h"

#include "presenters/CompareModels.h"
#include "presenters/ComparePainter.h"
#include "support/Error.h"
#include "support/NumberText.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace wb {

namespace {
    using lrv::figureText;
    using lrv::pValueText;

    // JSON has no NaN: an estimate that cannot be made is null.
    nlohmann::json number(double value) { return std::isfinite(value) ? nlohmann::json(value) : nlohmann::json(); }

    nlohmann::json interval(const engine::Interval95& i) { return { number(i.low), number(i.high) }; }

    QByteArray comparisonJson(const ModelComparison& c)
    {
        nlohmann::json models = nlohmann::json::array();
        for (const ComparedModel& m : c.models) {
            const engine::Uncertainty& u = m.uncertainty;
            models.push_back({ { "id", m.id }, { "name", m.name.toStdString() }, { "auc", number(u.auc.auc) },
                { "aucCi95", interval(u.auc.ci95) }, { "gini", number(u.gini) }, { "ks", number(u.ks) },
                { "ksCutoff", number(u.ksCutoff) }, { "brier", number(u.brier) }, { "logLoss", number(u.logLoss) },
                { "probabilities",
                    u.probabilitySource == engine::ProbabilitySource::Outputs ? "outputs" : "logistic fit" },
                { "hosmerLemeshowP", number(u.hosmerLemeshow.p) }, { "youdenCutoff", number(m.youdenCutoff) },
                { "accuracy", number(m.accuracy) }, { "errors", m.errors } });
        }
        nlohmann::json pairs = nlohmann::json::array();
        for (const ComparedPair& p : c.pairs)
            pairs.push_back(
                { { "a", c.models[p.a].id }, { "b", c.models[p.b].id }, { "difference", number(p.test.difference) },
                    { "ci95", interval(p.test.ci95) }, { "p", number(p.test.p) } });
        const nlohmann::json document
            = { { "dataset", c.dataSetName.toStdString() }, { "records", c.records }, { "compared", c.compared },
                  { "leftOut", c.leftOut() }, { "buckets", c.buckets }, { "models", models }, { "pairs", pairs } };
        return QByteArray::fromStdString(document.dump(2) + "\n");
    }

    QByteArray comparisonSvg(const ModelComparison& c)
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(comparisonChartSize());
        generator.setViewBox(QRect(QPoint(0, 0), comparisonChartSize()));
        generator.setTitle(QStringLiteral("Models compared"));
        QPainter painter(&generator);
        paintComparison(painter, c);
        painter.end();
        return buffer.data();
    }

    QByteArray comparisonPng(const ModelComparison& c)
    {
        QImage image(comparisonChartSize(), QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        paintComparison(painter, c);
        painter.end();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return buffer.data();
    }

    QString ciText(const engine::Interval95& i, int decimals)
    {
        return QStringLiteral("%1 to %2").arg(figureText(i.low, decimals), figureText(i.high, decimals));
    }

    QByteArray comparisonHtml(const ModelComparison& c, QByteArray svg)
    {
        svg.remove(0, std::max<qsizetype>(0, svg.indexOf("<svg")));
        QString html = QStringLiteral(
            "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Models compared</title>\n<style>"
            "body{font-family:sans-serif;margin:24px;color:#222}table{border-collapse:collapse;margin:12px 0}"
            "th,td{border:1px solid #ccc;padding:4px 8px;text-align:right}"
            "th:first-child,td:first-child{text-align:left}"
            "caption{text-align:left;color:#555;padding:4px 0;caption-side:bottom;max-width:60em}"
            ".swatch{display:inline-block;width:12px;height:12px;margin-right:6px;vertical-align:middle}"
            "</style></head><body>\n");
        html += QStringLiteral("<h1>Models compared on the %1 dataset</h1>\n").arg(c.dataSetName);
        html += QStringLiteral("<p>%1 of %2 records compared").arg(c.compared).arg(c.records);
        html += c.leftOut() > 0
            ? QStringLiteral("; %1 left out because at least one model has no output for them.</p>\n").arg(c.leftOut())
            : QStringLiteral("; every model has an output for every record.</p>\n");
        html += QString::fromUtf8(svg);
        html += QStringLiteral(
            "\n<table><caption>AUC interval by DeLong's method. KS is the largest TPR − FPR. Accuracy is at "
            "each model's Youden cutoff (largest TPR − FPR): a cutoff chosen per model is not available yet. "
            "Brier score and Hosmer–Lemeshow test (%1 buckets) use the outputs as probabilities when they all "
            "lie in [0, 1]; * marks a model whose probabilities come from its logistic fit instead. Records "
            "without output are the dataset's records where that model has a calculation error; every model is "
            "measured on the %2 records where all have an output.</caption>\n")
                    .arg(c.buckets)
                    .arg(c.compared);
        html += QStringLiteral("<tr><th>Model</th><th>AUC</th><th>95 % CI</th><th>Gini</th><th>KS</th>"
                               "<th>Brier</th><th>Hosmer–Lemeshow p</th><th>Youden cutoff</th><th>Accuracy</th>"
                               "<th>Records without output</th></tr>\n");
        for (std::size_t m = 0; m < c.models.size(); ++m) {
            const ComparedModel& model = c.models[m];
            const engine::Uncertainty& u = model.uncertainty;
            html += QStringLiteral("<tr><td><span class=\"swatch\" style=\"background:%1\"></span>%2 (%3)</td>")
                        .arg(comparisonColour(int(m)).name(), model.name.toHtmlEscaped())
                        .arg(model.id);
            html += QStringLiteral("<td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5%6</td><td>%7</td><td>%8</td>"
                                   "<td>%9 %</td><td>%10</td></tr>\n")
                        .arg(figureText(u.auc.auc, 4), ciText(u.auc.ci95, 4), figureText(u.gini, 4),
                            figureText(u.ks, 4), figureText(u.brier, 4),
                            u.probabilitySource == engine::ProbabilitySource::LogisticFit ? QStringLiteral("*")
                                                                                          : QString(),
                            pValueText(u.hosmerLemeshow.p).toHtmlEscaped(), QString::number(model.youdenCutoff, 'g', 6),
                            figureText(100 * model.accuracy, 1))
                        .arg(model.errors);
        }
        html += QStringLiteral("</table>\n");

        if (!c.pairs.empty()) {
            html += QStringLiteral("<h2>DeLong's paired test</h2>\n<table><tr><th>Models</th><th>AUC difference</th>"
                                   "<th>95 % CI</th><th>p (two-sided)</th></tr>\n");
            for (const ComparedPair& p : c.pairs)
                html += QStringLiteral("<tr><td>%1 − %2</td><td>%3</td><td>%4</td><td>%5</td></tr>\n")
                            .arg(c.models[p.a].name.toHtmlEscaped(), c.models[p.b].name.toHtmlEscaped(),
                                figureText(p.test.difference, 4), ciText(p.test.ci95, 4),
                                pValueText(p.test.p).toHtmlEscaped());
            html += QStringLiteral("</table>\n");
        }
        html += QStringLiteral("</body></html>\n");
        return html.toUtf8();
    }

    void writeFile(const QDir& folder, const QString& name, const QByteArray& content)
    {
        QSaveFile file(folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
            throw lrv::Error(
                QStringLiteral("Cannot write %1: %2. Choose another folder.").arg(file.fileName(), file.errorString()));
    }

} // namespace

void writeComparison(const ModelComparison& comparison, const QString& folder)
{
    if (!QDir().mkpath(folder))
        throw lrv::Error(QStringLiteral("Cannot make the folder %1. Choose another folder.").arg(folder));
    const QDir dir(folder);
    const QByteArray svg = comparisonSvg(comparison);
    writeFile(dir, QStringLiteral("compare.json"), comparisonJson(comparison));
    writeFile(dir, QStringLiteral("compare.svg"), svg);
    writeFile(dir, QStringLiteral("compare.png"), comparisonPng(comparison));
    writeFile(dir, QStringLiteral("compare.html"), comparisonHtml(comparison, svg));
}

} // namespace wb
