#include "ReportPage.h"

#include "ExportedAnalysis.h"
#include "reports/PropertyGrid.h"

#include <cmath>

#include <QLocale>
#include <QRegularExpression>

namespace wb {

namespace {
    const char* const kStyle = R"(
body{font-family:sans-serif;margin:1.5em auto;max-width:60em;color:#222;font-size:14px}
h1{font-size:1.5em;margin-bottom:.2em}h2{font-size:1.2em;margin:1.5em 0 .4em;border-bottom:1px solid #ccc}
h3{font-size:1em;margin:.8em 0 .2em}
table{border-collapse:collapse;font-size:12px;margin:.4em 0}
th,td{border:1px solid #ccc;padding:2px 6px;text-align:right}th{background:#eee}
td.caption{text-align:left}
.facts td:first-child,.facts th:first-child{text-align:left}
.matrix td,.matrix th{min-width:6em}
.statistics{columns:2;column-gap:2em}.statistics section{break-inside:avoid}
.statistics table{width:100%}
.cutoffs{display:flex;flex-wrap:wrap;gap:2em}
.note{color:#666;font-size:12px}nav a{margin-right:1em}
figure{margin:.5em 0}svg{max-width:100%;height:auto;display:block}
.wide{overflow-x:auto}
@page{size:A4;margin:12mm}
@media print{
 body{margin:0;max-width:none;font-size:11px}nav{display:none}
 table{font-size:8px}th,td{padding:1px 3px}
 .wide{overflow:visible}
 figure{break-inside:avoid}tr{break-inside:avoid}h2{break-after:avoid}
 .chart{break-before:page}
}
)";

    QString escaped(const QString& text) { return text.toHtmlEscaped(); }

    /// A statistic or cell as a reader wants it: whole numbers as they are, others to five significant digits,
    /// large ones without a fraction.
    QString readable(const lrv::Variant& value)
    {
        if (!value.isNumber() && !value.isNumeric())
            return value.text();
        const double number = value.toDouble();
        if (!std::isfinite(number))
            return value.text();
        const QLocale locale = QLocale::c();
        if (number == std::trunc(number))
            return locale.toString(number, 'f', 0);
        if (std::abs(number) >= 1e5)
            return locale.toString(number, 'f', 0);
        if (std::abs(number) < 1e-4)
            return locale.toString(number, 'g', 4);
        return locale.toString(number, 'g', 5);
    }

    QString number(double value) { return readable(lrv::Variant(value)); }

    QString matrix(const QString& title, std::int64_t tp, std::int64_t fn, std::int64_t fp, std::int64_t tn)
    {
        return QStringLiteral("<h3>%1</h3>\n<table class=\"matrix\">\n"
                              "<tr><th></th><th>Predicted positive</th><th>Predicted negative</th></tr>\n"
                              "<tr><th>Actual positive</th><td>%2 (TP)</td><td>%3 (FN)</td></tr>\n"
                              "<tr><th>Actual negative</th><td>%4 (FP)</td><td>%5 (TN)</td></tr>\n</table>\n")
            .arg(escaped(title))
            .arg(tp)
            .arg(fn)
            .arg(fp)
            .arg(tn);
    }

    QString chosenMeasures(const engine::ChosenCutoff& c)
    {
        QString html = QStringLiteral("<table class=\"facts\">\n");
        const auto measure = [&](const char* caption, double value) {
            html += QStringLiteral("<tr><th>%1</th><td>%2</td></tr>\n").arg(QLatin1String(caption), number(value));
        };
        measure("Sensitivity", c.sensitivity);
        measure("Specificity", c.specificity);
        measure("PPV", c.ppv);
        measure("NPV", c.npv);
        measure("Accuracy", c.accuracy);
        measure("F1", c.f1);
        measure("Matthews correlation", c.mcc);
        if (c.rule.kind == engine::CutoffRule::Kind::Cost)
            measure("Expected cost", c.expectedCost);
        return html + QStringLiteral("</table>\n");
    }

    QString summary(const ExportedAnalysis& exported)
    {
        const engine::Analysis& a = exported.analysis;
        QString html = QStringLiteral("<table class=\"facts\">\n");
        const auto fact = [&](const QString& caption, const QString& value) {
            html += QStringLiteral("<tr><th>%1</th><td>%2</td></tr>\n").arg(caption, escaped(value));
        };
        fact(QStringLiteral("Model"), exported.modelTitle());
        fact(QStringLiteral("Dataset"), exported.dataSetName());
        fact(QStringLiteral("Records"),
            QStringLiteral("%1 (%2 positive, %3 negative)")
                .arg(a.validRecords)
                .arg(number(lrv::at(a.decileStats, lrv::DecileStat::Positives)),
                    number(lrv::at(a.decileStats, lrv::DecileStat::Negatives))));
        if (a.calculationErrors > 0)
            fact(QStringLiteral("Calculation errors"), QString::number(a.calculationErrors));
        fact(QStringLiteral("Quantiles"), QString::number(a.buckets));
        if (const auto& u = exported.uncertainty) {
            fact(QStringLiteral("AUC"),
                QStringLiteral("%1 (95% CI %2 to %3)")
                    .arg(number(a.auc), number(u->auc.ci95.low), number(u->auc.ci95.high)));
            fact(QStringLiteral("Gini"), number(u->gini));
            fact(QStringLiteral("KS"), QStringLiteral("%1 at the cutoff %2").arg(number(u->ks), number(u->ksCutoff)));
        } else
            fact(QStringLiteral("AUC"), number(a.auc));
        fact(QStringLiteral("Youden cutoff"),
            QStringLiteral("%1 (J = %2)")
                .arg(number(lrv::at(a.rocStats, lrv::RocStat::Cutoff)),
                    number(lrv::at(a.rocStats, lrv::RocStat::Youden))));
        const auto& chosen = exported.chosen;
        if (chosen) {
            QString chosenText
                = QStringLiteral("%1 (%2)").arg(number(chosen->cutoff), QString::fromStdString(chosen->rule.text()));
            if (chosen->outsideOutputs)
                chosenText += QStringLiteral(", outside the range of the outputs");
            fact(QStringLiteral("Chosen cutoff"), chosenText);
        }
        html += QStringLiteral("</table>\n");

        const auto& c = a.rocCounts; // TP, TN, FP, FN
        html += QStringLiteral("<div class=\"cutoffs\"><section>\n")
            + matrix(QStringLiteral("Confusion matrix at the Youden cutoff"), c[0], c[3], c[2], c[1])
            + QStringLiteral("</section>\n");
        if (chosen)
            html += QStringLiteral("<section>\n")
                + matrix(QStringLiteral("Confusion matrix at the chosen cutoff (%1)")
                             .arg(QString::fromStdString(chosen->rule.text())),
                    chosen->tp, chosen->fn, chosen->fp, chosen->tn)
                + chosenMeasures(*chosen) + QStringLiteral("</section>\n");
        return html + QStringLiteral("</div>\n");
    }

    QString statistics(const lrv::PropertyGrid& grid)
    {
        QString html = QStringLiteral("<div class=\"statistics\">\n");
        for (const lrv::PropertyGrid::Item& category : grid.categories()) {
            html += QStringLiteral("<section><h3>%1</h3>\n<table>\n").arg(escaped(category.caption()));
            for (const lrv::PropertyGrid::Item& row : category.children())
                if (!row.isHidden())
                    html += QStringLiteral("<tr><td class=\"caption\">%1</td><td>%2</td></tr>\n")
                                .arg(escaped(row.caption()), escaped(readable(row.value())));
            html += QStringLiteral("</table></section>\n");
        }
        return html + QStringLiteral("</div>\n");
    }

    /// An SVG document as an element of the page: without its XML prologue, with ids made unique per chart.
    QString inlineSvg(const PageSection& section)
    {
        QString svg = QString::fromUtf8(section.svg);
        svg.remove(0, svg.indexOf(QStringLiteral("<svg")));
        // Sized in pixels of its view box rather than in millimetres, so that the page scales it to its width.
        static const QRegularExpression physicalSize(
            QStringLiteral(R"re(^<svg width="[^"]*" height="[^"]*"\s*viewBox="0 0 (\d+) (\d+)")re"));
        svg.replace(physicalSize, QStringLiteral(R"re(<svg width="\1" height="\2" viewBox="0 0 \1 \2")re"));
        const QString prefix = section.name + QLatin1Char('-');
        svg.replace(QStringLiteral(" id=\""), QStringLiteral(" id=\"") + prefix);
        svg.replace(QStringLiteral("url(#"), QStringLiteral("url(#") + prefix);
        svg.replace(QStringLiteral("href=\"#"), QStringLiteral("href=\"#") + prefix);
        return svg;
    }

    QString table(const PageSection& section)
    {
        QString html = QStringLiteral("<div class=\"wide\"><table>\n<tr>");
        for (const QString& caption : section.header)
            html += QStringLiteral("<th>%1</th>").arg(escaped(caption));
        html += QStringLiteral("</tr>\n");
        for (const QStringList& row : section.rows) {
            html += QStringLiteral("<tr>");
            for (const QString& cell : row)
                html += QStringLiteral("<td>%1</td>").arg(escaped(readable(lrv::Variant(cell))));
            html += QStringLiteral("</tr>\n");
        }
        html += QStringLiteral("</table></div>\n");
        const QString file = section.name + QStringLiteral(".tsv");
        QString note = QStringLiteral("%1 rows").arg(section.totalRows);
        if (section.rows.size() < section.totalRows)
            note += QStringLiteral(", the first %1 shown").arg(section.rows.size());
        if (section.writtenRows < section.totalRows)
            note += QStringLiteral("; the first %1 in").arg(section.writtenRows);
        else
            note += QStringLiteral("; all in");
        html += QStringLiteral("<p class=\"note\">%1 <a href=\"%2\">%2</a></p>\n").arg(note, file);
        return html;
    }
}

QByteArray reportPage(
    const ExportedAnalysis& exported, const lrv::PropertyGrid& grid, const std::vector<PageSection>& sections)
{
    const QString subject = QStringLiteral("%1, %2 dataset").arg(exported.modelTitle(), exported.dataSetName());
    QString html = QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
                                  "<meta name=\"viewport\" content=\"width=device-width\">\n"
                                  "<title>Analysis of %1</title>\n<style>%2</style></head><body>\n")
                       .arg(escaped(subject), QLatin1String(kStyle));
    html += QStringLiteral("<h1>Analysis of %1</h1>\n").arg(escaped(subject));
    html += QStringLiteral("<nav><a href=\"#statistics\">Statistics</a>");
    for (const PageSection& section : sections)
        html += QStringLiteral("<a href=\"#%1\">%2</a>").arg(section.name, escaped(section.caption));
    html += QStringLiteral("<a href=\"statistics.json\">statistics.json</a></nav>\n");
    html += summary(exported);
    html += QStringLiteral("<h2 id=\"statistics\">Statistics</h2>\n") + statistics(grid);
    for (const PageSection& section : sections) {
        const QString title = QStringLiteral("%1: %2").arg(section.caption, subject);
        html += QStringLiteral("<section class=\"chart\" id=\"%1\">\n<h2>%2</h2>\n<figure>%3</figure>\n")
                    .arg(section.name, escaped(title), inlineSvg(section));
        html += QStringLiteral("<p class=\"note\">The chart as <a href=\"%1.svg\">%1.svg</a> and "
                               "<a href=\"%1.png\">%1.png</a>.</p>\n")
                    .arg(section.name);
        // The views behind a tab's options show a chart only; their data is the tab's table.
        if (!section.header.isEmpty())
            html += table(section);
        html += QStringLiteral("</section>\n");
    }
    html += QStringLiteral("</body></html>\n");
    return html.toUtf8();
}

} // namespace wb
