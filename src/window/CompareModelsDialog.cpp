#include "window/CompareModelsDialog.h"

#include "support/ClipboardHelpers.h"
#include "support/Error.h"
#include "support/NumberText.h"
#include "support/UserPromptLib.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace lrv {

/// Paints the host's picture of the curves as large as the widget allows, keeping its proportions.
class ComparisonPicture : public QWidget {
public:
    explicit ComparisonPicture(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("picComparison"));
        setMinimumSize(400, 200);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    void setFigures(const ComparisonFigures* figures)
    {
        m_figures = figures;
        update();
    }

    /// Where the picture stands in the widget.
    QRect pictureRect() const
    {
        if (!m_figures || m_figures->pictureSize.isEmpty())
            return {};
        const QSize size = m_figures->pictureSize.scaled(this->size(), Qt::KeepAspectRatio);
        return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (m_figures && m_figures->paint)
            bestEffort([&] { m_figures->paint(painter, pictureRect()); });
    }

private:
    const ComparisonFigures* m_figures = nullptr;
};

namespace {
    QString interval(double low, double high)
    {
        return figureText(low, 4) + QStringLiteral(" to ") + figureText(high, 4);
    }

    QTableWidget* table(const QString& name, const QStringList& captions, QWidget* parent)
    {
        auto* grid = new QTableWidget(0, int(captions.size()), parent);
        grid->setObjectName(name);
        grid->setHorizontalHeaderLabels(captions);
        grid->verticalHeader()->hide();
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        return grid;
    }

    void fillRow(QTableWidget* grid, int row, const QStringList& texts)
    {
        for (int column = 0; column < texts.size(); ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            item->setTextAlignment((column == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            grid->setItem(row, column, item);
        }
    }
}

CompareModelsDialog::CompareModelsDialog(QWidget* parent)
    : QDialog(parent)
    , m_summary(new QLabel(this))
    , m_picture(new ComparisonPicture(this))
    , m_models(table(QStringLiteral("grdModels"),
          { QStringLiteral("Model"), QStringLiteral("AUC"), QStringLiteral("95 % CI"), QStringLiteral("Gini"),
              QStringLiteral("KS"), QStringLiteral("Brier"), QStringLiteral("Hosmer-Lemeshow p"),
              QStringLiteral("Youden Cutoff"), QStringLiteral("Accuracy"), QStringLiteral("Records Without Output") },
          this))
    , m_pairs(table(QStringLiteral("grdPairs"),
          { QStringLiteral("Models"), QStringLiteral("AUC Difference"), QStringLiteral("95 % CI"),
              QStringLiteral("p (two-sided)") },
          this))
    , m_copy(new QPushButton(QStringLiteral("&Copy Picture"), this))
{
    setObjectName(QStringLiteral("frmCompareModels"));
    setWindowTitle(QStringLiteral("Compare Models"));
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_summary->setWordWrap(true);
    m_copy->setObjectName(QStringLiteral("cmdCopy"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_copy, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_copy, &QPushButton::clicked, this, &CompareModelsDialog::copyPicture);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_picture, 3);
    layout->addWidget(m_models, 1);
    layout->addWidget(m_pairs, 1);
    layout->addWidget(buttons);
    resize(1000, 800);
}

void CompareModelsDialog::ShowComparison(const ComparisonFigures& figures)
{
    m_figures = figures;
    m_hasComparison = true;
    QString summary = QStringLiteral("%1 of %2 records of the %3 dataset compared")
                          .arg(figures.compared)
                          .arg(figures.records)
                          .arg(figures.dataSetName);
    const std::int64_t leftOut = figures.records - figures.compared;
    summary += leftOut > 0
        ? QStringLiteral("; %1 left out because at least one model has no output for them.").arg(leftOut)
        : QStringLiteral("; every model has an output for every record.");
    summary += QStringLiteral(" Hosmer-Lemeshow test over %1 buckets; * marks a model whose probabilities come "
                              "from its logistic fit.")
                   .arg(figures.buckets);
    m_summary->setText(summary);

    m_models->setRowCount(int(figures.models.size()));
    for (int row = 0; row < int(figures.models.size()); ++row) {
        const ComparedModelFigures& m = figures.models[std::size_t(row)];
        fillRow(m_models, row,
            { QStringLiteral("%1 (%2)").arg(m.name).arg(m.id), figureText(m.auc, 4), interval(m.aucLow, m.aucHigh),
                figureText(m.gini, 4), figureText(m.ks, 4),
                figureText(m.brier, 4) + (m.probabilitiesFromOutputs ? QString() : QStringLiteral("*")),
                pValueText(m.hosmerLemeshowP), QString::number(m.cutoff, 'g', 6),
                figureText(100 * m.accuracy, 1) + QStringLiteral(" %"), QString::number(m.recordsWithoutOutput) });
        m_models->item(row, 0)->setIcon([&] {
            QPixmap swatch(12, 12);
            swatch.fill(m.colour);
            return QIcon(swatch);
        }());
    }
    m_pairs->setRowCount(int(figures.pairs.size()));
    for (int row = 0; row < int(figures.pairs.size()); ++row) {
        const ComparedPairFigures& p = figures.pairs[std::size_t(row)];
        fillRow(m_pairs, row,
            { p.a + QStringLiteral(" − ") + p.b, figureText(p.difference, 4), interval(p.low, p.high),
                pValueText(p.p) });
    }
    m_pairs->setVisible(!figures.pairs.empty());
    m_picture->setFigures(&m_figures);
}

void CompareModelsDialog::ShowError(const QString& message) { UserPromptLib::ShowInfoPrompt(message, this); }

void CompareModelsDialog::copyPicture()
{
    if (!m_hasComparison || !m_figures.paint)
        return;
    bestEffort([this] { ClipboardHelpers::CopyPainted(m_figures.paint, m_figures.pictureSize); });
}

} // namespace lrv
