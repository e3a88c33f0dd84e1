#include "support/ElidedText.h"

#include <QFontMetrics>
#include <QRegularExpression>

namespace lrv {

QString elidedText(const QString& text, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    static const QRegularExpression exponentForm(QStringLiteral("^([-+]?\\d+(?:[.,]\\d+)?)([eE][-+]?\\d+)$"));
    const QRegularExpressionMatch number = exponentForm.match(text);
    if (!number.hasMatch())
        return metrics.elidedText(text, Qt::ElideRight, width);
    const QString exponent = number.captured(2);
    const int mantissaWidth = width - metrics.horizontalAdvance(exponent);
    if (mantissaWidth <= 0)
        return metrics.elidedText(text, Qt::ElideRight, width);
    return metrics.elidedText(number.captured(1), Qt::ElideRight, mantissaWidth) + exponent;
}

} // namespace lrv
