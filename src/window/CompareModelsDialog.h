#pragma once

#include "host/CompareViewInter.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace lrv {

class ComparisonPicture;

/// The run's models side by side on one dataset, as the host compared them: the overlaid ROC and gains
/// curves, a row per model (AUC with its interval, Gini, KS, Brier score, Hosmer–Lemeshow p, accuracy at the
/// model's Youden cutoff) and a row per pair of models (DeLong's paired test).
class CompareModelsDialog : public QDialog, public CompareViewInter {
    Q_OBJECT

public:
    explicit CompareModelsDialog(QWidget* parent = nullptr);

    void ShowComparison(const ComparisonFigures& figures) override;
    /// Tells the user in a prompt; the dialog keeps what it showed.
    void ShowError(const QString& message) override;

    bool hasComparison() const { return m_hasComparison; }

private:
    void copyPicture();

    QLabel* m_summary;
    ComparisonPicture* m_picture;
    QTableWidget* m_models;
    QTableWidget* m_pairs;
    QPushButton* m_copy;
    ComparisonFigures m_figures;
    bool m_hasComparison = false;
};

} // namespace lrv
