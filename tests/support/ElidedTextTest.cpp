#include "support/ElidedText.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>

TEST(ElidedText, NumbersKeepTheirExponentOtherTextsEndInAnEllipsis)
{
    const QFontMetrics metrics { QFont() };
    const QString number = QStringLiteral("4.50662227616609E-05");
    EXPECT_EQ(lrv::elidedText(number, metrics, metrics.horizontalAdvance(number)), number);
    const std::pair<QString, QString> cases[]
        = { { number, QStringLiteral("E-05") }, { QStringLiteral("-1.23456789012e+20"), QStringLiteral("e+20") },
              { QStringLiteral("Spread Middle to Bottom"), QString(QChar(0x2026)) } };
    for (const auto& [text, end] : cases) {
        SCOPED_TRACE(text.toStdString());
        const int width = metrics.horizontalAdvance(text) * 2 / 3;
        const QString cut = lrv::elidedText(text, metrics, width);
        EXPECT_LE(metrics.horizontalAdvance(cut), width);
        EXPECT_TRUE(cut.contains(QChar(0x2026))) << cut.toStdString();
        EXPECT_TRUE(cut.endsWith(end)) << cut.toStdString();
        EXPECT_TRUE(cut.startsWith(text.left(2))) << cut.toStdString();
    }
}
