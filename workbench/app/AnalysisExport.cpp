#include "AnalysisExport.h"

#include "ConsolePlatform.h"
#include "reports/IDataReport.h"
#include "reports/PropertyGridAdapter.h"
#include "run/Run.h"
#include "support/Error.h"
#include "window/frmDecile.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSignalBlocker>
#include <QTabBar>

namespace wb {

namespace {
    const char* const kChartControls[lrv::frmDecile::kTabCount]
        = { "chQuantile", "rcChart", "chCutoff", "chGains", "chLift", "chSlope", "lfChart", "confMatrix" };
    const char* const kTabCaptions[lrv::frmDecile::kTabCount]
        = { "Quantiles", "ROC", "Cutoff Points", "Gains", "Lift", "Log Odds", "Logistic Fit", "Confusion Matrix" };
    constexpr int kHtmlRows = 200;

    /// Writes a text with "\n" for every CR LF, a block at a time: a table of a million rows is a text of
    /// a hundred million characters, which must be neither copied whole nor edited in place.
    void writeTextFile(const QString& path, const QString& text)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw lrv::Error(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
        const QString lineBreak = QStringLiteral("\r\n");
        qsizetype from = 0;
        QByteArray block;
        while (from < text.size()) {
            qsizetype to = text.indexOf(lineBreak, from);
            if (to < 0)
                to = text.size();
            block += QStringView(text).mid(from, to - from).toUtf8();
            block += '\n';
            from = to + lineBreak.size();
            if (block.size() > (1 << 20) || from >= text.size()) {
                if (file.write(block) != block.size())
                    throw lrv::Error(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
                block.clear();
            }
        }
    }

    void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            throw lrv::Error(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    }

    void saveImage(const QImage& image, const QString& path)
    {
        if (image.isNull() || !image.save(path, "PNG"))
            throw lrv::Error(QStringLiteral("Cannot write the picture %1.").arg(path));
    }

    /// The chart's picture as its "&Copy" puts it on the clipboard; a plain capture for a chart without one.
    QImage chartImage(QWidget* chart)
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        for (QAction* action : chart->findChildren<QAction*>()) {
            if (action->text() != QLatin1String("&Copy"))
                continue;
            clipboard->clear();
            action->trigger();
            const QImage copied = clipboard->image();
            if (!copied.isNull())
                return copied;
        }
        return chart->grab().toImage();
    }

    QString htmlTable(const QString& text, const QString& tsvName)
    {
        // Only the first rows are read: the text of a per-record table is long.
        const QString lineBreak = QStringLiteral("\r\n");
        QString html = QStringLiteral("<table>\n");
        qsizetype from = 0;
        for (int line = 0; line <= kHtmlRows && from <= text.size(); ++line) {
            qsizetype to = text.indexOf(lineBreak, from);
            if (to < 0)
                to = text.size();
            const QString cell = line == 0 ? QStringLiteral("th") : QStringLiteral("td");
            html += QStringLiteral("<tr>");
            for (const QString& value : text.mid(from, to - from).split(QLatin1Char('\t')))
                html += QStringLiteral("<%1>%2</%1>").arg(cell, value.toHtmlEscaped());
            html += QStringLiteral("</tr>\n");
            from = to + lineBreak.size();
        }
        html += QStringLiteral("</table>\n");
        const qsizetype rows = text.count(lineBreak);
        html += QStringLiteral("<p class=\"note\">%1 rows%2: <a href=\"%3\">%3</a></p>\n")
                    .arg(rows)
                    .arg(rows > kHtmlRows ? QStringLiteral(", the first %1 shown").arg(kHtmlRows) : QString())
                    .arg(tsvName);
        return html;
    }

    template <typename T> T* control(lrv::frmDecile& window, const char* name)
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        if (!found)
            throw lrv::Error(QStringLiteral("The analysis window has no control %1.").arg(QLatin1String(name)));
        return found;
    }
}

AnalysisExport::AnalysisExport(std::shared_ptr<Run> run, ExportChoices choices)
    : m_run(std::move(run))
    , m_choices(choices)
{
}

const QStringList& AnalysisExport::tabNames()
{
    static const QStringList names = { QStringLiteral("quantiles"), QStringLiteral("roc"),
        QStringLiteral("cutoff-points"), QStringLiteral("gains"), QStringLiteral("lift"), QStringLiteral("log-odds"),
        QStringLiteral("logistic-fit"), QStringLiteral("confusion-matrix") };
    return names;
}

void AnalysisExport::writeTo(const QString& folder)
{
    if (!QDir().mkpath(folder))
        throw lrv::Error(QStringLiteral("Cannot make the folder %1.").arg(folder));
    const QDir out(folder);
    ConsolePlatform& platform = ConsolePlatform::install();

    if (m_choices.modelId) {
        const auto models = m_run->models();
        int index = -1;
        for (int i = 0; i < models->count(); ++i)
            if (models->item(i)->id() == *m_choices.modelId)
                index = i;
        if (index < 0)
            throw lrv::Error(QStringLiteral("The run has no model %1.").arg(*m_choices.modelId));
        models->setCurrentIndex(index);
    }
    if (m_choices.dataSet == 2 && !m_run->dataSet(2))
        throw lrv::Error(QStringLiteral("The run has no validation dataset."));

    lrv::frmDecile window;
    window.resize(1400, 950);
    std::shared_ptr<lrv::IRun> handle = m_run;
    const auto sampling = [&](int index) {
        const auto set = m_run->dataSetAt(index);
        return set ? set->sampling() : 0;
    };
    window.Init(handle, lrv::frmDecile::kFirstChartCode, sampling(1), sampling(2));
    if (m_choices.dataSet) {
        auto* dataSets = control<QComboBox>(window, "cmbDataset");
        const QSignalBlocker quiet(dataSets);
        dataSets->setCurrentIndex(*m_choices.dataSet - 1);
    }
    if (m_choices.buckets)
        control<QComboBox>(window, "cmbBuckets")->setEditText(QString::number(*m_choices.buckets));
    window.show();
    window.Activate();
    QCoreApplication::processEvents();
    if (!platform.messages.isEmpty())
        throw lrv::Error(platform.messages.join(QLatin1Char('\n')));

    control<QCheckBox>(window, "chkSynchro")->setChecked(true);
    auto* charts = control<QTabBar>(window, "ssCharts");
    QString sections;
    for (int tab = 0; tab < lrv::frmDecile::kTabCount; ++tab) {
        charts->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        const QString name = tabNames()[tab];
        saveImage(
            chartImage(control<QWidget>(window, kChartControls[tab])), out.filePath(name + QStringLiteral(".png")));
        const QString text = window.report(tab)->AllDataText();
        writeTextFile(out.filePath(name + QStringLiteral(".tsv")), text);
        sections += QStringLiteral("<h2 id=\"%1\">%2</h2>\n<img src=\"%1.png\" alt=\"%2 chart\">\n")
                        .arg(name, QLatin1String(kTabCaptions[tab]));
        sections += htmlTable(text, name + QStringLiteral(".tsv"));
    }

    const QString statistics = window.statsAdapter() ? window.statsAdapter()->ToString() : QString();
    writeFile(out.filePath(QStringLiteral("statistics.txt")),
        QString(statistics).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toUtf8());

    charts->setCurrentIndex(1);
    QCoreApplication::processEvents();
    saveImage(window.grab().toImage(), out.filePath(QStringLiteral("window.png")));

    const auto models = m_run->models();
    const QString title = window.windowTitle();
    QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title>\n<style>\n"
        "body{font-family:sans-serif;margin:2em;color:#222}img{max-width:100%;border:1px solid #ccc}\n"
        "table{border-collapse:collapse;font-size:12px;margin:.5em 0}th,td{border:1px solid #ccc;padding:2px "
        "6px;text-align:right}\n"
        "th{background:#eee}pre{background:#f6f6f6;padding:1em}.note{color:#666}nav a{margin-right:1em}\n"
        "</style></head><body>\n<h1>%1</h1>\n")
                       .arg(title.toHtmlEscaped());
    html += QStringLiteral("<p>Model %1, %2 dataset, %3 quantiles.</p>\n")
                .arg(models->current()->id())
                .arg(control<QComboBox>(window, "cmbDataset")->currentText().toLower())
                .arg(control<QComboBox>(window, "cmbBuckets")->currentText());
    html += QStringLiteral("<nav>");
    for (int tab = 0; tab < lrv::frmDecile::kTabCount; ++tab)
        html += QStringLiteral("<a href=\"#%1\">%2</a>").arg(tabNames()[tab], QLatin1String(kTabCaptions[tab]));
    html += QStringLiteral("<a href=\"#statistics\">Statistics</a></nav>\n");
    html += QStringLiteral("<h2>Window</h2>\n<img src=\"window.png\" alt=\"the analysis window\">\n");
    html += sections;
    html += QStringLiteral(
        "<h2 id=\"statistics\">Statistics</h2>\n<pre>%1</pre>\n<p><a href=\"statistics.txt\">statistics.txt</a></p>\n")
                .arg(statistics.toHtmlEscaped());
    html += QStringLiteral("</body></html>\n");
    writeFile(out.filePath(QStringLiteral("index.html")), html.toUtf8());
    // Hidden, not closed: closing saves the window's settings, and an export never writes them.
    window.hide();
}

} // namespace wb
