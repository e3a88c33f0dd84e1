#pragma once

#include <cstdint>
#include <memory>

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace lrv {

class IRun;

/// Steps through the run's models by position: a number box (txCurrentModel) with up and down arrows
/// (updCurrentModel) and a read-only box with the training fitness of the active model (txtRsquare).
/// Settling on a position (Enter, an arrow, GotoNext, GotoPrevious) makes that model current and raises
/// ModelChanged with its id.
class ModelSelector : public QWidget {
    Q_OBJECT
public:
    explicit ModelSelector(QWidget* parent = nullptr);

    void Init(std::shared_ptr<IRun>& run);
    void GotoNext();
    void GotoPrevious();
    /// Makes the model at a 0-based list index current without raising ModelChanged; a bad index throws
    /// lrv::Error.
    void SetModelByIndex(int index);

    /// An accuracy (percent, 0 to 100) without needless decimal zeros: 87.1 gives "87.1%".
    static QString FormatAccuracy(double accuracy);

signals:
    void ModelChanged(std::int32_t selectedModelId);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply();
    void onTextChanged();
    void stepArrows(int delta);
    void refreshFitness();
    void showPosition(int position);
    int modelCount() const;
    /// The position in the number box, or 0 when it holds no number.
    int textPosition() const;

    std::shared_ptr<IRun> m_run;
    QLineEdit* m_position;
    QWidget* m_arrows;
    QToolButton* m_up;
    QToolButton* m_down;
    QLineEdit* m_fitness;
    int m_arrowsMaximum = 0;
    int m_arrowsValue = 0;
    bool m_initializing = false;
    bool m_applying = false;
};

} // namespace lrv
