#include "AnalysisExport.h"

#include "ConsolePlatform.h"
#include "ExportedAnalysis.h"
#include "ReportPage.h"
#include "StatisticsJson.h"
#include "TerminalProgress.h"
#include "charts/ChartInterfaces.h"
#include "presenters/CutoffChooser.h"
#include "presenters/ScoredSource.h"
#include "reports/IDataReport.h"
#include "reports/PropertyGrid.h"
#include "reports/PropertyGridAdapter.h"
#include "run/Run.h"
#include "support/Error.h"
#include "support/TableTextWriter.h"
#include "window/AnalysisTabs.h"
#include "window/frmDecile.h"

#include <future>

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSvgGenerator>
#include <QTabBar>

namespace wb {

namespace {
    const lrv::AnalysisTab& tabAt(int tab) { return lrv::analysisTabs()[std::size_t(tab)]; }
    int tabCount() { return int(lrv::analysisTabs().size()); }
    /// Rows the page shows of a per-record table, and at most of any table.
    constexpr int kPagePerRecordRows = 10;
    constexpr int kPageRows = 100;

    void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            throw lrv::Error(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    }

    template <typename T> T* control(lrv::frmDecile& window, const char* name)
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        if (!found)
            throw lrv::Error(QStringLiteral("The analysis window has no control %1.").arg(QLatin1String(name)));
        return found;
    }

    lrv::IChartControl& chartControl(lrv::frmDecile& window, int tab)
    {
        auto* chart = dynamic_cast<lrv::IChartControl*>(control<QWidget>(window, tabAt(tab).chart.objectName));
        if (!chart)
            throw lrv::Error(QStringLiteral("The %1 tab has no chart.").arg(QLatin1String(tabAt(tab).exportCaption)));
        return *chart;
    }

    QByteArray chartSvg(lrv::IChartControl& chart, const QSize& size, const QString& title)
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(), size));
        generator.setResolution(96);
        generator.setTitle(title);
        QPainter painter(&generator);
        chart.paintChart(painter, QRect(QPoint(), size));
        painter.end();
        return buffer.data();
    }

    /// The chart at twice its size on screen, for sharp prints and high-density screens. Opaque: the PNG
    /// holds no alpha channel to filter and compress.
    QImage chartImage(lrv::IChartControl& chart, const QSize& size)
    {
        QImage image(size * 2, QImage::Format_RGB32);
        image.setDevicePixelRatio(2);
        image.fill(Qt::white);
        QPainter painter(&image);
        chart.paintChart(painter, QRect(QPoint(), size));
        return image;
    }

    void savePicture(const QImage& image, const QString& path)
    {
        // PNG quality 80 is zlib's fastest levels: a chart's flat colours compress well anyway.
        if (!image.save(path, "PNG", 80))
            throw lrv::Error(QStringLiteral("Cannot write the picture %1.").arg(path));
    }
}

struct AnalysisExport::Session {
    Session(const QString& folder, TerminalProgress& progressBar)
        : out(folder)
        , progress(progressBar)
    {
    }

    QDir out;
    TerminalProgress& progress;
    lrv::frmDecile window;
    ExportedAnalysis analysis;
    std::vector<PageSection> sections { lrv::analysisTabs().size() };
    /// The option views' sections, each after its tab's.
    std::vector<std::pair<int, PageSection>> views;
    int step = 0;

    /// The PNG encoded aside while the next chart is drawn; one at a time, so that one picture waits at most.
    std::future<void> pendingPicture;

    void stepDone() { progress.update(++step); }
    /// Throws what the last PNG's encoding threw.
    void finishPicture()
    {
        if (pendingPicture.valid())
            pendingPicture.get();
    }
    /// NAME.svg and NAME.png of the chart as its "&Copy" takes it; the SVG document.
    QByteArray writeChartFiles(lrv::IChartControl& chart, const QString& name, const QString& title)
    {
        const QSize size = chart.pictureSize();
        const QByteArray svg = chartSvg(chart, size, title);
        writeFile(out.filePath(name + QStringLiteral(".svg")), svg);
        QImage image = chartImage(chart, size);
        finishPicture();
        pendingPicture = std::async(
            std::launch::async, [image = std::move(image), path = out.filePath(name + QStringLiteral(".png"))] {
                savePicture(image, path);
            });
        return svg;
    }
    const lrv::PropertyGrid& grid() { return *control<lrv::PropertyGrid>(window, "pgProperties"); }
};

AnalysisExport::AnalysisExport(std::shared_ptr<Run> run, ExportChoices choices)
    : m_run(std::move(run))
    , m_choices(choices)
{
}

AnalysisExport::~AnalysisExport() = default;

const QStringList& AnalysisExport::tabNames()
{
    static const QStringList names = [] {
        QStringList all;
        for (const lrv::AnalysisTab& tab : lrv::analysisTabs())
            all.append(QLatin1String(tab.exportName));
        return all;
    }();
    return names;
}

void AnalysisExport::writeTo(const QString& folder, TerminalProgress& progress)
{
    // Steps of the progress bar: the calculation, each tab, the statistics and the page.
    progress.begin("Exporting", 1 + tabCount() + 2);
    Session session(folder, progress);
    openWindow(session);
    readAnalysis(session);
    // Only an analysis that holds together, the chosen cutoff included, is written.
    if (!QDir().mkpath(folder))
        throw lrv::Error(QStringLiteral("Cannot make the folder %1.").arg(folder));
    session.stepDone();

    control<QCheckBox>(session.window, "chkSynchro")->setChecked(true);
    auto* charts = control<QTabBar>(session.window, "ssCharts");
    for (int tab = 0; tab < tabCount(); ++tab) {
        charts->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        writeChart(session, tab);
        writeTable(session, tab);
        writeOptionViews(session, tab);
        session.stepDone();
    }
    session.finishPicture();
    writeStatisticsText(session);
    writeStatisticsJson(session);
    session.stepDone();
    writeIndex(session);
    session.stepDone();
    // Hidden, not closed: closing saves the window's settings, and an export never writes them.
    session.window.hide();
    progress.finish();
}

void AnalysisExport::openWindow(Session& session)
{
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

    lrv::frmDecile& window = session.window;
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
}

void AnalysisExport::readAnalysis(Session& session)
{
    // The window shows what the engine delivered; its figures, at full precision, come from the same
    // calculation on the records the window read (kept by the dataset cache; a database calculates again).
    ExportedAnalysis& exported = session.analysis;
    exported.dataSet = control<QComboBox>(session.window, "cmbDataset")->currentIndex() + 1;
    const std::shared_ptr<Model> model = m_run->modelList()->find(m_run->models()->current()->id());
    if (!model)
        throw lrv::Error(QStringLiteral("The run has no current model."));
    exported.modelId = model->id();
    exported.modelName = model->name();
    const int buckets = control<QComboBox>(session.window, "cmbBuckets")->currentText().toInt();
    exported.analysis = ScoredSource::open(*m_run, exported.dataSet, *model)->analyse(buckets, {});
    const engine::Analysis& a = exported.analysis;
    // A database keeps its records: the chosen cutoff and the uncertainty figures need them ranked in memory.
    if (!a.ranked) {
        if (m_choices.cutoff && m_choices.cutoff->kind != engine::CutoffRule::Kind::Youden)
            throw lrv::Error(QStringLiteral("--cutoff needs the records in memory; a database run reports only the "
                                            "Youden cutoff."));
        return;
    }
    const engine::CutoffRule rule = m_choices.cutoff
        ? *m_choices.cutoff
        : engine::parseCutoffRule(
            CutoffChooser::keptRule(m_run->parameterList().get(), exported.modelId, exported.dataSet).toStdString());
    exported.chosen = engine::chooseCutoff(
        *engine::rankedGroups(a.ranked), rule, lrv::at(a.rocStats, lrv::RocStat::Cutoff), a.logisticCutoff);
    m_chosen = *exported.chosen;
    exported.uncertainty = engine::assessUncertainty(a);
}

void AnalysisExport::writeChart(Session& session, int tab)
{
    lrv::IChartControl& chart = chartControl(session.window, tab);
    const QString name = tabNames()[tab];
    const QString title = QStringLiteral("%1: %2, %3 dataset")
                              .arg(QLatin1String(tabAt(tab).exportCaption), session.analysis.modelTitle(),
                                  session.analysis.dataSetName());
    PageSection& section = session.sections[std::size_t(tab)];
    section.name = name;
    section.caption = QLatin1String(tabAt(tab).exportCaption);
    section.svg = session.writeChartFiles(chart, name, title);
}

void AnalysisExport::writeOptionViews(Session& session, int tab)
{
    for (const lrv::TabOptionView& view : tabAt(tab).optionViews) {
        control<QRadioButton>(session.window, view.option)->click();
        QCoreApplication::processEvents();
        auto* chart = dynamic_cast<lrv::IChartControl*>(control<QWidget>(session.window, view.chart));
        if (!chart)
            throw lrv::Error(QStringLiteral("The control %1 is no chart.").arg(QLatin1String(view.chart)));
        PageSection section;
        section.name = QLatin1String(view.exportName);
        section.caption = QLatin1String(view.caption);
        const QString title = QStringLiteral("%1: %2, %3 dataset")
                                  .arg(section.caption, session.analysis.modelTitle(), session.analysis.dataSetName());
        section.svg = session.writeChartFiles(*chart, section.name, title);
        session.views.emplace_back(tab, section);
        control<QRadioButton>(session.window, view.previous)->click();
        QCoreApplication::processEvents();
    }
}

void AnalysisExport::writeTable(Session& session, int tab)
{
    lrv::IDataReport& report = tabAt(tab).report(session.window.reports());
    PageSection& section = session.sections[std::size_t(tab)];
    const bool perRecord = tabAt(tab).perRecord;
    const std::int64_t fileRows = perRecord && m_choices.records ? *m_choices.records : -1;

    // The lines the page shows: a few, read back from their text.
    QByteArray shown;
    lrv::TableTextWriter page([&](QByteArrayView block) { shown.append(block); }, u"\n");
    report.WriteAllData(page, perRecord ? kPagePerRecordRows : kPageRows);
    page.flush();
    QList<QByteArray> lines = shown.split('\n');
    lines.removeLast();
    for (const QByteArray& line : lines) {
        const QStringList cells = QString::fromUtf8(line).split(QLatin1Char('\t'));
        if (section.header.isEmpty())
            section.header = cells;
        else
            section.rows.append(cells);
    }

    // The file is written as the rows are formatted: a table of a million rows is a hundred megabytes of text.
    const QString path = session.out.filePath(tabNames()[tab] + QStringLiteral(".tsv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw lrv::Error(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    lrv::TableTextWriter writer(
        [&](QByteArrayView block) {
            if (file.write(block.data(), block.size()) != block.size())
                throw lrv::Error(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
        },
        u"\n");
    section.writtenRows = report.WriteAllData(writer, fileRows);
    writer.flush();
    // A per-record table has a row per record, the calculation errors included.
    const engine::Analysis& a = session.analysis.analysis;
    section.totalRows = perRecord ? std::int64_t(a.validRecords) + a.calculationErrors : section.writtenRows;
}

void AnalysisExport::writeStatisticsText(Session& session)
{
    const lrv::PropertyGridAdapter* adapter = session.window.statsAdapter();
    const QString text = adapter ? adapter->ToString() : QString();
    writeFile(session.out.filePath(QStringLiteral("statistics.txt")),
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toUtf8());
}

void AnalysisExport::writeStatisticsJson(Session& session)
{
    const std::string json = statisticsJson(session.analysis, session.grid()).dump(2) + '\n';
    writeFile(session.out.filePath(QStringLiteral("statistics.json")), QByteArray::fromStdString(json));
}

void AnalysisExport::writeIndex(Session& session)
{
    std::vector<PageSection> sections;
    for (int tab = 0; tab < int(session.sections.size()); ++tab) {
        sections.push_back(session.sections[std::size_t(tab)]);
        for (const auto& [viewTab, view] : session.views)
            if (viewTab == tab)
                sections.push_back(view);
    }
    writeFile(
        session.out.filePath(QStringLiteral("index.html")), reportPage(session.analysis, session.grid(), sections));
}

} // namespace wb
