#include "common/FakePlatform.h"
#include "support/ClipboardHelpers.h"
#include "support/NumericValidationHelpers.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>

using namespace lrv;

namespace {
struct CommaLocale {
    CommaLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        NumericValidationHelpers::ClearDecimalSeparatorCache();
    }
    ~CommaLocale()
    {
        QLocale::setDefault(QLocale::c());
        NumericValidationHelpers::ClearDecimalSeparatorCache();
    }
};

bool signedTakes(char16_t key) { return NumericValidationHelpers::FilterSignedNumberKey(std::int16_t(key)) != 0; }
bool unsignedTakes(char16_t key) { return NumericValidationHelpers::FilterUnsignedNumberKey(std::int16_t(key)) != 0; }
}

TEST(KeyFilters, TakeTheLocaleSeparatorSignsExponentsAndControlKeysOnly)
{
    NumericValidationHelpers::ClearDecimalSeparatorCache();
    EXPECT_TRUE(signedTakes(u'.'));
    EXPECT_FALSE(signedTakes(u','));
    CommaLocale comma;
    EXPECT_TRUE(signedTakes(u','));
    EXPECT_FALSE(signedTakes(u'.'));
    EXPECT_TRUE(signedTakes(u'-'));
    EXPECT_FALSE(unsignedTakes(u'-'));
    for (char16_t taken : { u'0', u'7', u'+', u'E', u'e', char16_t(13), char16_t(8) })
        EXPECT_TRUE(unsignedTakes(taken)) << int(taken);
    // Digits of other scripts (Arabic-Indic, Devanagari, full-width) are refused: the parser reads none.
    for (char16_t refused : { u'a', u' ', u'/', u'\u0663', u'\u0967', u'\uFF15' })
        EXPECT_FALSE(signedTakes(refused)) << int(refused);
}

TEST(PrintText, PagesStartWithTwoEmptyLinesEndAtSevenEighthsAndEachCopyIsADocument)
{
    QStringList lines;
    for (int i = 1; i <= 200; ++i)
        lines << QString::number(i);
    // A page of 60 lines: printing starts at line 2 and a page is full once the position reaches 52.5.
    const QList<QStringList> pages = ClipboardHelpers::PaginateText(lines, 10, 600);
    ASSERT_EQ(pages.size(), 4);
    EXPECT_EQ(pages[0].size(), 51);
    EXPECT_EQ(pages[1].first(), "52");
    EXPECT_EQ(pages[3].last(), "200");

    test::FakePlatform& platform = test::FakePlatform::installFresh();
    platform.printerAnswer = PrintSetup { 3, QPageLayout::Landscape };
    ClipboardHelpers::PrintText("Total Cases\t200\r\nQuantiles\t10");
    EXPECT_EQ(platform.printedDocuments.size(), 3);
    for (const QString& file : platform.printedDocuments)
        EXPECT_GT(QFile(file).size(), 0) << file.toStdString();
    platform.printerAnswer.reset(); // the user cancels
    ClipboardHelpers::PrintText("ignored");
    EXPECT_EQ(platform.printedDocuments.size(), 3);
}
