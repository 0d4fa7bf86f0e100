// Page geometry and the flow of lines through columns and pages.
#include "PrintTestSupport.h"
#include "jcode/SjisUnicode.h"
#include "print/MetaFileList.h"
#include "print/StringsPrinter.h"

#include <cmath>

using namespace brenvik;

namespace {

// A4 at 1200 dpi with 4 mm unprintable on the left and top, 6 mm on the right and bottom.
TPrinterMetrics A4Metrics()
{
    TPrinterMetrics metrics;
    metrics.Dpi = 1200;
    metrics.OffLeft = metrics.OffTop = 189;
    metrics.OffRight = metrics.OffBottom = 283;
    metrics.PageWidth = 9921 - 189 - 283;
    metrics.PageHeight = 14031 - 189 - 283;
    return metrics;
}

struct TPlacement {
    int Line, FirstRow, RowCount, Column, Top;
    bool Numbered;
};

// Every placement of every page.
std::vector<std::vector<TPlacement>> Flow(TMetaFileList& pages, const TPrintLines& lines)
{
    TPageFlow flow(lines, pages.Geometry(), pages.Measure());
    std::vector<std::vector<TPlacement>> result;
    TFlowPosition position;
    do {
        result.emplace_back();
        position = flow.LayOutPage(position, [&](const TPlacedRows& placed) {
            result.back().push_back(
                {placed.Line, placed.FirstRow, placed.RowCount, placed.Column, placed.Top, placed.Numbered});
        });
    } while (position.Line < lines.Count() && result.size() < 1000);
    return result;
}

} // namespace

TEST(PageGeometry, MarginsCountFromTheSheetEdgeNeverBelowThePrintableEdge)
{
    TStringsPrinter printer;
    const TPrinterMetrics metrics = A4Metrics();
    const TVectorLines lines({});
    {
        TMetaFileList pages(printer, lines, metrics);
        EXPECT_EQ(pages.Geometry().PageRect(), QRect(0, 0, metrics.PageWidth, metrics.PageHeight));
    }
    printer.SetMarginLeft(20);
    printer.SetMarginTop(3);
    printer.SetMarginRight(20);
    TMetaFileList pages(printer, lines, metrics);
    const QRect page = pages.Geometry().PageRect();
    EXPECT_EQ(page.left(), std::lround(1200 * 20 / 25.4) - 189);
    EXPECT_EQ(page.top(), 0);
    EXPECT_EQ(page.left() + page.width(), metrics.PageWidth + 283 - std::lround(1200 * 20 / 25.4));
}

TEST(PageGeometry, BandsStripsAndColumns)
{
    TStringsPrinter printer;
    printer.SetLineNumber(true);
    printer.SetColumnCount(2);
    printer.SetHeader(QStringLiteral("%p"));
    printer.SetHeaderAlign(haLeft);
    printer.SetFooter(QStringLiteral("%p"));
    std::vector<std::string> text(1234, "x");
    const TVectorLines lines(std::move(text));
    TMetaFileList pages(printer, lines, A4Metrics());
    const TPageGeometry& geometry = pages.Geometry();
    const int lineHeight = pages.Measure().LineHeight();
    EXPECT_EQ(geometry.HeaderBottom(), lineHeight * 3 / 2);
    // A footer without alignment takes no band.
    EXPECT_EQ(geometry.FooterTop(), A4Metrics().PageHeight);
    EXPECT_EQ(geometry.StripWidth(), std::lround(6 * pages.Measure().CharWidth()));
    const QRect first = geometry.TextColumn(0);
    const QRect second = geometry.TextColumn(1);
    EXPECT_EQ(first.left(), geometry.StripWidth());
    EXPECT_EQ(geometry.StripRect(1).left(), first.left() + first.width() + A4Metrics().Pixels(4));
    EXPECT_EQ(second.left(), geometry.StripRect(1).left() + geometry.StripWidth());
    EXPECT_LE(second.left() + second.width(), A4Metrics().PageWidth);
}

TEST(PageGeometry, RefusesColumnsWithoutRoomForText)
{
    TStringsPrinter printer;
    const TVectorLines lines({"x"});
    // A5 landscape with top and bottom margins of 100 mm: no row fits.
    TPrinterMetrics a5 = A4Metrics();
    a5.PageWidth = 9921 - 472;
    a5.PageHeight = 6992 - 472;
    printer.SetMarginTop(100);
    printer.SetMarginBottom(100);
    EXPECT_FALSE(TMetaFileList(printer, lines, a5).Geometry().Fits());
    // Three columns 100 mm apart on A4: narrower than a full-width character.
    printer.SetMarginTop(0);
    printer.SetMarginBottom(0);
    printer.SetColumnCount(3);
    printer.SetColumnSpace(100);
    EXPECT_FALSE(TMetaFileList(printer, lines, A4Metrics()).Geometry().Fits());
    printer.SetColumnSpace(10);
    EXPECT_TRUE(TMetaFileList(printer, lines, A4Metrics()).Geometry().Fits());
}

TEST(PageFlow, ALineTallerThanAColumnIsSplitFromAnEmptyColumnOn)
{
    // 100,000 bytes at 10 pt on A4 make some 900 rows, far more than a column holds.
    TStringsPrinter printer;
    printer.SetColumnCount(2);
    const TVectorLines lines({"short", std::string(100000, 'a'), "after"});
    TMetaFileList pages(printer, lines, A4Metrics());
    const TPageGeometry& geometry = pages.Geometry();
    const auto flow = Flow(pages, lines);
    std::vector<TRowSpan> rows;
    BreakRows(PrintableText(lines.Line(1), NoDocumentChars()), geometry.TextWidth(), pages.Measure(), rows);
    ASSERT_GT(int(rows.size()), 2 * geometry.RowsPerColumn());
    int placedRows = 0;
    int numbered = 0;
    for (const auto& page : flow) {
        ASSERT_FALSE(page.empty()) << "no blank page";
        for (const TPlacement& placed : page) {
            EXPECT_LE(placed.Top + placed.RowCount * geometry.LineHeight(), geometry.FooterTop());
            if (placed.Line != 1)
                continue;
            EXPECT_EQ(placed.FirstRow, placedRows);
            EXPECT_EQ(placed.Top, geometry.HeaderBottom());
            placedRows += placed.RowCount;
            numbered += placed.Numbered;
        }
    }
    EXPECT_EQ(placedRows, int(rows.size()));
    EXPECT_EQ(numbered, 1);
    // The first column holds only "short"; the long line starts the second.
    EXPECT_EQ(flow[0][1].Column, 1);
    EXPECT_EQ(flow.back().back().Line, 2);
}

TEST(PageFlow, ALineThatFitsAColumnMovesOnWhole)
{
    TStringsPrinter printer;
    const TVectorLines none({});
    TMetaFileList probe(printer, none, A4Metrics());
    const int perColumn = probe.Geometry().RowsPerColumn();
    // perColumn - 1 short lines, then a line of three rows: it goes to the next page whole.
    std::vector<std::string> text(std::size_t(perColumn - 1), "x");
    std::vector<TRowSpan> rows;
    std::string wide(1, 'w');
    do {
        wide += "w";
        BreakRows(QString::fromStdString(wide), probe.Geometry().TextWidth(), probe.Measure(), rows);
    } while (rows.size() < 3);
    text.push_back(wide);
    const TVectorLines lines(std::move(text));
    TMetaFileList pages(printer, lines, A4Metrics());
    const auto flow = Flow(pages, lines);
    ASSERT_EQ(flow.size(), 2u);
    EXPECT_EQ(flow[1].size(), 1u);
    EXPECT_EQ(flow[1][0].RowCount, 3);
    EXPECT_TRUE(flow[1][0].Numbered);
}

TEST(MetaFileList, KeepsAtMostEightPagePictures)
{
    TStringsPrinter printer;
    std::vector<std::string> text(3000, "line");
    const TVectorLines lines(std::move(text));
    TMetaFileList pages(printer, lines, A4Metrics());
    pages.IndexAll();
    ASSERT_GT(pages.Count(), 10);
    EXPECT_EQ(pages.PercentDone(), 100);
    for (int index = 0; index < pages.Count(); ++index)
        EXPECT_FALSE(pages.Page(index).isNull());
    EXPECT_EQ(pages.KeptPages(), TMetaFileList::kKeptPages);
    // Shown again, a kept page is the same picture.
    const QPicture* last = &pages.Page(pages.Count() - 1);
    EXPECT_EQ(&pages.Page(pages.Count() - 1), last);
}

TEST(MetaFileList, AnEmptyTextIsOnePage)
{
    TStringsPrinter printer;
    const TVectorLines lines({});
    TMetaFileList pages(printer, lines, A4Metrics());
    pages.IndexAll();
    EXPECT_EQ(pages.Count(), 1);
}
