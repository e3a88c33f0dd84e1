#include "window/frmDecile.h"

#include "host/IHostCore.h"
#include "reports/PropertyGrid.h"
#include "reports/PropertyGridAdapter.h"
#include "reports/ReportGrid.h"
#include "support/Error.h"
#include "support/FileHelpers.h"
#include "support/RegistryLib.h"
#include "window/AnalysisTabs.h"
#include "window/ChartAdapter.h"
#include "window/ChosenCutoffLink.h"
#include "window/HelpControl.h"
#include "window/Hourglass.h"
#include "window/ModelSelector.h"

#include <cmath>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFont>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>

namespace lrv {

namespace {
    int px(int twips) { return int(std::lround(double(twips) / frmDecile::kTwipsPerPixel)); }
    int twips(int pixels) { return pixels * frmDecile::kTwipsPerPixel; }

    const QString kSelectedChartKey = QStringLiteral("set_lr#SelectedChart");
    const QString kDataSetKey = QStringLiteral("set_lr#DataSet");
    const QString kBucketsKey = QStringLiteral("set_lr#Buckets");
    const QString kTrainSamplesKey = QStringLiteral("data#train_Samples");
    const QString kTestSamplesKey = QStringLiteral("data#test_Samples");
}

frmDecile::frmDecile(QWidget* parent)
    : QDialog(parent)
{
    buildControls();
    connectCommands();
    enterState(WindowState::StartUp);
    setMinimumSize(px(kMinimumWidthTwips), px(kMinimumHeightTwips));
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

frmDecile::~frmDecile() = default;

bool frmDecile::isBusy(WindowState state)
{
    return state == WindowState::Reading || state == WindowState::Calculating || state == WindowState::Delivering;
}

bool frmDecile::choicesCount() const
{
    return !m_loading && !m_inCalculation && (m_state == WindowState::Idle || m_state == WindowState::Failed);
}

void frmDecile::enterState(WindowState state)
{
    m_state = state;
    const bool busy = isBusy(state);
    const bool choices = state == WindowState::Idle || state == WindowState::Failed;
    for (QWidget* control : std::initializer_list<QWidget*> { cmbModels, cmbBuckets, cmbDataset, chkSynchro })
        control->setEnabled(choices);
    if (helpControl)
        helpControl->setEnabled(choices);
    // Stepping through the models mid-calculation would show one model's results under another's name.
    if (ctlModelSelector)
        ctlModelSelector->setEnabled(choices);
    cmdClose->setEnabled(choices);
    cmdCompareModels->setEnabled(choices);
    cmdStop->setEnabled(busy);
    picProgress->setVisible(busy && m_largeCalculation);
    if (busy)
        picProgress->raise();
    else
        lblProgress->clear();
    switch (state) {
    case WindowState::StartUp:
    case WindowState::Idle:
        setStatusText(1, QStringLiteral("Ready"));
        break;
    case WindowState::Reading:
        setStatusText(1, QStringLiteral("Reading the data..."));
        break;
    case WindowState::Calculating:
        setStatusText(1, QStringLiteral("Calculating..."));
        break;
    case WindowState::Delivering:
        setStatusText(1, QStringLiteral("Showing the results..."));
        break;
    case WindowState::Failed:
        setStatusText(1,
            m_userCancelled ? QStringLiteral("Cancelled: press F5 to calculate again.")
                            : QStringLiteral("No results: choose another model, dataset or number of quantiles."));
        break;
    }
}

void frmDecile::showBuckets(std::int32_t buckets)
{
    const QString text = QString::number(buckets);
    const int entry = cmbBuckets->findText(text);
    if (entry >= 0)
        cmbBuckets->setCurrentIndex(entry);
    cmbBuckets->setEditText(text);
}

void frmDecile::followModelInSelector()
{
    const auto models = m_run ? m_run->models() : nullptr;
    if (!ctlModelSelector || !models)
        return;
    const std::int32_t id = cmbModels->currentData().toInt();
    for (int i = 0; i < models->count(); ++i)
        if (models->item(i)->id() == id) {
            ctlModelSelector->SetModelByIndex(i);
            return;
        }
}

void frmDecile::fitLegend(QFrame* legend)
{
    legend->adjustSize();
    legend->resize(std::max(legend->width(), kLegendWidth), legend->height());
    if (legend->isVisible())
        ArrangeCharts();
}

std::int32_t frmDecile::sampledRecords(int dataSet) const
{
    return readRunParameter(dataSet == 1 ? kTrainSamplesKey : kTestSamplesKey, 0);
}

void frmDecile::setStatusText(int panel, const QString& text) { m_statusPanels[panel - 1]->setText(text); }

void frmDecile::writeRunParameter(const QString& key, std::int32_t value)
{
    // The window never creates a parameter: only keys the run already holds are written.
    if (!m_run)
        return;
    const auto parameters = m_run->parameters();
    if (parameters && parameters->FindOrdinal(key))
        parameters->set(key, RunParameterInt32, Variant(value));
}

std::int32_t frmDecile::readRunParameter(const QString& key, std::int32_t fallback) const
{
    if (!m_run)
        return fallback;
    const auto parameters = m_run->parameters();
    if (!parameters || !parameters->FindOrdinal(key))
        return fallback;
    const Variant value = parameters->item(key).value;
    return value.isNumeric() ? std::int32_t(std::lround(value.toDouble())) : fallback;
}

AnalysisReports& frmDecile::reports() const
{
    Q_ASSERT(m_reports);
    return *m_reports;
}

IDataReport* frmDecile::currentReport() const
{
    if (!m_reports || m_chartTabIndex < 0 || m_chartTabIndex >= int(analysisTabs().size()))
        return nullptr;
    return &analysisTabs()[std::size_t(m_chartTabIndex)].report(*m_reports);
}

ChartAdapter& frmDecile::fitAdapter()
{
    if (!m_fitAdapter)
        m_fitAdapter = std::make_unique<ChartAdapter>();
    return *m_fitAdapter;
}

void frmDecile::Init(
    std::shared_ptr<IRun>& run, std::int32_t selected, std::int32_t trainSampling, std::int32_t testSampling)
{
    m_run = run;
    if (selected == -1)
        selected = readRunParameter(kSelectedChartKey, kFirstChartCode);
    m_selectedChart = selected;
    m_loading = true;
    m_currentBuckets = m_currentDataSet = m_currentModelId = -1;
    m_trainSampling = trainSampling;
    m_testSampling = testSampling;
    enterState(WindowState::StartUp);

    m_reports = std::make_unique<AnalysisReports>();
    m_chosenCutoff->setReports({ &m_reports->roc, &m_reports->cutoffPoints, &m_reports->confusionMatrix });

    QFont gridFont = font();
    gridFont.setPointSizeF(8);
    rcDecile->setTextFont(gridFont);

    FillBucketList(readRunParameter(kTrainSamplesKey, 0));

    const std::shared_ptr<DecileLoadPresenter> loadPresenter = HostCore::get().createLoadPresenter();
    loadPresenter->SetView(*this);
    if (auto listener = std::dynamic_pointer_cast<ILoadListener>(m_loadListener))
        listener->Load(m_run);
    run = m_run;

    m_statsAdapter = std::make_unique<PropertyGridAdapter>();
    m_statsAdapter->Init(pgProperties, m_run);
    // Only a host that can compare models offers the command.
    cmdCompareModels->setVisible(HostCore::get().createComparePresenter() != nullptr);

    QString name = FileHelpers::GetFileName(m_run ? m_run->filePath() : QString());
    if (name.size() > 4)
        name.chop(4);
    setWindowTitle(QStringLiteral("Logistic Regression - ") + name);

    if (ctlModelSelector)
        ctlModelSelector->Init(m_run);
    const int models = m_run && m_run->models() ? m_run->models()->count() : 0;
    lblModel->setToolTip(QStringLiteral("Total models: ") + QString::number(models));

    m_loading = false;
    SaveSelectedChart();
}

void frmDecile::Activate()
{
    if (m_activating || m_inCalculation)
        return;
    m_activating = true;
    bestEffort([&] {
        m_loading = true;
        chkSynchro->setChecked(
            RegistryLib::GetAppSetting(RegistryLib::kSection, QStringLiteral("Synchro"), 0).toShort() == 1);
        m_loading = false;
    });
    const int tab = m_selectedChart > kFirstChartCode && m_selectedChart < kFirstChartCode + int(analysisTabs().size())
        ? m_selectedChart - kFirstChartCode
        : 0;
    m_chartTabIndex = tab;
    bestEffort([&] {
        QCoreApplication::processEvents();
        m_loading = true;
        chkSynchro->setChecked(
            RegistryLib::GetAppSetting(RegistryLib::kSection, QStringLiteral("Synchro"), 0).toShort() == 1);
        m_loading = false;
    });
    if (chkSynchro->isChecked())
        ssReports->setCurrentIndex(tab); // its handler goes on past failures
    bestEffort([&] {
        if (ssCharts->currentIndex() == tab)
            ShowCurrentChart(); // selecting the tab already shown raises no change, but the chart must be arranged
        else
            ssCharts->setCurrentIndex(tab);
    });
    bestEffort([&] { RecalculateIfRun(); });
    if (m_state == WindowState::StartUp)
        enterState(WindowState::Failed); // no run: nothing to calculate, but the window can be closed
    m_activating = false;
}

void frmDecile::RecalculateIfRun()
{
    if (m_run)
        Recalculate();
}

void frmDecile::Recalculate()
{
    if (m_inCalculation)
        return; // one calculation at a time: the progress steps let events in
    // A text that is no number keeps the last number: the host core refuses the text, the run keeps its value.
    bool ok = false;
    const int buckets = cmbBuckets->currentText().trimmed().toInt(&ok);
    if (ok)
        m_currentBuckets = buckets;
    m_currentDataSet = cmbDataset->currentIndex() + 1;
    m_currentModelId = cmbModels->currentData().toInt();
    bestEffort([&] { writeRunParameter(kDataSetKey, m_currentDataSet); });
    bestEffort([&] {
        if (m_currentBuckets > 0)
            writeRunParameter(kBucketsKey, m_currentBuckets);
    });
    m_inCalculation = true;
    m_calculationFailed = false;
    m_userCancelled = false;
    m_progressInterval = 1;
    m_largeCalculation = false;
    enterState(WindowState::Calculating);
    bestEffort([&] { ResetViews(); });

    std::shared_ptr<CalculatePresenter> presenter;
    bestEffort([&] {
        presenter = HostCore::get().createCalculatePresenter();
        presenter->Init(*this, m_run);
    });
    // The window may be closed from inside the calculation only through the host; guard against it.
    const QPointer<frmDecile> self(this);
    bool calculated = false;
    bestEffort([&] {
        if (auto listener = std::dynamic_pointer_cast<ICalculateListener>(m_calculateListener)) {
            listener->Calculate();
            calculated = true;
        }
    });
    if (!self)
        return;
    m_inCalculation = false;
    bestEffort([&] {
        if (auto terminable = std::dynamic_pointer_cast<ITerminable>(presenter))
            terminable->Terminate(true);
    });
    presenter.reset();
    m_calculateListener.reset();
    const bool failed = !calculated || m_calculationFailed;
    enterState(failed ? WindowState::Failed : WindowState::Idle);
    bestEffort([&] { ShowCurrentReport(); });
    bestEffort([&] { ShowCurrentChart(); });
    if (failed)
        enterState(WindowState::Failed); // its status text, not the report's
    if (m_closeRequested)
        close();
}

void frmDecile::ResetViews()
{
    rcDecile->clearRecords();
    for (QWidget* chart :
        { trendChart, chQuantile, rcChart, chCutoff, chGains, chLift, chSlope, lfChart, confMatrix, chCalibration })
        if (auto* control = dynamic_cast<IChartControl*>(chart))
            control->Reset();
    if (m_statsAdapter)
        m_statsAdapter->Reset();
    if (m_reports)
        for (const AnalysisTab& tab : analysisTabs())
            tab.report(*m_reports).ClearData();
    m_chosenCutoff->clear();
}

void frmDecile::ShowCurrentReport()
{
    Hourglass busy;
    m_chartTabIndex = ssReports->currentIndex();
    IDataReport* current = currentReport();
    if (current) {
        current->Init(rcDecile);
        current->Refresh();
    }
    const int dataSet = GetDataSet();
    if (current && current->HasMoreThanMaxRows()) {
        const std::int32_t samples = readRunParameter(dataSet != 1 ? kTestSamplesKey : kTrainSamplesKey, 0);
        setStatusText(1,
            QString::number(samples) + QStringLiteral(" records processed; showing ") + QString::number(100000)
                + QLatin1Char('.'));
    } else {
        setStatusText(1, QStringLiteral("Ready"));
    }
    const bool fullTraining = m_trainSampling == 0 || m_trainSampling == 1;
    const bool fullValidation = m_testSampling == 0 || m_testSampling == 1;
    if (dataSet == 1)
        setStatusText(3,
            fullTraining ? QString()
                         : QStringLiteral("Results evaluated for the top ")
                    + QString::number(readRunParameter(kTrainSamplesKey, 0)) + QStringLiteral(" records."));
    else
        setStatusText(3,
            fullValidation ? QStringLiteral("Results obtained using the Validation dataset.")
                           : QStringLiteral("Results obtained using the top ")
                    + QString::number(readRunParameter(kTestSamplesKey, 0))
                    + QStringLiteral(" records of the Validation set."));
    if (chkSynchro->isChecked() && !m_loading)
        ssCharts->setCurrentIndex(m_chartTabIndex);
}

void frmDecile::ShowCurrentChart()
{
    Hourglass busy;
    m_loading = true;
    ArrangeCharts();
    if (chkSynchro->isChecked()) {
        m_chartTabIndex = ssCharts->currentIndex();
        ssReports->setCurrentIndex(m_chartTabIndex);
    }
    const int tab = ssCharts->currentIndex();
    if (tab >= 0 && tab < int(analysisTabs().size()))
        selectCategory(analysisTabs()[std::size_t(tab)]);
    SaveSelectedChart();
    m_loading = false;
}

void frmDecile::selectCategory(const AnalysisTab& tab)
{
    if (!m_statsAdapter)
        return;
    PropertyGridAdapter::Category category = tab.category;
    for (const TabOptionCategory& option : tab.optionCategories)
        if (const auto* button = findChild<QRadioButton*>(QLatin1String(option.option)); button && button->isChecked())
            category = option.category;
    m_statsAdapter->SelectCategory(category);
}

void frmDecile::SaveSelectedChart()
{
    const int tab = ssCharts->currentIndex();
    if (tab >= 0 && tab < int(analysisTabs().size()))
        writeRunParameter(kSelectedChartKey, kFirstChartCode + tab);
}

void frmDecile::FillBucketList(double rows)
{
    cmbBuckets->clear();
    for (const char* fixed : { "2", "4", "5", "8", "9", "10", "12", "15" })
        cmbBuckets->addItem(QString::fromLatin1(fixed));
    for (int value : { 20, 25, 30, 40, 50, 75, 100, 200, 300, 400, 500, 1000 })
        if (rows / 2 >= value)
            cmbBuckets->addItem(QString::number(value));
}

void frmDecile::Layout()
{
    if (width() < px(kMinimumWidthTwips))
        resize(px(kMinimumWidthTwips), height());
    if (height() < px(kMinimumHeightTwips))
        resize(width(), px(kMinimumHeightTwips));
    const int sw = twips(width());
    const int sh = twips(height());
    const int statusHeight = sbStatus->sizeHint().height();
    reportsFrame->setGeometry(px(135), px(855), px(sw - 270), reportsFrame->height());
    ssReports->resize(
        std::min(ssReports->sizeHint().width(), reportsFrame->width() - 4), ssReports->sizeHint().height());
    rcDecile->setGeometry(px(270), px(1260), px(sw - 540), rcDecile->height());
    // The statistics grow with the window, so that their names and values are not cut on a large one.
    const int pgW = std::max(kStatisticsWidthTwips, sw * 3 / 10);
    chartsFrame->setGeometry(px(135), px(4760), px(sw - pgW - 405), px(sh - 5200));
    ssCharts->resize(std::min(ssCharts->sizeHint().width(), chartsFrame->width() - 4), ssCharts->sizeHint().height());
    pgProperties->setGeometry(px(sw - pgW - 135), px(4760), px(pgW), px(sh - 5200));
    ArrangeCharts();
    picProgress->move(width() / 2 - picProgress->width() / 2, height() / 2 - picProgress->height() / 2 + px(100));
    picProgress->raise();
    cmdClose->move(reportsFrame->x() + reportsFrame->width() - cmdClose->width() - px(200), cmdClose->y());
    if (helpControl)
        helpControl->move(cmdClose->x() - cmdClose->width() - px(80), cmdClose->y());
    // On a narrow window the model list gives way, so that the buttons cover no choice.
    cmdCompareModels->move(
        (helpControl ? helpControl->x() : cmdClose->x()) - cmdCompareModels->width() - px(80), cmdClose->y());
    const int buttonsLeft
        = cmdCompareModels->isHidden() ? (helpControl ? helpControl->x() : cmdClose->x()) : cmdCompareModels->x();
    const int rowEnd = layoutTopRow(0);
    if (rowEnd + 8 > buttonsLeft)
        layoutTopRow(rowEnd + 8 - buttonsLeft);
    // The chosen cutoff's note takes what is left before the buttons.
    QWidget* cutoff = m_chosenCutoff->panel();
    cutoff->resize(std::max(cutoff->sizeHint().width(), buttonsLeft - 8 - cutoff->x()), cutoff->height());
    for (QFrame* line : Line1)
        line->resize(width() - px(90) - line->x(), line->height());
    sbStatus->setGeometry(0, height() - statusHeight, width(), statusHeight);
}

void frmDecile::findTabControls()
{
    const auto named
        = [this](const char* name) -> QWidget* { return name ? findChild<QWidget*>(QLatin1String(name)) : nullptr; };
    m_tabControls.clear();
    for (const AnalysisTab& tab : analysisTabs()) {
        TabControls controls;
        controls.chart = named(tab.chart.objectName);
        controls.alternative = named(tab.alternative.objectName);
        controls.alternativeOption = qobject_cast<QRadioButton*>(named(tab.alternativeOption));
        for (const char* side : tab.sideControls)
            if (QWidget* control = named(side))
                controls.sides.push_back(control);
        m_tabControls.push_back(std::move(controls));
    }
}

void frmDecile::ArrangeCharts()
{
    const int current = ssCharts->currentIndex();
    for (int tab = 0; tab < int(m_tabControls.size()); ++tab) {
        if (tab == current)
            continue;
        const TabControls& other = m_tabControls[std::size_t(tab)];
        for (QWidget* control : { other.chart, other.alternative })
            if (control)
                control->hide();
        for (QWidget* control : other.sides)
            control->hide();
    }
    if (current >= 0 && current < int(m_tabControls.size()))
        arrangeTab(analysisTabs()[std::size_t(current)], m_tabControls[std::size_t(current)]);
}

void frmDecile::arrangeTab(const AnalysisTab& tab, const TabControls& controls)
{
    const TabArrangement& arrangement = tab.arrangement;
    const int left = px(180);
    const int top = std::max(px(540), ssCharts->y() + ssCharts->height() + 4);
    const int w = chartsFrame->width() - px(360);
    const int h = chartsFrame->height() - top - px(160);
    // The side column is as wide as its first control: the legend, check box or option button.
    const int sideWidth = controls.sides.empty() ? 0 : controls.sides.front()->width();
    const int chartWidth = w - sideWidth - px(arrangement.chartMarginTwips);
    const int sideLeft = left + chartWidth + px(arrangement.sideLeftTwips);
    int sideTop = top;
    for (std::size_t i = 0; i < controls.sides.size(); ++i) {
        QWidget* side = controls.sides[i];
        if (i < arrangement.sideTopsTwips.size())
            sideTop = top + px(arrangement.sideTopsTwips[i]);
        side->move(sideLeft, sideTop);
        sideTop += side->height() + arrangement.stackGap;
        side->show();
    }
    const bool alternative = controls.alternativeOption && controls.alternativeOption->isChecked();
    if (controls.chart) {
        controls.chart->setGeometry(left, top, chartWidth, h);
        controls.chart->setVisible(!alternative || !controls.alternative);
    }
    if (controls.alternative) {
        controls.alternative->setGeometry(left, top, chartWidth, h);
        controls.alternative->setVisible(alternative);
    }
}

QString frmDecile::HelpContext() const
{
    return QStringLiteral("location=lrwindow&b=") + cmbBuckets->currentText() + QStringLiteral("&ds=")
        + QString::number(cmbDataset->currentIndex()) + QStringLiteral("&sy=")
        + QString::number(chkSynchro->isChecked() ? 1 : 0) + QStringLiteral("&tb=")
        + QString::number(ssReports->currentIndex()) + QStringLiteral("&ch=")
        + QString::number(ssCharts->currentIndex());
}

void frmDecile::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Layout();
}

void frmDecile::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Layout();
    if (m_state == WindowState::StartUp && !m_activating)
        QTimer::singleShot(0, this, [this] {
            if (m_state == WindowState::StartUp)
                Activate();
        });
}

void frmDecile::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || m_state == WindowState::StartUp)
        return;
    // Activation work runs again when the user comes back from another of the library's own windows;
    // other applications, message boxes and menus do not count.
    if (!isActiveWindow()) {
        QWidget* now = QApplication::activeWindow();
        m_leftForOwnWindow
            = now && now != this && (now->inherits("lrv::frmDecile") || now->inherits("lrv::frmClassRepresentation"));
        return;
    }
    if (m_leftForOwnWindow && !m_inCalculation) {
        m_leftForOwnWindow = false;
        QTimer::singleShot(0, this, [this] { Activate(); });
    }
}

void frmDecile::closeEvent(QCloseEvent* event)
{
    if (m_inCalculation) {
        // The close box during a calculation stops it; the window closes once it has stopped.
        m_closeRequested = true;
        m_userCancelled = true;
        event->ignore();
        return;
    }
    bestEffort([&] {
        RegistryLib::SaveAppSetting(
            RegistryLib::kSection, QStringLiteral("Synchro"), QString::number(chkSynchro->isChecked() ? 1 : 0));
    });
    QDialog::closeEvent(event);
}

void frmDecile::reject()
{
    // Only the close button and the close box close the window, both through closeEvent.
    if (!m_inCalculation)
        QDialog::reject();
}

void frmDecile::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape reach the window only when no control took them: they close nothing.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool frmDecile::handleTabKeys(QKeyEvent* key)
{
    const bool ctrl = key->modifiers() & Qt::ControlModifier;
    int step = 0;
    if (ctrl && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_PageDown))
        step = 1;
    else if (ctrl && (key->key() == Qt::Key_Backtab || key->key() == Qt::Key_PageUp))
        step = -1;
    if (step == 0)
        return false;
    // The tab strip of the area that holds the focus; the charts' otherwise.
    QWidget* focus = QApplication::focusWidget();
    QTabBar* strip = focus && (focus == rcDecile || rcDecile->isAncestorOf(focus) || reportsFrame->isAncestorOf(focus))
        ? ssReports
        : ssCharts;
    const int tabs = int(analysisTabs().size());
    strip->setCurrentIndex((strip->currentIndex() + step + tabs) % tabs);
    return true;
}

bool frmDecile::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && (watched == cmbModels || watched == cmbDataset || watched == cmbBuckets))
        return true; // a wheel turned over a list while scrolling past must not change the analysis
    // A key travels from the focused control up to the window; it counts once, at its first stop.
    QWidget* firstStop = QApplication::focusWidget();
    if (!firstStop || !isAncestorOf(firstStop))
        firstStop = this;
    if (event->type() != QEvent::KeyPress || watched != firstStop)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (handleTabKeys(key))
        return true;
    if (choicesCount()) {
        // Of successive key-down events the first, third, fifth... are acted on.
        if (++m_keyCount >= 2) {
            m_keyCount = 0;
            return QDialog::eventFilter(watched, event);
        }
        if (key->key() == Qt::Key_F5) {
            Recalculate();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace lrv
