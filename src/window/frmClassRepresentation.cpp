#include "window/frmClassRepresentation.h"

#include "host/IHostCore.h"
#include "host/RunStore.h"
#include "support/ClipboardHelpers.h"
#include "support/Error.h"
#include "support/NumberText.h"
#include "support/NumericValidationHelpers.h"
#include "support/UserPromptLib.h"
#include "support/Variant.h"
#include "window/HelpControl.h"
#include "window/Hourglass.h"

#include <exception>
#include <limits>

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lrv {

namespace {
    struct Preset {
        const char* caption;
        const char* pair; // the two numbers separated by one blank
    };
    const std::array<Preset, frmClassRepresentation::kPresetCount> kPresets = { {
        { "[0, 10000]", "0 10000" },
        { "[0, 10]", "0 10" },
        { "[0, 100]", "0 100" },
        { "[0, 1000]", "0 1000" },
        { "Standard [0, 1]", "0 1" },
        { "[-10000, 10000]", "-10000 10000" },
        { "[-1000, 1000]", "-1000 1000" },
        { "[-100, 100]", "-100 100" },
        { "[-10, 10]", "-10 10" },
        { "[-1, 1]", "-1 1" },
    } };

    constexpr int kDefaultMode = 0;
    constexpr int kOtherMode = 1;

    double numberOrNaN(const QString& text)
    {
        double value = 0;
        return parseNumberText(text.trimmed(), value) ? value : std::numeric_limits<double>::quiet_NaN();
    }

    bool isNumber(const QString& text)
    {
        double value = 0;
        return parseNumberText(text.trimmed(), value);
    }

    QLabel* label(const QString& caption, const QString& name, QWidget* parent)
    {
        auto* result = new QLabel(caption, parent);
        result->setObjectName(name);
        return result;
    }
}

frmClassRepresentation::frmClassRepresentation(QWidget* parent)
    : QDialog(parent)
    , m_lblCurrent(label(QString(), QStringLiteral("lblCurrent"), this))
    , m_txtMin(new QLineEdit(this))
    , m_txtMax(new QLineEdit(this))
    , m_picDefault(new QWidget(this))
    , m_txtNewMin(new QLineEdit(this))
    , m_txtNewMax(new QLineEdit(this))
    , m_chkInvert(new QCheckBox(QStringLiteral("Invert Class Representation"), this))
    , m_okButton(new QPushButton(QStringLiteral("&OK"), this))
    , m_cancelButton(new QPushButton(QStringLiteral("&Cancel"), this))
    , m_help(new HelpControl(this))
{
    // A busy pointer left by the caller would hide that the dialog waits for the user.
    Hourglass::reset();

    setObjectName(QStringLiteral("frmClassRepresentation"));
    setWindowTitle(QStringLiteral(" Class Encoding"));
    setModal(true);

    m_txtMin->setObjectName(QStringLiteral("txtMin"));
    m_txtMax->setObjectName(QStringLiteral("txtMax"));
    m_txtMin->setReadOnly(true);
    m_txtMax->setReadOnly(true);
    m_txtNewMin->setObjectName(QStringLiteral("txtNewMin"));
    m_txtNewMax->setObjectName(QStringLiteral("txtNewMax"));
    m_picDefault->setObjectName(QStringLiteral("picDefault"));
    m_chkInvert->setObjectName(QStringLiteral("chkInvert"));
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_help->setObjectName(QStringLiteral("HelpControl"));
    m_okButton->setDefault(true);

    auto* modes = new QButtonGroup(this);
    const QStringList modeCaptions = { QStringLiteral("Default"), QStringLiteral("Other Encodings") };
    for (int i = 0; i < 2; ++i) {
        m_optEncoding[i] = new QRadioButton(modeCaptions[i], this);
        m_optEncoding[i]->setObjectName(QStringLiteral("optEncoding(%1)").arg(i));
        modes->addButton(m_optEncoding[i], i);
        connect(m_optEncoding[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                setEncodingMode(i);
        });
    }

    auto* presets = new QButtonGroup(m_picDefault);
    auto* presetLayout = new QGridLayout(m_picDefault);
    presetLayout->setContentsMargins(20, 0, 0, 0);
    const int perColumn = (kPresetCount + 1) / 2;
    for (int i = 0; i < kPresetCount; ++i) {
        m_optClasses[i] = new QRadioButton(QString::fromUtf8(kPresets[i].caption), m_picDefault);
        m_optClasses[i]->setObjectName(QStringLiteral("optClasses(%1)").arg(i));
        presets->addButton(m_optClasses[i], i);
        presetLayout->addWidget(m_optClasses[i], i % perColumn, i / perColumn);
        connect(m_optClasses[i], &QRadioButton::clicked, this, [this, i] { choosePreset(i); });
    }

    const QStringList otherCaptions
        = { QStringLiteral("Change to:"), QStringLiteral("\"1\" or \"Yes\":"), QStringLiteral("\"0\" or \"No\":"),
              QStringLiteral("Reference:"), QStringLiteral("--->"), QStringLiteral("Current:") };
    for (int i = 0; i < int(m_lblOther.size()); ++i)
        m_lblOther[i] = label(otherCaptions[i], QStringLiteral("lblOther(%1)").arg(i), this);

    auto* pairs = new QGridLayout;
    pairs->setContentsMargins(20, 0, 0, 0);
    pairs->addWidget(m_lblOther[3], 0, 0);
    pairs->addWidget(m_lblOther[5], 0, 1);
    pairs->addWidget(m_lblOther[0], 0, 3);
    pairs->addWidget(m_lblOther[2], 1, 0);
    pairs->addWidget(m_txtMin, 1, 1);
    pairs->addWidget(m_lblOther[4], 1, 2, 2, 1, Qt::AlignCenter);
    pairs->addWidget(m_txtNewMin, 1, 3);
    pairs->addWidget(m_lblOther[1], 2, 0);
    pairs->addWidget(m_txtMax, 2, 1);
    pairs->addWidget(m_txtNewMax, 2, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_help);
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblCurrent);
    layout->addWidget(m_optEncoding[kDefaultMode]);
    layout->addWidget(m_picDefault);
    layout->addWidget(m_optEncoding[kOtherMode]);
    layout->addLayout(pairs);
    layout->addWidget(m_chkInvert);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QLineEdit* box : { m_txtNewMin, m_txtNewMax })
        box->installEventFilter(this);
    connect(m_okButton, &QPushButton::clicked, this, &frmClassRepresentation::onOk);
    connect(m_cancelButton, &QPushButton::clicked, this, &frmClassRepresentation::onCancel);
    connect(m_help, &HelpControl::SetContext, this, [this] { m_help->setContext(helpContext()); });

    m_optEncoding[kOtherMode]->setChecked(true);
}

double frmClassRepresentation::MaxValue() const { return numberOrNaN(m_txtNewMax->text()); }
double frmClassRepresentation::MinValue() const { return numberOrNaN(m_txtNewMin->text()); }
bool frmClassRepresentation::InvertClassRepresentation() const { return m_chkInvert->isChecked(); }

void frmClassRepresentation::Init(const QString& runPath, bool hasTrainingSet)
{
    m_runPath = runPath;
    m_hasTrainingSet = hasTrainingSet;
    m_optEncoding[kOtherMode]->setChecked(true);
    setEncodingMode(kOtherMode);

    ClassEncoding encoding;
    try {
        const std::unique_ptr<RunStore> store = HostCore::get().createRunStore();
        if (!store)
            throw Error(QStringLiteral("The host core has no run store."));
        encoding = store->GetClassEncoding(runPath, 1);
    } catch (const std::exception& error) {
        m_lblCurrent->setText(QStringLiteral("Current Encoding: unknown"));
        UserPromptLib::ShowInfoPrompt(QStringLiteral("The class encoding of the run could not be read. %1")
                                          .arg(QString::fromStdString(error.what())),
            this);
        throw;
    }

    const QString min = defaultNumberText(encoding.min);
    const QString max = defaultNumberText(encoding.max);
    m_txtMin->setText(min);
    m_txtNewMin->setText(min);
    m_txtMax->setText(max);
    m_txtNewMax->setText(max);
    m_lblCurrent->setText(
        QStringLiteral("Current Encoding: [") + min + QStringLiteral(", ") + max + QStringLiteral("]"));
}

void frmClassRepresentation::setEncodingMode(int mode)
{
    const bool other = mode == kOtherMode;
    m_txtNewMin->setEnabled(other);
    m_txtNewMax->setEnabled(other);
    for (QLabel* label : m_lblOther)
        label->setEnabled(other);
    m_picDefault->setEnabled(!other);
    for (QRadioButton* option : m_optClasses)
        option->setEnabled(!other);
    if (other)
        m_txtNewMin->setFocus();
}

void frmClassRepresentation::choosePreset(int index)
{
    const QStringList pair = QString::fromUtf8(kPresets[index].pair).split(QLatin1Char(' '));
    m_txtNewMin->setText(pair.value(0));
    m_txtNewMax->setText(pair.value(1));
}

bool frmClassRepresentation::IsValid()
{
    const auto reject = [this](const QString& message, QLineEdit* box) {
        UserPromptLib::ShowInfoPrompt(message, this);
        if (box && box->isEnabled())
            box->setFocus();
        return false;
    };
    if (!isNumber(m_txtNewMin->text()))
        return reject(QStringLiteral("The value for encoding class \"0\" must be numeric."), m_txtNewMin);
    if (!isNumber(m_txtNewMax->text()))
        return reject(QStringLiteral("The value for encoding class \"1\" must be numeric."), m_txtNewMax);
    if (MaxValue() <= MinValue())
        return reject(
            QStringLiteral("The number for encoding class \"0\" must be smaller than the number for class \"1\"."),
            nullptr);
    return true;
}

void frmClassRepresentation::onOk()
{
    // A click handler: nothing may leave it.
    try {
        if (!IsValid())
            return;
        QString failure;
        {
            Hourglass busy;
            QCoreApplication::processEvents();
            m_okButton->setEnabled(false);
            m_cancelButton->setEnabled(false);
            try {
                const std::unique_ptr<RunStore> store = HostCore::get().createRunStore();
                if (!store)
                    throw Error(QStringLiteral("The host core has no run store."));
                store->SetClassEncoding(MinValue(), MaxValue(), m_runPath, 1, InvertClassRepresentation());
                if (m_hasTrainingSet)
                    store->SetClassEncoding(MinValue(), MaxValue(), m_runPath, 2, InvertClassRepresentation());
            } catch (const std::exception& error) {
                failure = QString::fromStdString(error.what());
            }
        }
        m_okButton->setEnabled(true);
        m_cancelButton->setEnabled(true);
        if (!failure.isEmpty()) {
            m_okPressed = false;
            UserPromptLib::ShowInfoPrompt(QStringLiteral("The class encoding could not be saved. %1\nCorrect the "
                                                         "problem and press OK again, or press Cancel.")
                                              .arg(failure),
                this);
            return;
        }
        m_okPressed = true;
        accept();
    } catch (const std::exception&) {
        m_okButton->setEnabled(true);
        m_cancelButton->setEnabled(true);
    }
}

void frmClassRepresentation::onCancel()
{
    m_okPressed = false;
    reject();
}

QString frmClassRepresentation::helpContext() const
{
    return QStringLiteral("location=classrepr&inv=%1&min=%2&max=%3")
        .arg(m_chkInvert->isChecked() ? 1 : 0)
        .arg(invariantNumberText(MinValue()), invariantNumberText(MaxValue()));
}

bool frmClassRepresentation::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (event->type() != QEvent::KeyPress || (box != m_txtNewMin && box != m_txtNewMax))
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // The whole text, not just the selection, as the boxes hold one number each.
    if (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_C) {
        bestEffort([box] { ClipboardHelpers::CopyText(box->text()); });
        return true;
    }
    if (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_V) {
        box->setText(QGuiApplication::clipboard()->text());
        return true;
    }
    const QString text = key->text();
    const bool typed = text.size() == 1 && text[0].isPrint()
        && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typed && NumericValidationHelpers::FilterSignedNumberKey(std::int16_t(text[0].unicode())) == 0)
        return true;
    return QDialog::eventFilter(watched, event);
}

} // namespace lrv
