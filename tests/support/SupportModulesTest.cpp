#include "common/FakePlatform.h"
#include "support/ClipboardHelpers.h"
#include "support/LocalizationLib.h"
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

TEST(ParseInvariantDouble, PointIsTheSeparatorWhateverTheLocale)
{
    CommaLocale comma;
    using LocalizationLib::ParseInvariantDouble;
    EXPECT_DOUBLE_EQ(ParseInvariantDouble(Variant("0.5")), 0.5);
    EXPECT_DOUBLE_EQ(ParseInvariantDouble(Variant("-1.25e2")), -125.0);
    EXPECT_DOUBLE_EQ(ParseInvariantDouble(Variant(2.5)), 2.5);
    EXPECT_DOUBLE_EQ(ParseInvariantDouble(Variant()), 0.0);
    // What the platform's conversion refuses fails with its conversion error, not-a-number texts included.
    for (const char* refused : { "0,5", "abc", "", "NaN", "inf", "-Infinity" })
        EXPECT_THROW(ParseInvariantDouble(Variant(refused)), LocalizationLib::TypeMismatch) << refused;
    EXPECT_THROW(ParseInvariantDouble(Variant(std::nan(""))), LocalizationLib::TypeMismatch);
}

TEST(TableText, HeadersTitleAndSeparators)
{
    using namespace ClipboardHelpers;
    TableBuilder<Variant> builder(1, 3, 0, 2);
    for (int row = 1; row <= 3; ++row) {
        builder.set(row, 0, row);
        builder.set(row, 1, row * 0.5);
        builder.set(row, 2, QStringLiteral("r%1").arg(row));
    }
    const Table<Variant> table = builder.build();
    EXPECT_EQ(VariantTableText({ 0, 2 }, table, -1, { "No", "Name" }, true, ""), "No\tName\r\n1\tr1\r\n2\tr2\r\n3\tr3");
    // One column: no TAB anywhere; an empty title adds no empty first line; no trailing break.
    EXPECT_EQ(VariantTableText({ 1 }, table, 2, {}, false, ""), "1\r\n1.5");
    EXPECT_EQ(VariantTableText({ 1 }, table, -1, {}, false, "Rate"), "Rate\r\n0.5\r\n1\r\n1.5");

    TableBuilder<double> numbers(0, 1, 0, 1);
    numbers.set(0, 0, 1e-5);
    numbers.set(0, 1, std::nan(""));
    numbers.set(1, 0, 2);
    numbers.set(1, 1, 0.25);
    EXPECT_EQ(DoubleTableText({ 1, 0 }, numbers.build(), -1, { "b", "a" }, true, ""), "b\ta\r\nNaN\t1E-05\r\n0.25\t2");
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
