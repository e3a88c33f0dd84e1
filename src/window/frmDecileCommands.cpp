// What the user can do in the analysis window.
#include "charts/ChartInterfaces.h"
#include "host/IHostCore.h"
#include "reports/IDataReport.h"
#include "reports/PropertyGrid.h"
#include "reports/PropertyGridAdapter.h"
#include "reports/ReportGrid.h"
#include "support/ClipboardHelpers.h"
#include "support/Error.h"
#include "window/AnalysisTabs.h"
#include "window/ChartAdapter.h"
#include "window/CompareModelsDialog.h"
#include "window/HelpControl.h"
#include "window/Hourglass.h"
#include "window/ModelSelector.h"
#include "window/frmDecile.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

namespace lrv {

namespace {
    // Enter in the buckets box recalculates whatever the text.
    class EnterFilter : public QObject {
    public:
        EnterFilter(QObject* parent, std::function<void()> onEnter)
            : QObject(parent)
            , m_onEnter(std::move(onEnter))
        {
        }

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::KeyPress) {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                    m_onEnter();
                    return true;
                }
            }
            return QObject::eventFilter(watched, event);
        }

    private:
        std::function<void()> m_onEnter;
    };
}

void frmDecile::connectCommands()
{
    connect(cmbModels, &QComboBox::currentIndexChanged, this, [this] { onModelClicked(); });
    connect(cmbDataset, &QComboBox::currentIndexChanged, this, [this] { onDataSetClicked(); });
    connect(cmbBuckets, &QComboBox::activated, this, [this] { onBucketsPicked(); });
    // Typed counts stay as typed: the list's inline completion would turn "7" into "75".
    cmbBuckets->setCompleter(nullptr);
    auto* enter = new EnterFilter(this, [this] {
        if (choicesCount())
            Recalculate();
    });
    cmbBuckets->installEventFilter(enter);
    if (cmbBuckets->lineEdit())
        cmbBuckets->lineEdit()->installEventFilter(enter);

    if (ctlModelSelector)
        connect(ctlModelSelector, &ModelSelector::ModelChanged, this, [this](int selectedModelId) {
            // The first entry with that id; its selection change does the rest.
            for (int i = 0; i < cmbModels->count(); ++i)
                if (cmbModels->itemData(i).toInt() == selectedModelId) {
                    cmbModels->setCurrentIndex(i);
                    break;
                }
        });

    connect(cmdStop, &QPushButton::clicked, this, [this] {
        if (isBusy(m_state))
            m_userCancelled = true;
    });
    connect(cmdClose, &QPushButton::clicked, this, [this] { close(); });
    connect(cmdCompareModels, &QPushButton::clicked, this, [this] { bestEffort([this] { onCompareModels(); }); });
    // No button is the window's default: Enter must not close it.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    connect(ssReports, &QTabBar::currentChanged, this, [this] { bestEffort([&] { ShowCurrentReport(); }); });
    connect(ssCharts, &QTabBar::currentChanged, this, [this] { bestEffort([&] { ShowCurrentChart(); }); });
    connect(chkSynchro, &QCheckBox::toggled, this, [this] { onSynchroClicked(); });

    for (int i = 0; i < 2; ++i) {
        connect(optQuantiles[i], &QRadioButton::clicked, this, [this, i] { onQuantilesOption(i); });
        connect(optMatrix[i], &QRadioButton::clicked, this, [this, i] { onMatrixOption(i); });
    }
    for (int i = 0; i < 3; ++i)
        connect(optConfMatrixType[i], &QRadioButton::clicked, this, [this, i] { onConfMatrixTypeOption(i); });
    connect(chkShowPoints, &QCheckBox::clicked, this, [this] {
        if (m_loading || !m_fitAdapter)
            return;
        bestEffort([&] {
            m_fitAdapter->ChangeLogisticFit(dynamic_cast<ILogisticFitChart*>(lfChart), chkShowPoints->isChecked());
        });
    });
    connect(ckCutoffNormalized, &QCheckBox::clicked, this, [this] {
        if (m_loading)
            return;
        if (auto* chart = dynamic_cast<ICutoffChart*>(chCutoff)) {
            chart->SetShowOCP(ckCutoffNormalized->isChecked());
            chart->Refresh();
        }
    });
    connect(chkShowLogisticCuttofPoint, &QCheckBox::clicked, this, [this] {
        if (m_loading)
            return;
        if (auto* chart = dynamic_cast<ICutoffChart*>(chCutoff)) {
            chart->SetShowLCP(chkShowLogisticCuttofPoint->isChecked());
            chart->Refresh();
        }
    });
    connect(chkShowLcpLogFit, &QCheckBox::clicked, this, [this] {
        if (m_loading)
            return;
        if (auto* chart = dynamic_cast<ILogisticFitChart*>(lfChart)) {
            chart->SetShowLCP(chkShowLcpLogFit->isChecked());
            chart->Refresh();
        }
    });

    // Late binding by name: a quantile chart raises PointSelected(int).
    if (chQuantile->metaObject()->indexOfSignal("PointSelected(int)") >= 0)
        connect(chQuantile, SIGNAL(PointSelected(int)), this, SLOT(quantilePointSelected(int)));
    connect(rcDecile, &ReportGrid::selectionChanged, this, [this] { onReportSelectionChanged(); });
    connect(rcDecile, &ReportGrid::contextMenuRequested, this, [this](const QPoint& at) { onReportGridMenu(at); });
    for (int i = 0; i < 5; ++i)
        if (i != 3)
            connect(mnuTableCopy[i], &QAction::triggered, this, [this, i] { onTableMenu(i); });
    connect(pgProperties, &PropertyGrid::PopupRequested, this, [this](const QPoint& at) { ctxProperties->popup(at); });
    connect(mnuProperties[0], &QAction::triggered, this, [this] { onPropertiesMenu(0); });
    connect(mnuProperties[2], &QAction::triggered, this, [this] { onPropertiesMenu(2); });

    if (helpControl)
        connect(helpControl, &HelpControl::SetContext, this, [this] { helpControl->setContext(HelpContext()); });
}

void frmDecile::onModelClicked()
{
    if (!choicesCount())
        return;
    followModelInSelector();
    if (cmbModels->currentData().toInt() != m_currentModelId)
        RecalculateIfRun();
}

void frmDecile::onDataSetClicked()
{
    if (!choicesCount())
        return;
    if (cmbDataset->currentIndex() + 1 != m_currentDataSet)
        RecalculateIfRun();
}

void frmDecile::onBucketsPicked()
{
    if (!choicesCount())
        return;
    bool ok = false;
    const int buckets = cmbBuckets->currentText().trimmed().toInt(&ok);
    if (!ok || buckets != m_currentBuckets)
        Recalculate();
}

void frmDecile::onSynchroClicked()
{
    if (chkSynchro->isChecked())
        ssCharts->setCurrentIndex(ssReports->currentIndex());
}

void frmDecile::onQuantilesOption(int index)
{
    chQuantile->setVisible(index == 0);
    trendChart->setVisible(index == 1);
    if (!trendChart->isHidden())
        if (auto* chart = dynamic_cast<IChartControl*>(trendChart))
            bestEffort([&] { chart->Refresh(); });
}

void frmDecile::onConfMatrixTypeOption(int index)
{
    if (auto* matrix = dynamic_cast<IConfusionMatrixControl*>(confMatrix))
        bestEffort([&] { matrix->ShowItem(index); });
    bestEffort([&] { ShowCurrentChart(); });
}

void frmDecile::onMatrixOption(int index)
{
    if (auto* matrix = dynamic_cast<IConfusionMatrixControl*>(confMatrix))
        bestEffort([&] { matrix->SetMode(index); });
    Layout();
}

void frmDecile::quantilePointSelected(int point)
{
    // The chart and the grid are linked only while the quantiles are shown.
    if (!m_reports || currentReport() != &m_reports->quantiles)
        return;
    rcDecile->selectRow(point - 1);
}

void frmDecile::onReportSelectionChanged()
{
    if (!m_reports || currentReport() != &m_reports->quantiles)
        return;
    const QList<int> rows = rcDecile->selectedRows();
    if (rows.isEmpty())
        return;
    if (auto* chart = dynamic_cast<IQuantileChart*>(chQuantile))
        bestEffort([&] { chart->ShowPoint(rows.first()); });
}

void frmDecile::onReportGridMenu(const QPoint& globalPos)
{
    const bool rowsSelected = !rcDecile->selectedRows().isEmpty();
    mnuTableCopy[1]->setEnabled(rowsSelected);
    mnuTableCopy[2]->setEnabled(rowsSelected);
    mnuTable->popup(globalPos);
}

void frmDecile::onTableMenu(int index)
{
    bestEffort([&] {
        IDataReport* current = currentReport();
        switch (index) {
        case 0:
            if (current)
                current->CopyAllData();
            break;
        case 1:
            if (current && rcDecile->focusedColumn() >= 0)
                current->CopyColumns(Vector<std::int32_t>({ std::int32_t(rcDecile->focusedColumn()) }));
            break;
        case 2:
            rcDecile->copySelectedRows();
            break;
        case 4:
            rcDecile->setGroupBoxVisible(mnuTableCopy[4]->isChecked());
            if (!mnuTableCopy[4]->isChecked())
                rcDecile->removeGrouping();
            break;
        }
    });
}

void frmDecile::onPropertiesMenu(int index)
{
    bestEffort([&] {
        if (!m_statsAdapter)
            return;
        if (index == 0)
            ClipboardHelpers::CopyText(m_statsAdapter->ToString());
        else if (index == 2)
            ClipboardHelpers::PrintText(m_statsAdapter->ToString(), this);
    });
}

void frmDecile::onCompareModels()
{
    if (!choicesCount())
        return;
    const std::shared_ptr<ComparePresenter> presenter = HostCore::get().createComparePresenter();
    if (!presenter)
        return;
    auto* dialog = new CompareModelsDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    {
        Hourglass busy;
        presenter->Compare(*dialog, m_run, GetDataSet());
    }
    if (dialog->hasComparison())
        dialog->show();
    else
        dialog->deleteLater();
}

} // namespace lrv
