#include "window/ModelSelector.h"

#include "host/IModel.h"
#include "host/IModels.h"
#include "host/IRun.h"
#include "support/Error.h"
#include "support/NumberText.h"
#include "support/NumericValidationHelpers.h"
#include "support/UserPromptLib.h"
#include "support/Variant.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace lrv {

namespace {
    constexpr double kCalculationErrors = -11111;
    constexpr double kUndefined = -1;

    QToolButton* arrowButton(Qt::ArrowType arrow, const QString& name, QWidget* parent)
    {
        auto* button = new QToolButton(parent);
        button->setObjectName(name);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored); // the two share the box height
        button->setFixedWidth(16);
        return button;
    }

    // The classification kinds, whose models are judged by accuracy.
    bool showsAccuracy(std::int32_t kindCode) { return kindCode == 1 || kindCode == 4; }
}

ModelSelector::ModelSelector(QWidget* parent)
    : QWidget(parent)
    , m_position(new QLineEdit(this))
    , m_arrows(new QWidget(this))
    , m_up(arrowButton(Qt::UpArrow, QStringLiteral("updCurrentModelUp"), m_arrows))
    , m_down(arrowButton(Qt::DownArrow, QStringLiteral("updCurrentModelDown"), m_arrows))
    , m_fitness(new QLineEdit(this))
{
    m_position->setObjectName(QStringLiteral("txCurrentModel"));
    m_position->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_position->setMaximumWidth(m_position->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    m_arrows->setObjectName(QStringLiteral("updCurrentModel"));
    m_fitness->setObjectName(QStringLiteral("txtRsquare"));
    m_fitness->setReadOnly(true);
    m_fitness->setFocusPolicy(Qt::NoFocus);

    auto* arrowsLayout = new QVBoxLayout(m_arrows);
    arrowsLayout->setContentsMargins(0, 0, 0, 0);
    arrowsLayout->setSpacing(0);
    arrowsLayout->addWidget(m_up);
    arrowsLayout->addWidget(m_down);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_position);
    layout->addWidget(m_arrows);
    layout->addWidget(m_fitness, 1);

    m_position->installEventFilter(this);
    connect(m_position, &QLineEdit::textChanged, this, &ModelSelector::onTextChanged);
    connect(m_up, &QToolButton::clicked, this, [this] { stepArrows(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepArrows(-1); });
}

QString ModelSelector::FormatAccuracy(double accuracy) { return accuracyText(accuracy); }

void ModelSelector::Init(std::shared_ptr<IRun>& run)
{
    m_run = run;
    m_initializing = true;
    try {
        const std::shared_ptr<IModels> models = m_run ? m_run->models() : nullptr;
        const int count = models ? models->count() : 0;
        const int position = count > 0 ? models->currentPosition() : 0;
        m_arrowsMaximum = count;
        m_arrowsValue = position;
        if (count > 0)
            showPosition(position);
        else
            m_position->clear();
        m_position->setEnabled(count > 0);
        m_arrows->setEnabled(count > 0);
        refreshFitness();
    } catch (...) {
        m_initializing = false;
        throw;
    }
    m_initializing = false;
}

void ModelSelector::GotoNext()
{
    const int position = textPosition();
    if (m_applying || position == 0 || position >= m_arrowsMaximum)
        return;
    showPosition(position + 1);
    apply();
}

void ModelSelector::GotoPrevious()
{
    const int position = textPosition();
    if (m_applying || position <= 1)
        return;
    showPosition(position - 1);
    apply();
}

void ModelSelector::SetModelByIndex(int index)
{
    if (!m_run || !m_run->models())
        throw Error(QStringLiteral("The model selector has no run; Init must come first."));
    const std::shared_ptr<IModels> models = m_run->models();
    models->setCurrentIndex(index);
    m_arrowsValue = models->currentPosition();
    showPosition(m_arrowsValue);
    refreshFitness();
}

int ModelSelector::modelCount() const
{
    const std::shared_ptr<IModels> models = m_run ? m_run->models() : nullptr;
    return models ? models->count() : 0;
}

int ModelSelector::textPosition() const
{
    double value = 0;
    if (!parseNumberText(m_position->text().trimmed(), value))
        return 0;
    const double bounded = std::clamp(value, 0.0, double(std::numeric_limits<int>::max()));
    return int(std::lround(bounded));
}

void ModelSelector::showPosition(int position) { m_position->setText(QString::number(position)); }

void ModelSelector::onTextChanged()
{
    if (m_initializing)
        return;
    const int count = modelCount();
    if (count < 1)
        return;
    double value = 0;
    // Setting the text runs this handler again, with a text that needs no more change.
    if (!parseNumberText(m_position->text().trimmed(), value) || value < 1)
        m_position->setText(QStringLiteral("1"));
    else if (value > count)
        showPosition(count);
    else
        m_arrowsValue = textPosition();
}

void ModelSelector::stepArrows(int delta)
{
    if (m_applying || m_arrowsMaximum < 1)
        return;
    const int value = std::clamp(m_arrowsValue + delta, 1, m_arrowsMaximum);
    if (value == m_arrowsValue)
        return;
    m_arrowsValue = value;
    showPosition(value);
    apply();
}

void ModelSelector::apply()
{
    if (m_applying)
        return;
    m_applying = true;
    m_position->setEnabled(false);
    m_arrows->setEnabled(false);

    const int position = textPosition();
    QString failure;
    // Runs from key and click handlers: nothing may leave it.
    try {
        if (!m_run || !m_run->models())
            throw Error(QStringLiteral("The model selector has no run."));
        const std::shared_ptr<IModels> models = m_run->models();
        models->setCurrentPosition(position);
        m_arrowsValue = models->currentPosition();
        if (const std::shared_ptr<IModel> model = models->current())
            emit ModelChanged(model->id());
        refreshFitness();
    } catch (const std::exception& error) {
        failure = QString::fromStdString(error.what());
    }

    m_position->setEnabled(true);
    m_arrows->setEnabled(true);
    m_applying = false;

    if (!failure.isEmpty()) {
        bestEffort([this] {
            if (const std::shared_ptr<IModels> models = m_run ? m_run->models() : nullptr) {
                m_arrowsValue = models->currentPosition();
                showPosition(m_arrowsValue);
            }
            refreshFitness();
        });
        bestEffort([&] {
            UserPromptLib::ShowInfoPrompt(
                QStringLiteral("Model %1 could not be made the active model. %2").arg(position).arg(failure), this);
        });
    }
}

void ModelSelector::refreshFitness()
{
    const std::shared_ptr<IModels> models = m_run ? m_run->models() : nullptr;
    const std::shared_ptr<IModel> model = models && models->count() > 0 ? models->current() : nullptr;
    if (!model) {
        m_fitness->clear();
        m_fitness->setToolTip(QString());
        return;
    }
    const bool accuracy = showsAccuracy(m_run->kindCode());
    const double value = accuracy ? model->trainingAccuracy() : model->trainingRSquare();
    if (value == kCalculationErrors) {
        m_fitness->setText(QStringLiteral(" --"));
        m_fitness->setToolTip(QStringLiteral("Calculation errors."));
    } else if (value == kUndefined || (accuracy && value < 0)) {
        m_fitness->setText(QStringLiteral(" --"));
        m_fitness->setToolTip(QStringLiteral("UNDEFINED"));
    } else if (accuracy) {
        m_fitness->setText(FormatAccuracy(value));
        m_fitness->setToolTip(QStringLiteral("Training Accuracy of the active model."));
    } else {
        m_fitness->setText(defaultNumberText(std::round(value * 1e6) / 1e6));
        m_fitness->setToolTip(QStringLiteral("Training R-square of the active model."));
    }
    m_fitness->setCursorPosition(0);
}

bool ModelSelector::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_position || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        double value = 0;
        if (parseNumberText(m_position->text().trimmed(), value))
            apply();
        return true;
    }
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
        stepArrows(key->key() == Qt::Key_Up ? 1 : -1);
        return true;
    }
    const QString text = key->text();
    const bool typed = text.size() == 1 && text[0].isPrint()
        && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typed && NumericValidationHelpers::FilterUnsignedNumberKey(std::int16_t(text[0].unicode())) == 0)
        return true;
    return QWidget::eventFilter(watched, event);
}

} // namespace lrv
