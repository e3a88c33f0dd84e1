// Building the analysis window's controls: names, captions and design-time places.
#include "reports/PropertyGrid.h"
#include "reports/ReportGrid.h"
#include "support/ControlRegistry.h"
#include "window/AnalysisTabs.h"
#include "window/ChosenCutoffLink.h"
#include "window/HelpControl.h"
#include "window/ModelSelector.h"
#include "window/frmDecile.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>

namespace lrv {

namespace {
    QFrame* legendFrame(QWidget* parent, const QString& name)
    {
        auto* frame = new QFrame(parent);
        frame->setObjectName(name);
        frame->setFrameShape(QFrame::StyledPanel);
        auto* grid = new QGridLayout(frame);
        grid->setContentsMargins(6, 6, 6, 6);
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(4);
        return frame;
    }

    QRadioButton* option(QWidget* parent, const QString& name, const QString& caption)
    {
        auto* button = new QRadioButton(caption, parent);
        button->setObjectName(name);
        return button;
    }

    QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption, bool on)
    {
        auto* box = new QCheckBox(caption, parent);
        box->setObjectName(name);
        box->setChecked(on);
        box->adjustSize();
        return box;
    }
}

void frmDecile::buildControls()
{
    setObjectName(QStringLiteral("frmDecile"));
    setWindowTitle(QStringLiteral("Logistic Regression"));
    setSizeGripEnabled(true);
    // Room for every top-row control beside the buttons, within the screen.
    QSize size(1320, 880);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 0.95);
    resize(size);
    buildTopRow();
    buildReportArea();
    buildChartArea();
    buildLegends();
    buildProgressPanel();
    buildMenus();
    findTabControls();
    m_chosenCutoff = new ChosenCutoffLink(
        this, { rcChart, chCutoff, chGains, chLift, confMatrix, pgProperties, {}, [this] { return currentReport(); } });
    layoutTopRow(0);
}

void frmDecile::buildTopRow()
{
    lblModel = new QLabel(QStringLiteral("Model*:"), this);
    lblModel->setObjectName(QStringLiteral("lblModel"));

    cmbModels = new QComboBox(this);
    cmbModels->setObjectName(QStringLiteral("cmbModels"));

    QWidget* selector = ControlRegistry::create(ControlRegistry::progIdOf(QStringLiteral("ModelSelector")), this);
    ctlModelSelector = qobject_cast<ModelSelector*>(selector);
    if (!ctlModelSelector)
        delete selector;
    else {
        ctlModelSelector->setObjectName(QStringLiteral("ctlModelSelector"));
    }

    Label1 = new QLabel(QStringLiteral("Dataset:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    cmbDataset = new QComboBox(this);
    cmbDataset->setObjectName(QStringLiteral("cmbDataset"));
    cmbDataset->addItems({ QStringLiteral("Training"), QStringLiteral("Validation") });

    Label2 = new QLabel(QStringLiteral("Quantiles:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    cmbBuckets = new QComboBox(this);
    cmbBuckets->setObjectName(QStringLiteral("cmbBuckets"));
    cmbBuckets->setEditable(true);
    cmbBuckets->setInsertPolicy(QComboBox::NoInsert);
    cmbBuckets->setEditText(QStringLiteral("10"));

    chkSynchro = new QCheckBox(QStringLiteral("Sync Tables && Charts"), this);
    chkSynchro->setObjectName(QStringLiteral("chkSynchro"));

    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setGeometry(0, 7, 75, 26);

    cmdCompareModels = new QPushButton(QStringLiteral("Co&mpare Models..."), this);
    cmdCompareModels->setObjectName(QStringLiteral("cmdCompareModels"));
    cmdCompareModels->setToolTip(QStringLiteral("Every model of the run on the current dataset, side by side"));
    cmdCompareModels->setGeometry(0, 7, cmdCompareModels->sizeHint().width(), 26);

    QWidget* help = ControlRegistry::create(ControlRegistry::progIdOf(QStringLiteral("HelpControl")), this);
    helpControl = qobject_cast<HelpControl*>(help);
    if (!helpControl)
        delete help;
    else {
        helpControl->setObjectName(QStringLiteral("HelpControl"));
        helpControl->setGeometry(0, 7, 75, 26);
    }

    layoutTopRow(0);

    for (int i = 0; i < 2; ++i) {
        Line1[i] = new QFrame(this);
        Line1[i]->setObjectName(QStringLiteral("Line1(%1)").arg(i + 2));
        Line1[i]->setFrameShape(QFrame::HLine);
        Line1[i]->setFrameShadow(i == 0 ? QFrame::Sunken : QFrame::Plain);
        Line1[i]->setGeometry(6, 40 + i, 900, 1);
    }
}

int frmDecile::layoutTopRow(int shrinkBy)
{
    // What the row lacks comes from the model selector first, down to a width that still shows its
    // fitness, then from the model list.
    const int selectorWidth = ctlModelSelector ? std::max(140, ctlModelSelector->sizeHint().width()) : 0;
    const int selectorShrink = std::clamp(shrinkBy, 0, std::max(0, selectorWidth - kNarrowestSelector));
    const int modelListWidth = std::max(kNarrowestModelList, kModelListWidth - (shrinkBy - selectorShrink));
    // Left to right at their natural widths, so no caption is cut whatever the font.
    int x = 9;
    const int rowHeight = cmbModels->sizeHint().height();
    const auto place = [&](QWidget* control, int width, int gap) {
        if (!control)
            return;
        const int height = std::min(control->sizeHint().height(), rowHeight);
        control->setGeometry(x, 20 - height / 2, width, height);
        x += width + gap;
    };
    place(lblModel, lblModel->sizeHint().width(), 4);
    place(cmbModels, modelListWidth, 6);
    place(ctlModelSelector, selectorWidth - selectorShrink, 14);
    place(Label1, Label1->sizeHint().width(), 4);
    place(cmbDataset, cmbDataset->sizeHint().width() + 8, 14);
    place(Label2, Label2->sizeHint().width(), 4);
    place(cmbBuckets, 70, 14);
    place(chkSynchro, chkSynchro->sizeHint().width(), 14);
    if (m_chosenCutoff)
        place(m_chosenCutoff->panel(), m_chosenCutoff->panel()->sizeHint().width(), 0);
    return x;
}

void frmDecile::buildReportArea()
{
    reportsFrame = new QFrame(this);
    reportsFrame->setFrameShape(QFrame::StyledPanel);
    reportsFrame->setGeometry(9, 57, 1000, 253);
    ssReports = new QTabBar(reportsFrame);
    ssReports->setObjectName(QStringLiteral("ssReports"));
    ssReports->setExpanding(false);
    ssReports->setDrawBase(false);
    for (const AnalysisTab& tab : analysisTabs())
        ssReports->addTab(QString::fromLatin1(tab.reportCaption));
    ssReports->move(2, 2);

    rcDecile = new ReportGrid(this);
    rcDecile->setObjectName(QStringLiteral("rcDecile"));
    rcDecile->setGeometry(18, 84, 980, 220);
}

QWidget* frmDecile::createChart(const QString& controlName, const QString& objectName)
{
    QWidget* chart = ControlRegistry::create(ControlRegistry::progIdOf(controlName), chartsFrame);
    if (!chart) {
        // Not registered in this build: the tab shows an empty chart area.
        chart = new QWidget(chartsFrame);
    }
    chart->setObjectName(objectName);
    chart->hide();
    return chart;
}

void frmDecile::buildChartArea()
{
    chartsFrame = new QFrame(this);
    chartsFrame->setFrameShape(QFrame::StyledPanel);
    ssCharts = new QTabBar(chartsFrame);
    ssCharts->setObjectName(QStringLiteral("ssCharts"));
    ssCharts->setExpanding(false);
    ssCharts->setDrawBase(false);
    for (const AnalysisTab& tab : analysisTabs()) {
        ssCharts->addTab(QString::fromLatin1(tab.caption));
        for (const TabChart& chart : { tab.chart, tab.alternative })
            if (chart.control)
                createChart(QLatin1String(chart.control), QLatin1String(chart.objectName));
    }
    ssCharts->move(2, 2);

    const auto chart = [this](const char* name) { return chartsFrame->findChild<QWidget*>(QLatin1String(name)); };
    chQuantile = chart("chQuantile");
    trendChart = chart("trendChart");
    rcChart = chart("rcChart");
    chCutoff = chart("chCutoff");
    chGains = chart("chGains");
    chLift = chart("chLift");
    chSlope = chart("chSlope");
    lfChart = chart("lfChart");
    confMatrix = chart("confMatrix");
    chCalibration = chart("chCalibration");

    auto* quantileGroup = new QButtonGroup(this);
    optQuantiles[0] = option(chartsFrame, QStringLiteral("optQuantiles(0)"), QStringLiteral("Distribution"));
    optQuantiles[1] = option(chartsFrame, QStringLiteral("optQuantiles(1)"), QStringLiteral("Regression"));
    for (int i = 0; i < 2; ++i) {
        quantileGroup->addButton(optQuantiles[i], i);
        optQuantiles[i]->resize(100, 20);
    }
    optQuantiles[0]->setChecked(true);

    ckCutoffNormalized
        = checkBox(chartsFrame, QStringLiteral("ckCutoffNormalized"), QStringLiteral("Show ROC CP"), true);
    chkShowLogisticCuttofPoint
        = checkBox(chartsFrame, QStringLiteral("chkShowLogisticCuttofPoint"), QStringLiteral("Show LCP"), true);
    chkShowPoints = checkBox(chartsFrame, QStringLiteral("chkShowPoints"), QStringLiteral("Show Dummy Points"), true);
    chkShowLcpLogFit = checkBox(chartsFrame, QStringLiteral("chkShowLcpLogFit"), QStringLiteral("Show LCP"), true);
    const int cutoffBoxWidth = std::max(ckCutoffNormalized->width(), chkShowLogisticCuttofPoint->width());
    ckCutoffNormalized->resize(cutoffBoxWidth, ckCutoffNormalized->height());
    chkShowLogisticCuttofPoint->resize(cutoffBoxWidth, chkShowLogisticCuttofPoint->height());

    pgProperties = new PropertyGrid(this);
    pgProperties->setObjectName(QStringLiteral("pgProperties"));
    pgProperties->resize(4110 / kTwipsPerPixel, 300);

    sbStatus = new QStatusBar(this);
    sbStatus->setObjectName(QStringLiteral("sbStatus"));
    sbStatus->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        m_statusPanels[i] = new QLabel(sbStatus);
        m_statusPanels[i]->setObjectName(QStringLiteral("sbStatus.Panel(%1)").arg(i + 1));
        m_statusPanels[i]->setFrameShape(QFrame::StyledPanel);
        m_statusPanels[i]->setFrameShadow(QFrame::Sunken);
        sbStatus->addWidget(m_statusPanels[i], i == 1 ? 0 : 1);
    }
}

QLabel* frmDecile::legendValue(
    QWidget* legend, const QString& objectName, const QString& caption, const QString& tip, int row)
{
    auto* grid = static_cast<QGridLayout*>(legend->layout());
    auto* captionLabel = new QLabel(caption, legend);
    captionLabel->setToolTip(tip);
    auto* value = new QLabel(legend);
    value->setObjectName(objectName);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setMinimumWidth(70);
    grid->addWidget(captionLabel, row, 0);
    grid->addWidget(value, row, 1);
    if (objectName == QLatin1String("lblOneMinuxAUC")) {
        captionLabel->setObjectName(QStringLiteral("lblGainsLabels(3)"));
        lblOneMinusAUCCaption = captionLabel;
    }
    return value;
}

void frmDecile::buildLegends()
{
    picROCLegend = legendFrame(chartsFrame, QStringLiteral("picROCLegend"));
    lblAUC = legendValue(
        picROCLegend, QStringLiteral("lblAUC"), QStringLiteral("AUC:"), QStringLiteral("Area Under the ROC Curve"), 0);
    lblOneMinuxAUC = legendValue(picROCLegend, QStringLiteral("lblOneMinuxAUC"), QStringLiteral("1 - AUC:"),
        QStringLiteral("The model ranks the classes the wrong way round"), 1);
    lblOneMinuxAUC->hide();
    lblOneMinusAUCCaption->hide();

    picGainsLegend = legendFrame(chartsFrame, QStringLiteral("picGainsLegend"));
    lblGainsAUC = legendValue(picGainsLegend, QStringLiteral("lblGainsAUC"), QStringLiteral("AUC:"),
        QStringLiteral("Area Under the Lift Curve"), 0);
    lblRankingQuality = legendValue(picGainsLegend, QStringLiteral("lblRankingQuality"), QStringLiteral("GRQ:"),
        QStringLiteral("Gains Ranking Quality"), 1);

    picLiftLegend = legendFrame(chartsFrame, QStringLiteral("picLiftLegend"));
    lblABC = legendValue(picLiftLegend, QStringLiteral("lblABC"), QStringLiteral("ABC:"),
        QStringLiteral("Area Between the Cumulative Lift Curve and the Random Line"), 0);
    lblCumLiftArea = legendValue(picLiftLegend, QStringLiteral("lblCumLiftArea"), QStringLiteral("Cum. Lift Area:"),
        QStringLiteral("Area Under the Cumulative Lift Curve"), 1);
    lblLiftArea = legendValue(picLiftLegend, QStringLiteral("lblLiftArea"), QStringLiteral("Lift Area:"),
        QStringLiteral("Area Under the Lift Curve"), 2);
    lblLRQ = legendValue(
        picLiftLegend, QStringLiteral("lblLRQ"), QStringLiteral("LRQ:"), QStringLiteral("Lift Ranking Quality"), 3);

    picLogOddsLegend = legendFrame(chartsFrame, QStringLiteral("picLogOddsLegend"));
    lblSlope = legendValue(picLogOddsLegend, QStringLiteral("lblSlope"), QStringLiteral("Slope:"), QString(), 0);
    lblIntercept
        = legendValue(picLogOddsLegend, QStringLiteral("lblIntercept"), QStringLiteral("Intercept:"), QString(), 1);
    lblRSquare = legendValue(picLogOddsLegend, QStringLiteral("lblRSquare"), QStringLiteral("R-square:"), QString(), 2);
    lblExpSlope = legendValue(picLogOddsLegend, QStringLiteral("lblExpSlope"), QStringLiteral("Exp(Slope):"),
        QStringLiteral("Odds ratio per unit of the model output"), 3);

    picMatrixLegend = legendFrame(chartsFrame, QStringLiteral("picMatrixLegend"));
    picConfMatrixTypeLegend = legendFrame(chartsFrame, QStringLiteral("picConfMatrixTypeLegend"));
    auto* matrixGroup = new QButtonGroup(this);
    auto* typeGroup = new QButtonGroup(this);
    const QString matrixCaptions[2] = { QStringLiteral("Table"), QStringLiteral("Distribution") };
    const QString typeCaptions[3] = { QStringLiteral("ROC"), QStringLiteral("Logistic"), QStringLiteral("Chosen") };
    for (int i = 0; i < 3; ++i) {
        if (i < 2) {
            optMatrix[i] = option(picMatrixLegend, QStringLiteral("optMatrix(%1)").arg(i), matrixCaptions[i]);
            static_cast<QGridLayout*>(picMatrixLegend->layout())->addWidget(optMatrix[i], i, 0);
            matrixGroup->addButton(optMatrix[i], i);
        }
        optConfMatrixType[i]
            = option(picConfMatrixTypeLegend, QStringLiteral("optConfMatrixType(%1)").arg(i), typeCaptions[i]);
        static_cast<QGridLayout*>(picConfMatrixTypeLegend->layout())->addWidget(optConfMatrixType[i], i, 0);
        typeGroup->addButton(optConfMatrixType[i], i);
    }
    optMatrix[0]->setChecked(true);
    optConfMatrixType[1]->setChecked(true);

    for (QFrame* legend :
        { picROCLegend, picGainsLegend, picLiftLegend, picLogOddsLegend, picMatrixLegend, picConfMatrixTypeLegend }) {
        legend->adjustSize();
        legend->resize(std::max(legend->width(), kLegendWidth), legend->height());
        legend->hide();
    }
    const int matrixWidth = std::max(picMatrixLegend->width(), picConfMatrixTypeLegend->width());
    picMatrixLegend->resize(matrixWidth, picMatrixLegend->height());
    picConfMatrixTypeLegend->resize(matrixWidth, picConfMatrixTypeLegend->height());
}

void frmDecile::buildProgressPanel()
{
    picProgress = new QFrame(this);
    picProgress->setObjectName(QStringLiteral("picProgress"));
    picProgress->setFrameShape(QFrame::Panel);
    picProgress->setFrameShadow(QFrame::Raised);
    picProgress->setAutoFillBackground(true);
    picProgress->resize(360, 96);
    lblProgress = new QLineEdit(picProgress);
    lblProgress->setObjectName(QStringLiteral("lblProgress"));
    lblProgress->setReadOnly(true);
    lblProgress->setFrame(false);
    lblProgress->setGeometry(12, 10, 336, 22);
    pBar = new QProgressBar(picProgress);
    pBar->setObjectName(QStringLiteral("pBar"));
    pBar->setGeometry(12, 36, 336, 18);
    pBar->setTextVisible(false);
    cmdStop = new QPushButton(QStringLiteral("&Cancel"), picProgress);
    cmdStop->setObjectName(QStringLiteral("cmdStop"));
    cmdStop->setGeometry(273, 62, 75, 26);
    picProgress->hide();
}

void frmDecile::buildMenus()
{
    mnuTable = new QMenu(this);
    mnuTable->setObjectName(QStringLiteral("mnuTable"));
    const QString captions[5] = { QStringLiteral("Copy &All Data"), QStringLiteral("Copy &Selected Column"),
        QStringLiteral("&Copy Selected Rows"), QString(), QStringLiteral("Show Group Box") };
    for (int i = 0; i < 5; ++i) {
        mnuTableCopy[i] = i == 3 ? mnuTable->addSeparator() : mnuTable->addAction(captions[i]);
        mnuTableCopy[i]->setObjectName(QStringLiteral("mnuTableCopy(%1)").arg(i));
    }
    mnuTableCopy[4]->setCheckable(true);

    ctxProperties = new QMenu(this);
    ctxProperties->setObjectName(QStringLiteral("ctxProperties"));
    mnuProperties[0] = ctxProperties->addAction(QStringLiteral("&Copy"));
    mnuProperties[1] = ctxProperties->addSeparator();
    mnuProperties[2] = ctxProperties->addAction(QStringLiteral("&Print"));
    for (int i = 0; i < 3; ++i)
        mnuProperties[i]->setObjectName(QStringLiteral("mnuProperties(%1)").arg(i));
}

} // namespace lrv
