#include "charts/ChartFont.h"

#include <QFontInfo>

namespace lrv {

QFont chartFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    // Without Tahoma the font matcher may pick anything; DejaVu Sans has similar metrics.
    if (QFontInfo(font).family() != QStringLiteral("Tahoma"))
        font.setFamily(QStringLiteral("DejaVu Sans"));
    return font;
}

} // namespace lrv
