#pragma once

#include <QString>
#include <QWidget>

class QPushButton;

namespace lrv {

/// One "&Help" button that opens the host's help for a context: the configuration value "App.Help"
/// followed directly by the context text. Before opening it raises SetContext, so that the parent can
/// fill in the context. Without an "App.Help" value it tells the user that no help address is set.
/// A disabled control (QWidget::setEnabled) ignores clicks.
class HelpControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Context READ Context WRITE setContext)
public:
    explicit HelpControl(QWidget* parent = nullptr);

    QString Context() const { return m_context; }
    void setContext(const QString& context) { m_context = context; }

    QSize sizeHint() const override;

signals:
    /// Raised when the button is pressed, before the help opens.
    void SetContext();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void openHelp();

    QPushButton* m_command;
    QString m_context;
};

} // namespace lrv
