#pragma once

#include <variant>

#include <QString>

namespace lrv {

/// A table cell as the host delivers it: empty, a number or a text.
class Variant {
public:
    Variant() = default;
    Variant(double number)
        : m_value(number)
    {
    }
    Variant(int number)
        : m_value(double(number))
    {
    }
    Variant(const QString& text)
        : m_value(text)
    {
    }
    Variant(const char* text)
        : m_value(QString::fromUtf8(text))
    {
    }

    bool isEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
    bool isNumber() const { return std::holds_alternative<double>(m_value); }
    bool isText() const { return std::holds_alternative<QString>(m_value); }

    /// True for a finite number, and for a text that reads as a finite number (locale or invariant form).
    bool isNumeric() const;
    /// A stored number as it is (NaN included); a numeric text parsed; otherwise throws lrv::Error.
    double toDouble() const;
    /// The default text form: a number's default text, the text itself, or empty.
    QString text() const;

    bool operator==(const Variant& other) const = default;

private:
    std::variant<std::monostate, double, QString> m_value;
};

/// Reads a text as a finite number, in the locale's form or with "." as separator; false when it is none.
bool parseNumberText(const QString& text, double& value);

} // namespace lrv
