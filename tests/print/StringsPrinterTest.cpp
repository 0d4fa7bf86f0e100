// The strings printer's properties, copying, storing, keywords, page numbers and filter.
#include "editor/EditorFont.h"
#include "print/Keywords.h"
#include "print/StringsPrinter.h"
#include "print/StringsPrinterInfo.h"
#include "common/IniFile.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace brenvik;

TEST(StringsPrinter, StartsWithTheDocumentedDefaults)
{
    TStringsPrinter printer;
    EXPECT_EQ(printer.ColumnCount(), 1);
    EXPECT_EQ(printer.ColumnSpace(), 4);
    EXPECT_EQ(printer.FirstPageNumber(), 1);
    EXPECT_EQ(printer.LastPage(), 999999);
    EXPECT_EQ(printer.StartPage(), 1);
    EXPECT_EQ(printer.HeaderAlign(), haNone);
    EXPECT_EQ(printer.PageOption(), poBoth);
    EXPECT_EQ(printer.RangeOption(), roWhole);
    EXPECT_EQ(printer.Font()->Size(), 10);
    EXPECT_EQ(printer.Font()->Name(), TEditorFont::DefaultName());
}

TEST(StringsPrinter, SettersClampToTheirRanges)
{
    TStringsPrinter printer;
    printer.SetColumnCount(5);
    printer.SetMarginLeft(150);
    printer.SetFirstPageNumber(0);
    printer.SetColumnSpace(-3);
    printer.SetLastPage(1000000);
    EXPECT_EQ(printer.ColumnCount(), 3);
    EXPECT_EQ(printer.MarginLeft(), 100);
    EXPECT_EQ(printer.FirstPageNumber(), 1);
    EXPECT_EQ(printer.ColumnSpace(), 0);
    EXPECT_EQ(printer.LastPage(), 999999);
}

TEST(StringsPrinter, AssignCopiesEveryPropertyAndTheFontByValue)
{
    TStringsPrinter source;
    source.SetColumnCount(2);
    source.SetHeader(QStringLiteral("%F"));
    source.SetHeaderAlign(haRight);
    source.SetRangeOption(roLimited);
    source.SetStartPage(3);
    source.Font()->SetSize(14);
    TStringsPrinter copy;
    int changes = 0;
    copy.OnChange = [&](QObject*) { ++changes; };
    copy.Assign(source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.ColumnCount(), 2);
    EXPECT_EQ(copy.Header(), QStringLiteral("%F"));
    EXPECT_EQ(copy.HeaderAlign(), haRight);
    EXPECT_EQ(copy.RangeOption(), roLimited);
    EXPECT_EQ(copy.StartPage(), 3);
    EXPECT_EQ(copy.Font()->Size(), 14);
    EXPECT_NE(copy.Font(), source.Font());
    source.Font()->SetSize(20);
    EXPECT_EQ(copy.Font()->Size(), 14);
}

TEST(StringsPrinter, SettingsFileGivesBackWhatWasStored)
{
    QTemporaryDir folder;
    const QString ini = folder.filePath(QStringLiteral("brenvik.ini"));
    TStringsPrinter stored;
    stored.SetFooter(QStringLiteral("- %p -"));
    stored.SetFooterAlign(haCenter);
    stored.SetPageOption(poEven);
    stored.SetLineNumber(true);
    stored.Font()->SetSize(12);
    WriteComponentToIni(stored, ini, QStringLiteral("StringsPrinter"), QStringLiteral("Property"));
    TStringsPrinter read;
    ASSERT_TRUE(ReadComponentFromIni(read, ini, QStringLiteral("StringsPrinter"), QStringLiteral("Property")));
    EXPECT_EQ(read.Footer(), QStringLiteral("- %p -"));
    EXPECT_EQ(read.FooterAlign(), haCenter);
    EXPECT_EQ(read.PageOption(), poEven);
    EXPECT_TRUE(read.LineNumber());
    EXPECT_EQ(read.Font()->Size(), 12);
}

TEST(Keywords, ExpandPageFileAndDate)
{
    const TKeywordValues values {2, QStringLiteral("C:\\work\\a.pl"), QDateTime(QDate(2026, 3, 7), QTime(9, 5))};
    EXPECT_EQ(ExpandKeywordTemplate(QStringLiteral("Page %p of %F"), values), QStringLiteral("Page 2 of a.pl"));
    EXPECT_EQ(ExpandKeywordTemplate(QStringLiteral("%f"), values), QStringLiteral("C:\\work\\a.pl"));
    EXPECT_EQ(ExpandKeywordTemplate(QStringLiteral("%y/%m/%d"), values), QStringLiteral("2026/3/7"));
    const TKeywordValues unix {1, QStringLiteral("/home/u/cgi/掲示板.cgi"), QDateTime()};
    EXPECT_EQ(ExpandKeywordTemplate(QStringLiteral("%F"), unix), QStringLiteral("掲示板.cgi"));
}

TEST(Keywords, OddPercentSignsAreCopied)
{
    const TKeywordValues values {7, QString(), QDateTime(QDate(2026, 1, 1), QTime(0, 0))};
    EXPECT_EQ(ExpandKeywordTemplate(QStringLiteral("100%%"), values), QStringLiteral("100%"));
    EXPECT_EQ(ExpandKeywordTemplate(QStringLiteral("%x-%p"), values), QStringLiteral("x-7"));
    EXPECT_EQ(ExpandKeywordTemplate(QStringLiteral("end %"), values), QStringLiteral("end %"));
    EXPECT_FALSE(ExpandKeywordTemplate(QStringLiteral("%t"), values).isEmpty());
}

TEST(Keywords, AnUnnamedScriptLeavesNoStraySpaceAndTheTimeHasNoZone)
{
    const QDateTime now(QDate(2026, 3, 7), QTime(9, 5, 3), Qt::UTC);
    const TKeywordValues unnamed {1, QString(), now};
    EXPECT_EQ(ExpandKeywordTemplate(QStringLiteral("%F %y/%m/%d"), unnamed), QStringLiteral("2026/3/7"));
    EXPECT_EQ(ExpandKeywordTemplate(QStringLiteral("%y/%m/%d %F"), unnamed), QStringLiteral("2026/3/7"));
    EXPECT_EQ(ExpandKeywordTemplate(QStringLiteral("[%f]"), unnamed), QStringLiteral("[]"));
    const QString time = ExpandKeywordTemplate(QStringLiteral("%t"), unnamed);
    EXPECT_TRUE(time.contains(QStringLiteral("05"))) << time.toStdString();
    for (const QString zone : {QStringLiteral("UTC"), QStringLiteral("GMT"), QStringLiteral("JST"), QStringLiteral("+0")})
        EXPECT_FALSE(time.contains(zone)) << time.toStdString();
    EXPECT_EQ(time, time.trimmed());
}

TEST(Keywords, ReadTheReplaceableClock)
{
    SetPrintClock([] { return QDateTime(QDate(1999, 12, 31), QTime(23, 59)); });
    TStringsPrinter printer;
    EXPECT_EQ(printer.ExpandKeywords(QStringLiteral("%y-%m-%d"), 1), QStringLiteral("1999-12-31"));
    SetPrintClock({});
    EXPECT_EQ(printer.ExpandKeywords(QStringLiteral("%y"), 1), QString::number(QDate::currentDate().year()));
}

TEST(StringsPrinter, LimitedRangeNumbersStartPageWithFirstPageNumber)
{
    TStringsPrinter printer;
    printer.SetRangeOption(roLimited);
    printer.SetStartPage(3);
    printer.SetLastPage(4);
    printer.SetFirstPageNumber(3);
    EXPECT_EQ(printer.PageNumberOf(2), 3);
    EXPECT_EQ(printer.PageNumberOf(3), 4);
    printer.SetFirstPageNumber(1);
    EXPECT_EQ(printer.PageNumberOf(2), 1);
    EXPECT_EQ(printer.PageNumberOf(3), 2);
    std::vector<int> printed;
    for (int index = 0; index < 6; ++index) {
        if (printer.PagePrinted(index))
            printed.push_back(index);
    }
    EXPECT_EQ(printed, (std::vector<int> {2, 3}));
}

TEST(StringsPrinter, OddAndEvenFilterByPrintedNumber)
{
    TStringsPrinter printer;
    printer.SetFirstPageNumber(2);
    printer.SetPageOption(poEven);
    EXPECT_TRUE(printer.PagePrinted(0)); // number 2
    EXPECT_FALSE(printer.PagePrinted(1));
    printer.SetPageOption(poOdd);
    EXPECT_FALSE(printer.PagePrinted(0));
    EXPECT_TRUE(printer.PagePrinted(1));
}

TEST(StringsPrinterInfo, PaperTableAndCurrentPaper)
{
    ASSERT_NE(PaperInfo(9), nullptr);
    EXPECT_STREQ(PaperInfo(9)->Name, "DMPAPER_A4");
    EXPECT_EQ(PaperInfo(43)->Width, 100);
    EXPECT_EQ(PaperInfo(43)->Height, 148);
    EXPECT_STREQ(PaperInfo(68)->Name, "DMPAPER_A3_EXTRA_TRANSVERSE");
    EXPECT_EQ(PaperInfo(0), nullptr);
    EXPECT_EQ(PaperInfo(69), nullptr);
    const TStringsPrinterInfo none([]() -> QPrinter* { return nullptr; });
    EXPECT_EQ(none.PaperCode(), -1);
    EXPECT_TRUE(none.GetPaperName().isEmpty());
    EXPECT_EQ(none.GetPaperSize(), QSize(0, 0));
}
