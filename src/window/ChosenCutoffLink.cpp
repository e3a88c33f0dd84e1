#include "window/ChosenCutoffLink.h"

#include "charts/CutoffChart.h"
#include "charts/ROCChart.h"
#include "reports/ChosenCutoffCategory.h"
#include "reports/TableReport.h"
#include "support/Error.h"
#include "support/NumberText.h"

#include <limits>

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace lrv {

namespace {
    template <typename Interface> Interface* as(QWidget* control) { return dynamic_cast<Interface*>(control); }

    /// The input shows a rule as written and a value by its digits.
    QString inputText(const ChosenCutoffFigures& figures)
    {
        bool isNumber = false;
        figures.rule.toDouble(&isNumber);
        return isNumber ? defaultNumberText(figures.cutoff) : figures.rule;
    }
}

ChosenCutoffLink::ChosenCutoffLink(QWidget* parent, Views views)
    : QObject(parent)
    , m_views(std::move(views))
{
    m_panel = new QWidget(parent);
    m_panel->setObjectName(QStringLiteral("picCutoff"));
    auto* layout = new QHBoxLayout(m_panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(QStringLiteral("C&utoff:"), m_panel);
    caption->setObjectName(QStringLiteral("lblCutoff"));
    m_input = new QLineEdit(m_panel);
    m_input->setObjectName(QStringLiteral("txtCutoff"));
    m_input->setToolTip(QStringLiteral("The chosen cutoff: youden, logistic, sensitivity=X, specificity=X, top=K%, "
                                       "cost=A:B or an output value; Enter applies it"));
    m_input->setFixedWidth(110);
    caption->setBuddy(m_input);
    m_note = new QLabel(m_panel);
    m_note->setObjectName(QStringLiteral("lblCutoffNote"));
    // The note takes the room the window leaves it (its whole text in the tool tip), never widening the row.
    m_note->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(caption);
    layout->addWidget(m_input);
    layout->addWidget(m_note, 1);

    connect(m_input, &QLineEdit::returnPressed, this, [this] { choose(m_input->text()); });
    if (auto* chart = qobject_cast<CutoffChart*>(m_views.cutoff))
        connect(chart, &CutoffChart::cutoffDragged, this,
            [this](double cutoff) { choose(QString::number(cutoff, 'g', 17)); });
    if (auto* chart = qobject_cast<ROCChart*>(m_views.roc))
        connect(
            chart, &ROCChart::cutoffPicked, this, [this](double output) { choose(QString::number(output, 'g', 17)); });
}

bool ChosenCutoffLink::choose(const QString& rule)
{
    if (!m_listener) {
        showNote(QStringLiteral("Calculate the analysis first; the cutoff is chosen among its outputs."), true);
        return false;
    }
    try {
        follow(m_listener->ChooseCutoff(rule));
        return true;
    } catch (const std::exception& error) {
        // The input keeps what was typed, so that it can be corrected; the views keep the cutoff they show.
        showNote(QString::fromUtf8(error.what()), true);
        return false;
    }
}

void ChosenCutoffLink::show(const ChosenCutoffFigures& figures) { follow(figures); }

void ChosenCutoffLink::follow(const ChosenCutoffFigures& f)
{
    m_figures = f;
    m_input->setText(inputText(f));
    showNote(f.outsideOutputs
            ? QStringLiteral("%1 lies outside the outputs: %2 predicted class 1.")
                  .arg(defaultNumberText(f.cutoff),
                      f.tp + f.fp == 0 ? QStringLiteral("no record is") : QStringLiteral("every record is"))
            : QString(),
        false);
    if (auto* roc = as<IRocChart>(m_views.roc))
        roc->SetChosenPoint(QPointF(f.falsePositiveRate(), f.sensitivity));
    if (auto* cutoff = as<ICutoffChart>(m_views.cutoff))
        cutoff->SetChosenCutoff(f.cutoff);
    for (QWidget* chart : { m_views.gains, m_views.lift })
        if (auto* stats = as<IStatsChart>(chart))
            stats->SetChosenShare(f.predictedPositiveShare());
    if (auto* matrix = as<IConfusionMatrixControl>(m_views.confusionMatrix))
        matrix->SetChosenCounts(Vector<std::int32_t>(
            0, { std::int32_t(f.tp), std::int32_t(f.tn), std::int32_t(f.fp), std::int32_t(f.fn) }));
    if (m_views.grid)
        ChosenCutoffCategory::show(*m_views.grid, f);

    // No record predicted class 1: no row is the threshold.
    const std::int32_t id = f.thresholdId.value_or(std::numeric_limits<std::int32_t>::min());
    IDataReport* shown = m_views.shownReport ? m_views.shownReport() : nullptr;
    for (IDataReport* report : m_views.reports)
        if (auto* table = dynamic_cast<TableReport*>(report)) {
            table->SetThresholdId(id);
            if (report == shown && report->HasData())
                table->HighlightThreshold();
        }
    emit cutoffShown();
}

void ChosenCutoffLink::showNote(const QString& note, bool problem)
{
    m_note->setText(note);
    m_note->setToolTip(note);
    m_note->setStyleSheet(problem ? QStringLiteral("color: #b00020;") : QString());
}

void ChosenCutoffLink::clear()
{
    m_figures.reset();
    m_input->clear();
    showNote(QString(), false);
    if (auto* roc = as<IRocChart>(m_views.roc))
        roc->SetChosenPoint(std::nullopt);
    if (auto* cutoff = as<ICutoffChart>(m_views.cutoff))
        cutoff->SetChosenCutoff(std::nullopt);
    for (QWidget* chart : { m_views.gains, m_views.lift })
        if (auto* stats = as<IStatsChart>(chart))
            stats->SetChosenShare(std::nullopt);
    if (auto* matrix = as<IConfusionMatrixControl>(m_views.confusionMatrix))
        matrix->SetChosenCounts({});
    if (m_views.grid)
        ChosenCutoffCategory::remove(*m_views.grid);
}

} // namespace lrv
