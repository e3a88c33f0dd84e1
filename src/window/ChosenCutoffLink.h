#pragma once

#include "host/ChosenCutoff.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include <QObject>

class QLabel;
class QLineEdit;
class QWidget;

namespace lrv {

class IDataReport;
class PropertyGrid;

/// The chosen cutoff in the analysis window: the input "txtCutoff" for a rule or an output value, the note
/// "lblCutoffNote" beside it, and every view that follows a move — the ROC curve's point, the cutoff
/// chart's marker (which the user drags), the gains and lift markers, the confusion matrix's "Chosen" item,
/// the statistics category and the reports' threshold row. The figures come from the host's calculation
/// presenter (ICutoffListener).
class ChosenCutoffLink : public QObject {
    Q_OBJECT

public:
    struct Views {
        QWidget* roc = nullptr;
        QWidget* cutoff = nullptr;
        QWidget* gains = nullptr;
        QWidget* lift = nullptr;
        QWidget* confusionMatrix = nullptr;
        PropertyGrid* grid = nullptr;
        /// The reports that highlight the threshold row: ROC, cutoff points, confusion matrix.
        std::array<IDataReport*, 3> reports {};
        /// The report the grid shows now, refreshed when it highlights the threshold.
        std::function<IDataReport*()> shownReport;
    };

    /// Builds the input panel as a child of `parent` and listens to the charts' moves.
    ChosenCutoffLink(QWidget* parent, Views views);

    /// The panel of caption, input and note, for the window to place.
    QWidget* panel() const { return m_panel; }
    /// The reports that highlight the threshold row (ROC, cutoff points, confusion matrix), once the window
    /// has made them.
    void setReports(const std::array<IDataReport*, 3>& reports) { m_views.reports = reports; }
    /// The presenter of the last calculation; its figures answer every move until the next one.
    void setListener(std::shared_ptr<ICutoffListener> listener) { m_listener = std::move(listener); }
    /// A calculation's figures: every view follows.
    void show(const ChosenCutoffFigures& figures);
    /// Why the views show no chosen cutoff, or a remark on the one shown.
    void showNote(const QString& note, bool problem);
    /// No analysis: the markers go and the input empties; the presenter stays.
    void clear();
    /// Asks the host for a rule or a value; a rule that cannot be met leaves everything as it was and says
    /// why in the note. Returns whether the views moved.
    bool choose(const QString& rule);
    const std::optional<ChosenCutoffFigures>& figures() const { return m_figures; }

signals:
    /// Every view shows the figures of a new choice.
    void cutoffShown();

private:
    void follow(const ChosenCutoffFigures& figures);

    Views m_views;
    QWidget* m_panel = nullptr;
    QLineEdit* m_input = nullptr;
    QLabel* m_note = nullptr;
    std::shared_ptr<ICutoffListener> m_listener;
    std::optional<ChosenCutoffFigures> m_figures;
};

} // namespace lrv
