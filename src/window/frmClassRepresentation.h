#pragma once

#include <array>

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace lrv {

class HelpControl;

/// The modal dialog that changes how a run's target represents its two classes: the numbers of class
/// "0" and class "1", chosen from presets or typed in, and whether the representation is inverted. OK
/// writes the encoding through the host core's run store for dataset 1 and, with a training set, for
/// dataset 2; a failing write keeps the dialog open and OKPressed false.
class frmClassRepresentation : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPresetCount = 10;

    explicit frmClassRepresentation(QWidget* parent = nullptr);

    /// True once OK has written the encoding.
    bool OKPressed() const { return m_okPressed; }
    /// The new number of class "1"; NaN when the box holds no number.
    double MaxValue() const;
    /// The new number of class "0"; NaN when the box holds no number.
    double MinValue() const;
    bool InvertClassRepresentation() const;

    /// Shows the current encoding of dataset 1 of the run; a failing run store is shown to the user and
    /// thrown as lrv::Error.
    void Init(const QString& runPath, bool hasTrainingSet);
    /// Checks the new pair, tells the user the first thing wrong and focuses the box to correct.
    bool IsValid();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setEncodingMode(int mode);
    void choosePreset(int index);
    void onOk();
    void onCancel();
    QString helpContext() const;

    QString m_runPath;
    bool m_hasTrainingSet = false;
    bool m_okPressed = false;

    QLabel* m_lblCurrent;
    QLineEdit* m_txtMin;
    QLineEdit* m_txtMax;
    std::array<QRadioButton*, 2> m_optEncoding {};
    QWidget* m_picDefault;
    std::array<QRadioButton*, kPresetCount> m_optClasses {};
    QLineEdit* m_txtNewMin;
    QLineEdit* m_txtNewMax;
    std::array<QLabel*, 6> m_lblOther {};
    QCheckBox* m_chkInvert;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
    HelpControl* m_help;
};

} // namespace lrv
