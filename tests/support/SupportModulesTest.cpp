#include "common/FakePlatform.h"
#include "support/ClipboardHelpers.h"
#include "support/FileHelpers.h"
#include "support/LocalizationLib.h"
#include "support/NumericValidationHelpers.h"
#include "support/RegistryLib.h"
#include "support/StringHelpers.h"
#include "support/UserPromptLib.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QSettings>

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

std::int16_t key(char c) { return std::int16_t(c); }

Table<Variant> smallTable()
{
    TableBuilder<Variant> builder(1, 3, 0, 2);
    for (int row = 1; row <= 3; ++row) {
        builder.set(row, 0, row);
        builder.set(row, 1, row * 0.5);
        builder.set(row, 2, QStringLiteral("r%1").arg(row));
    }
    return builder.build();
}
}

TEST(KeyFilters, LocaleSeparatorSignsAndControlKeys)
{
    CommaLocale comma;
    using namespace NumericValidationHelpers;
    EXPECT_EQ(FilterSignedNumberKey(key(',')), key(','));
    EXPECT_EQ(FilterSignedNumberKey(key('.')), 0);
    EXPECT_EQ(FilterSignedNumberKey(key('-')), key('-'));
    EXPECT_EQ(FilterUnsignedNumberKey(key('-')), 0);
    for (char allowed : { '0', '7', '+', 'E', 'e' })
        EXPECT_EQ(FilterUnsignedNumberKey(key(allowed)), key(allowed)) << allowed;
    for (char refused : { 'a', ' ', 'x', '/' })
        EXPECT_EQ(FilterSignedNumberKey(key(refused)), 0) << refused;
    EXPECT_EQ(FilterUnsignedNumberKey(13), 13);
    EXPECT_EQ(FilterUnsignedNumberKey(8), 8);
    // Digits of other scripts (Arabic-Indic, Devanagari, full-width) are refused: the parser reads none.
    for (char16_t digit : { u'\u0663', u'\u0967', u'\uFF15' })
        EXPECT_EQ(FilterSignedNumberKey(std::int16_t(digit)), 0) << int(digit);
}

TEST(KeyFilters, PointUnderTheInvariantLocale)
{
    NumericValidationHelpers::ClearDecimalSeparatorCache();
    EXPECT_EQ(NumericValidationHelpers::FilterSignedNumberKey(key('.')), key('.'));
    EXPECT_EQ(NumericValidationHelpers::FilterSignedNumberKey(key(',')), 0);
}

TEST(ParseInvariantDouble, PointIsTheSeparatorWhateverTheLocale)
{
    CommaLocale comma;
    using LocalizationLib::ParseInvariantDouble;
    EXPECT_EQ(LocalizationLib::GetDecimalSeparator(), ",");
    EXPECT_DOUBLE_EQ(ParseInvariantDouble(Variant("0.5")), 0.5);
    EXPECT_DOUBLE_EQ(ParseInvariantDouble(Variant("-1.25e2")), -125.0);
    EXPECT_DOUBLE_EQ(ParseInvariantDouble(Variant(2.5)), 2.5);
    EXPECT_DOUBLE_EQ(ParseInvariantDouble(Variant()), 0.0);
    // What the platform's conversion refuses fails with its conversion error, not-a-number texts included.
    for (const char* refused : { "0,5", "abc", "", "NaN", "nan", "inf", "-Infinity" })
        EXPECT_THROW(ParseInvariantDouble(Variant(refused)), LocalizationLib::TypeMismatch) << refused;
    EXPECT_THROW(ParseInvariantDouble(Variant(std::nan(""))), LocalizationLib::TypeMismatch);
}

TEST(LocaleText, AnswersForTheLocaleItIsAsked)
{
    CommaLocale comma; // the user's locale is German
    using LocalizationLib::GetLocaleText;
    const struct {
        std::int32_t locale;
        std::int32_t item;
        const char* text;
    } cases[] = {
        { LocalizationLib::kUserDefaultLocale, 14, "," },
        { 2057, 14, "." },
        { 1033, 15, "," },
        { 1036, 56, "janvier" },
        { 1031, 42, "Montag" },
        { 2057, 92, "en-GB" },
        { 1033, 1, "0409" },
        { 1033, 13, "1" },
        { 1031, 13, "0" },
        { 1031, 12, ";" },
        { 1033, 4108, "6" },
        { 1031, 4108, "0" },
        { 1033, 9999, "" },
        { 0x7FFF, 14, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetLocaleText(c.locale, c.item), QString::fromUtf8(c.text)) << c.locale << " " << c.item;
}

TEST(AppSettings, DefaultsAndRoundTripUnderTheSection)
{
    test::FakePlatform& platform = test::FakePlatform::installFresh();
    using namespace RegistryLib;
    EXPECT_EQ(GetAppSetting(kSection, "Synchro", 0), "0");
    EXPECT_EQ(GetAppSetting(kSection, "ConfMatrixPercent", 1), "1");
    EXPECT_EQ(GetAppSetting(kSection, "Missing"), "");

    SaveAppSetting(kSection, "Synchro", "1");
    EXPECT_EQ(GetAppSetting(kSection, "Synchro", 0), "1");
    QSettings stored(platform.settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(stored.value("Logistic Regression/Synchro").toString(), "1");

    stored.remove("Logistic Regression/Synchro");
    stored.sync();
    EXPECT_EQ(GetAppSetting(kSection, "Synchro", 0), "0");
}

TEST(InfoPrompt, TitledWithTheLibraryVersion)
{
    test::FakePlatform& platform = test::FakePlatform::installFresh();
    UserPromptLib::ShowInfoPrompt("Check the buckets.");
    ASSERT_EQ(platform.prompts.size(), 1u);
    EXPECT_EQ(platform.prompts[0].title, "Vantorix 5.0");
    EXPECT_EQ(platform.prompts[0].message, "Check the buckets.");
}

TEST(StringAndFileHelpers, EdgeCases)
{
    using namespace StringHelpers;
    EXPECT_TRUE(EndsWithText("95.00%", ""));
    EXPECT_TRUE(EndsWithText("95.00%", ".00%"));
    EXPECT_FALSE(EndsWithText("%", "0%"));
    EXPECT_FALSE(ContainsText("ab", "abc"));
    EXPECT_FALSE(ContainsText("ABC", "b"));
    EXPECT_EQ(FileHelpers::GetFileName("C:\\runs\\model.abc"), "model.abc");
    EXPECT_EQ(FileHelpers::GetFileName("/home/me/credit.run"), "credit.run");
    EXPECT_EQ(FileHelpers::GetFileName("plain"), "plain");
}

TEST(TableText, HeadersTitleAndSeparators)
{
    using namespace ClipboardHelpers;
    const Table<Variant> table = smallTable();
    EXPECT_EQ(VariantTableText({ 0, 2 }, table, -1, { "No", "Name" }, true, ""), "No\tName\r\n1\tr1\r\n2\tr2\r\n3\tr3");
    // One column: no TAB anywhere; an empty title adds no empty first line; no trailing break.
    const QString oneColumn = VariantTableText({ 1 }, table, 2, {}, false, "");
    EXPECT_EQ(oneColumn, "1\r\n1.5");
    EXPECT_EQ(VariantTableText({ 1 }, table, -1, {}, false, "Rate"), "Rate\r\n0.5\r\n1\r\n1.5");

    TableBuilder<double> numbers(0, 1, 0, 1);
    numbers.set(0, 0, 1e-5);
    numbers.set(0, 1, std::nan(""));
    numbers.set(1, 0, 2);
    numbers.set(1, 1, 0.25);
    EXPECT_EQ(DoubleTableText({ 1, 0 }, numbers.build(), -1, { "b", "a" }, true, ""), "b\ta\r\nNaN\t1E-05\r\n0.25\t2");
}

TEST(TableText, CopyPutsTheTextOnTheClipboard)
{
    ClipboardHelpers::CopyVariantTableText({ 2 }, smallTable(), {}, -1, false, "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "r1\r\nr2\r\nr3");
}

TEST(PrintText, PagesStartWithTwoEmptyLinesAndEndAtSevenEighths)
{
    QStringList lines;
    for (int i = 1; i <= 200; ++i)
        lines << QString::number(i);
    // A page of 60 lines: printing starts at line 2 and a page is full once the position reaches 52.5.
    const QList<QStringList> pages = ClipboardHelpers::PaginateText(lines, 10, 600);
    ASSERT_EQ(pages.size(), 4);
    EXPECT_EQ(pages[0].size(), 51);
    EXPECT_EQ(pages[0].first(), "1");
    EXPECT_EQ(pages[1].first(), "52");
    EXPECT_EQ(pages[3].last(), "200");
    int total = 0;
    for (const QStringList& page : pages)
        total += int(page.size());
    EXPECT_EQ(total, 200);
}

TEST(PrintText, OneDocumentPerCopyAndNothingWhenCancelled)
{
    test::FakePlatform& platform = test::FakePlatform::installFresh();
    platform.printerAnswer = PrintSetup { 3, QPageLayout::Landscape };
    ClipboardHelpers::PrintText("Total Cases\t200\r\nQuantiles\t10");
    EXPECT_EQ(platform.printedDocuments.size(), 3);
    for (const QString& file : platform.printedDocuments)
        EXPECT_GT(QFile(file).size(), 0) << file.toStdString();

    platform.printerAnswer.reset();
    ClipboardHelpers::PrintText("ignored");
    EXPECT_EQ(platform.printerDialogs, 2);
    EXPECT_EQ(platform.printedDocuments.size(), 3);
}
