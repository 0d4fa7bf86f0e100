// Painting: the editor rendered into an image on the offscreen platform, checked at computed cells.
#include "editor/Editor.h"
#include "editor/EditorCaret.h"
#include "editor/EditorFont.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorMarks.h"
#include "editor/EditorPainter.h"
#include "editor/EditorRuler.h"
#include "editor/EditorViewInfo.h"
#include "text/EditorScreenStrings.h"
#include "text/EditorStrings.h"
#include "text/EditorWrapOption.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

const std::string kA = "\x82\xa0"; // あ

class PaintingTest : public ::testing::Test {
protected:
    PaintingTest()
    {
        editor.SetScrollBars(ssNone);
        editor.resize(420, 240);
        editor.show();
        // The caret is kept out of the pictures so that cells compare without it.
        editor.HideCaret();
        editor.Caret()->SetTabSpaceCount(4);
        TEditorColors& colors = *editor.View()->Colors();
        colors.Str()->SetColor(clRed);
        editor.View()->SetQuotation("'");
    }

    void SetText(const std::string& text) { editor.Lines().SetTextStr(text); }

    QImage Render()
    {
        QImage image(editor.viewport()->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        editor.viewport()->render(&image);
        return image;
    }

    // The cell of a column in a row, as many pixels high as the font.
    QRect Cell(int row, int col, int width = 1) const
    {
        const int c = editor.ColWidth();
        return QRect(editor.LeftOffset() + (col - editor.TopCol()) * c,
            editor.TopOffset() + (row - editor.TopRow()) * editor.RowHeight(), width * c,
            editor.FontHeight());
    }

    // Pixels of the rectangle in the colour, counting anti-aliased ink: a pixel that is a blend
    // of the colour over the background with at least a quarter of the colour.
    static int Count(const QImage& image, const QRect& rect, QColor color, QColor background = Qt::white)
    {
        const int c[3] = {color.red(), color.green(), color.blue()};
        const int b[3] = {background.red(), background.green(), background.blue()};
        int k = 0;
        for (int i = 1; i < 3; ++i)
            if (std::abs(c[i] - b[i]) > std::abs(c[k] - b[k]))
                k = i;
        int count = 0;
        const QRect area = rect.intersected(image.rect());
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                const int p[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
                if (c[k] == b[k]) {
                    count += pixel == color.rgb();
                    continue;
                }
                const double alpha = double(p[k] - b[k]) / (c[k] - b[k]);
                bool blend = alpha >= 0.25;
                for (int i = 0; i < 3 && blend; ++i)
                    blend = std::abs(p[i] - (b[i] + alpha * (c[i] - b[i]))) <= 24;
                count += blend;
            }
        return count;
    }

    // Pixels of the rectangle not in the background colour.
    static int Ink(const QImage& image, const QRect& rect, QColor background)
    {
        int count = 0;
        const QRect area = rect.intersected(image.rect());
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += image.pixel(x, y) != background.rgb();
        return count;
    }

    // Pixels of the rectangle exactly in the colour (fills, not ink).
    static int Exact(const QImage& image, const QRect& rect, QColor color)
    {
        int count = 0;
        const QRect area = rect.intersected(image.rect());
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += image.pixel(x, y) == color.rgb();
        return count;
    }

    TEditor editor;
};

const QColor kWhite = Qt::white;
const QColor kBlack = Qt::black;
const QColor kRed = Qt::red;
const QColor kNavy(0, 0, 0x80);
const QColor kBlue = Qt::blue;
const QColor kLime = Qt::green;

TEST_F(PaintingTest, TokensTakeTheirFountainColoursOnTheGrid)
{
    SetText("ab 'xy' " + kA + "c");
    editor.View()->Colors()->Str()->SetBkColor(clYellow);
    const QImage image = Render();
    EXPECT_GT(Count(image, Cell(0, 0), kBlack), 0) << "plain text in the font colour";
    EXPECT_EQ(Count(image, Cell(0, 0), kRed), 0);
    EXPECT_GT(Count(image, Cell(0, 4), kRed), 0) << "the string token in its colour";
    EXPECT_GT(Exact(image, Cell(0, 3, 4), QColor(Qt::yellow)), 0) << "on its background";
    EXPECT_EQ(Exact(image, Cell(0, 2), QColor(Qt::yellow)), 0);
    // A double-byte character is one glyph across its two cells; the next byte follows them.
    EXPECT_GT(Ink(image, Cell(0, 8), kWhite), 0);
    EXPECT_GT(Ink(image, Cell(0, 9), kWhite), 0);
    EXPECT_GT(Count(image, Cell(0, 10), kBlack), 0);
    EXPECT_EQ(Ink(image, Cell(0, 11), kWhite), 0);
    EXPECT_EQ(Ink(image, Cell(1, 0, 20), kWhite), 0) << "rows past the text show the background";
}

TEST_F(PaintingTest, SelectionInsideOneRowShowsThreePiecesAndFallsBackForClNone)
{
    SetText("abcdefgh");
    editor.SetRowCol(0, 2);
    editor.StartSelection();
    editor.SetRowCol(0, 5);
    editor.ExtendSelection();
    ASSERT_TRUE(editor.HasSelection());
    QImage image = Render();
    EXPECT_EQ(Exact(image, Cell(0, 1), kNavy), 0);
    EXPECT_GT(Exact(image, Cell(0, 2), kNavy), 0) << "default selection: navy background";
    EXPECT_GT(Count(image, Cell(0, 3), kWhite, kNavy), 0) << "with white text";
    EXPECT_GT(Exact(image, Cell(0, 4), kNavy), 0);
    EXPECT_EQ(Exact(image, Cell(0, 5), kNavy), 0);

    TFountainColor& select = *editor.View()->Colors()->Select();
    select.SetBkColor(clNone);
    select.SetColor(clNone);
    editor.SetColor(clLime);
    image = Render();
    EXPECT_GT(Count(image, Cell(0, 3), kBlack, kLime), Cell(0, 3).width())
        << "clNone background: the font colour";
    EXPECT_GT(Count(image, Cell(0, 3), kLime, kBlack), 0) << "clNone text: the editor colour";
    EXPECT_GT(Count(image, Cell(0, 1), kLime, kBlack), Cell(0, 1).width()) << "unselected: the editor colour";
}

TEST_F(PaintingTest, StreamSelectionOverRowsAndBoxSelection)
{
    SetText("aaaaaaaa\r\nbbbbbbbb\r\ncccccccc");
    editor.SetRowCol(0, 6);
    editor.StartSelection();
    editor.SetRowCol(2, 2);
    editor.ExtendSelection();
    QImage image = Render();
    EXPECT_EQ(Exact(image, Cell(0, 5), kNavy), 0);
    EXPECT_GT(Exact(image, Cell(0, 6), kNavy), 0);
    EXPECT_GT(Exact(image, Cell(0, 12), kNavy), 0) << "the first row is selected to its right edge";
    EXPECT_GT(Exact(image, Cell(1, 0), kNavy), 0);
    EXPECT_GT(Exact(image, Cell(2, 1), kNavy), 0);
    EXPECT_EQ(Exact(image, Cell(2, 2), kNavy), 0);

    editor.SetBoxSelection(true);
    image = Render();
    EXPECT_EQ(Exact(image, Cell(0, 1), kNavy), 0);
    EXPECT_GT(Exact(image, Cell(1, 3), kNavy), 0);
    EXPECT_EQ(Exact(image, Cell(1, 6), kNavy), 0) << "a box covers only its columns";
}

TEST_F(PaintingTest, IncrementalSelectionRepaintEqualsAFullPaint)
{
    SetText("first row here\r\nsecond row\r\nthird row text\r\nfourth");
    const TEditorPainter& painter = editor.Painter();
    for (const bool box : {false, true}) {
        editor.CancelSelection();
        editor.SetBoxSelection(box);
        editor.SetRowCol(0, 3);
        editor.StartSelection();
        editor.SetRowCol(1, 5);
        editor.ExtendSelection();
        QImage image = Render();
        const TSelectionCols before = editor.SelectionCols();
        editor.SetRowCol(2, 8);
        editor.ExtendSelection();
        const QRegion change = painter.SelectionChange(before, true, editor.SelectionCols(), true, box);
        EXPECT_FALSE(change.isEmpty());
        EXPECT_FALSE(change.contains(Cell(0, 1).center())) << "unchanged cells are not repainted";
        // render() puts the region's top left at the given offset.
        editor.viewport()->render(&image, change.boundingRect().topLeft(), change);
        EXPECT_EQ(image, Render()) << (box ? "box" : "stream");
    }
}

TEST_F(PaintingTest, EndMarks)
{
    TEditorMarks& marks = *editor.Marks();
    marks.EofMark()->SetVisible(true);
    marks.EofMark()->SetColor(clRed);
    marks.RetMark()->SetVisible(true);
    marks.RetMark()->SetColor(clBlue);
    SetText("");
    QImage image = Render();
    EXPECT_GT(Count(image, Cell(0, 0, 5), kRed), 0) << "an empty text shows [EOF] on its first row";

    SetText("abc\r\n");
    image = Render();
    EXPECT_GT(Count(image, Cell(0, 3), kBlue), 0) << "line-break mark after the last character";
    EXPECT_EQ(Count(image, Cell(0, 3), kRed), 0);
    EXPECT_GT(Count(image, Cell(1, 0, 5), kRed), 0) << "EOF at the start of the row after the break";

    SetText("abc");
    image = Render();
    EXPECT_GT(Count(image, Cell(0, 3, 5), kRed), 0) << "EOF right after the last character";
    EXPECT_EQ(Count(image, Cell(0, 3, 5), kBlue), 0);
    EXPECT_EQ(Count(image, Cell(1, 0, 5), kRed), 0);

    marks.WrapMark()->SetVisible(true);
    marks.WrapMark()->SetColor(clLime);
    editor.ListRows().WrapOption().SetWrapByte(20);
    editor.SetWordWrap(true);
    SetText(std::string(30, 'w'));
    image = Render();
    ASSERT_EQ(editor.RowCount(), 2);
    EXPECT_GT(Count(image, Cell(0, 20), kLime), 0) << "wrap mark after a wrapped row";
    EXPECT_EQ(Count(image, Cell(1, 10), kLime), 0);
}

TEST_F(PaintingTest, RowsLongerThan1000ColumnsAreDrawnWholeWhereTheCaretIs)
{
    TEditorMarks& marks = *editor.Marks();
    marks.HideMark()->SetVisible(true);
    marks.HideMark()->SetColor(clRed);
    marks.RetMark()->SetVisible(true);
    marks.RetMark()->SetColor(clBlue);
    std::string wide(1499, 'a');
    wide += kA + "zzz";
    SetText(std::string(1200, 'a') + "\r\n" + wide + "\r\n" + std::string(1000, 'a') + "\r\n");
    editor.SetRowCol(1, 1504);
    EXPECT_EQ(editor.Col(), 1504) << "the caret reaches the row's end";
    editor.ScrollCaret();
    ASSERT_GT(editor.TopCol(), 1400) << "the view follows the caret past column 1000";
    const QImage image = Render();
    EXPECT_GT(Ink(image, Cell(1, 1499), kWhite), 0) << "the double-byte character where the text has it";
    EXPECT_GT(Count(image, Cell(1, 1503), kBlack), 0);
    EXPECT_GT(Count(image, Cell(1, 1504), kBlue), 0) << "the line-break mark after the row's end";
    EXPECT_EQ(Count(image, Cell(0, editor.TopCol(), 80), kRed), 0) << "no row is cut, no hide mark";
    editor.SetTopCol(1150);
    const QImage first = Render();
    EXPECT_GT(Count(first, Cell(0, 1199), kBlack), 0);
    EXPECT_GT(Count(first, Cell(0, 1200), kBlue), 0);
    EXPECT_EQ(Count(first, Cell(0, 1201, 5), kBlack), 0) << "nothing drawn past the row's end";
}

TEST_F(PaintingTest, UnderlineOfTheCaretRowHidesWithASelection)
{
    editor.Marks()->Underline()->SetVisible(true);
    editor.Marks()->Underline()->SetColor(clLime);
    SetText("one\r\ntwo\r\nthree");
    editor.SetRowCol(1, 1);
    ASSERT_EQ(editor.RowHeight(), editor.FontHeight() + 1) << "the underline takes a pixel of the row";
    const int y = editor.TopOffset() + editor.RowHeight() + editor.FontHeight();
    const QRect line(editor.LeftOffset(), y, editor.viewport()->width() - editor.LeftOffset(), 1);
    QImage image = Render();
    EXPECT_EQ(Count(image, line, kLime), line.width());
    editor.StartSelection();
    editor.SetRowCol(2, 2);
    editor.ExtendSelection();
    image = Render();
    EXPECT_EQ(Count(image, line, kLime), 0);
}

TEST_F(PaintingTest, LeftbarNumbersRowsOrLines)
{
    TEditorLeftbar& bar = *editor.Leftbar();
    bar.SetVisible(true);
    bar.SetBkColor(clSilver);
    bar.SetColor(clBlue);
    bar.SetColumn(3);
    editor.ListRows().WrapOption().SetWrapByte(20);
    editor.SetWordWrap(true);
    SetText(std::string(30, 'w') + "\r\nshort");
    ASSERT_EQ(editor.RowCount(), 3);
    const int column = editor.ColWidth();
    const auto digitCell = [&](int row, int index) {
        return QRect(bar.LeftMargin() + index * column, editor.TopOffset() + row * editor.RowHeight(), column,
            editor.FontHeight());
    };
    QImage image = Render();
    for (int row = 0; row < 3; ++row) {
        EXPECT_GT(Count(image, digitCell(row, 2), kBlue), 0) << "nmRow numbers every row: " << row;
        EXPECT_EQ(Count(image, digitCell(row, 0), kBlue), 0) << "padded with spaces";
    }
    bar.SetShowNumberMode(nmLine);
    image = Render();
    EXPECT_GT(Count(image, digitCell(0, 2), kBlue), 0);
    EXPECT_EQ(Count(image, digitCell(1, 2), kBlue), 0) << "a continuation row has no number";
    EXPECT_GT(Count(image, digitCell(2, 2), kBlue), 0);
    // Its number is 2: the same glyph as row 1's number in row mode.
    bar.SetShowNumberMode(nmRow);
    const QImage rowMode = Render();
    bar.SetShowNumberMode(nmLine);
    EXPECT_EQ(Render().copy(digitCell(2, 2)), rowMode.copy(digitCell(1, 2)));

    bar.SetZeroLead(true);
    image = Render();
    EXPECT_GT(Count(image, digitCell(0, 0), kBlue), 0) << "zero lead pads with zeros";
}

TEST_F(PaintingTest, LeftbarDigitsFollowAWrapChange)
{
    editor.Leftbar()->SetVisible(true);
    editor.Leftbar()->SetColumn(1);
    std::string text;
    for (int i = 0; i < 5; ++i)
        text += std::string(60, 'x') + "\r\n";
    SetText(text);
    const int before = editor.LeftOffset();
    editor.ListRows().WrapOption().SetWrapByte(20);
    editor.SetWordWrap(true);
    ASSERT_GE(editor.RowCount(), 15);
    EXPECT_EQ(editor.LeftOffset(), before + editor.ColWidth()) << "two digits once the rows pass nine";
}

TEST_F(PaintingTest, EdgeStripsOfTheBarsAndTheCorner)
{
    editor.Ruler()->SetVisible(true);
    editor.Ruler()->SetBkColor(clSilver);
    TEditorLeftbar& bar = *editor.Leftbar();
    bar.SetVisible(true);
    bar.SetBkColor(clYellow);
    bar.SetColor(clBlue);
    SetText("x");
    const QColor gray(0x80, 0x80, 0x80);
    const int edge = editor.LeftbarWidth() - 2;
    const int rulerBottom = editor.RulerHeight() - 1;
    const int textY = editor.TopOffset() + 3;
    QImage image = Render();
    EXPECT_EQ(QColor(image.pixel(edge, textY)), kWhite);
    EXPECT_EQ(QColor(image.pixel(edge + 1, textY)), gray);
    EXPECT_EQ(QColor(image.pixel(edge - 1, textY)), QColor(Qt::yellow));
    EXPECT_EQ(QColor(image.pixel(editor.LeftOffset() + 40, rulerBottom - 1)), kWhite);
    EXPECT_EQ(QColor(image.pixel(editor.LeftOffset() + 40, rulerBottom)), gray);
    EXPECT_EQ(QColor(image.pixel(2, rulerBottom)), gray) << "the corner carries the ruler's edge";
    EXPECT_EQ(QColor(image.pixel(2, 3)), QColor(0xC0, 0xC0, 0xC0)) << "in the ruler's background";

    bar.SetEdge(false);
    image = Render();
    EXPECT_EQ(QColor(image.pixel(edge, textY)), QColor(Qt::yellow)) << "without an edge: the bar colours";
    EXPECT_EQ(QColor(image.pixel(edge + 1, textY)), kBlue);
}

TEST_F(PaintingTest, RulerCaretMarkAndNumbersFollowScrolling)
{
    TEditorRuler& ruler = *editor.Ruler();
    ruler.SetVisible(true);
    ruler.SetMarkColor(clRed);
    SetText(std::string(200, 'r'));
    const int column = editor.ColWidth();
    const auto markCell = [&](int col) {
        return QRect(editor.LeftOffset() + (col - editor.TopCol()) * column + 1, 1, column - 2, 5);
    };
    editor.SetRowCol(0, 5);
    QImage image = Render();
    EXPECT_EQ(Count(image, markCell(5), kRed), markCell(5).width() * markCell(5).height());
    editor.SetRowCol(0, 8);
    image = Render();
    EXPECT_EQ(Count(image, markCell(5), kRed), 0);
    EXPECT_GT(Count(image, markCell(8), kRed), 0);

    editor.SetRowCol(0, 0);
    const QRect numberAt10(editor.LeftOffset() + 10 * column, 0, 2 * column, 9);
    const QImage number = Render().copy(numberAt10);
    editor.SetTopCol(3);
    ASSERT_EQ(editor.TopCol(), 3);
    const QImage scrolled = Render();
    EXPECT_EQ(scrolled.copy(numberAt10.translated(-3 * column, 0)), number) << "10 moved with the columns";
    EXPECT_NE(scrolled.copy(numberAt10), number);
}

TEST_F(PaintingTest, RulerNumbersColumnsPast1000)
{
    editor.Ruler()->SetVisible(true);
    SetText(std::string(1300, 'r'));
    editor.SetTopCol(1195);
    ASSERT_EQ(editor.TopCol(), 1195);
    const int column = editor.ColWidth();
    const QImage image = Render();
    // The top rows of the digits of 1200, where only the ticks of whole tens reach.
    const QRect number(editor.LeftOffset() + 5 * column + 2, 0, 4 * 6, 3);
    EXPECT_GT(Count(image, number, Qt::black, image.pixelColor(number.topLeft() - QPoint(1, 0))), 4);
}

// The bracket pair at the caret is framed, both brackets and nothing between; a selection hides it.
TEST_F(PaintingTest, BracketPairAtTheCaretIsFramed)
{
    const auto framed = [](const QImage& image, const QRect& rect) {
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                count += image.pixel(x, y) == QColor(0x20, 0x60, 0xd0).rgb();
        return count;
    };
    SetText("f(x, (y))\r\n");
    editor.SetRowCol(0, 1);
    QApplication::processEvents();
    QImage image = Render();
    EXPECT_GT(framed(image, Cell(0, 1)), 0);
    EXPECT_GT(framed(image, Cell(0, 8)), 0);
    EXPECT_EQ(framed(image, Cell(0, 2, 6)), 0);
    editor.SetRowCol(0, 3);
    QApplication::processEvents();
    EXPECT_EQ(framed(Render(), Cell(0, 0, 10)), 0);
    editor.SetRowCol(0, 8);
    editor.StartSelection();
    editor.SetRowCol(0, 9);
    editor.ExtendSelection();
    QApplication::processEvents();
    EXPECT_EQ(framed(Render(), Cell(0, 0, 10)), 0);
}

TEST_F(PaintingTest, OnDrawLineHearsEveryRowPartAfterItsTokens)
{
    SetText("a\tb\r\nline two");
    std::vector<std::tuple<std::string, int, bool>> calls;
    editor.OnDrawLine
        = [&](TEditor* sender, const std::string& line, int, int, int index, const QRect&, bool selected) {
              EXPECT_EQ(sender, &editor);
              EXPECT_NE(sender->Canvas(), nullptr);
              calls.emplace_back(line, index, selected);
          };
    Render();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], std::make_tuple(std::string("a   b"), 0, false)) << "tabs expanded";
    calls.clear();
    editor.SetRowCol(1, 2);
    editor.StartSelection();
    editor.SetRowCol(1, 4);
    editor.ExtendSelection();
    Render();
    ASSERT_EQ(calls.size(), 4u) << "row 0 whole, row 1 in three pieces";
    EXPECT_FALSE(std::get<2>(calls[1]));
    EXPECT_TRUE(std::get<2>(calls[2]));
    EXPECT_FALSE(std::get<2>(calls[3]));
    EXPECT_EQ(editor.Canvas(), nullptr);
}

TEST_F(PaintingTest, WrappedRowsPaintTheirTabsUpToTheWrapEdgeAndScanIntoTheNextRow)
{
    editor.ListRows().WrapOption().SetWrapByte(22);
    editor.SetWordWrap(true);
    SetText(std::string(21, 'x') + "\tb");
    ASSERT_EQ(editor.RowCount(), 2);
    std::vector<std::string> lines;
    editor.OnDrawLine = [&](TEditor*, const std::string& line, int, int, int, const QRect&, bool) {
        lines.push_back(line);
    };
    Render();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(21, 'x') + " b") << "the tab fills one column, to the wrap edge";
    EXPECT_EQ(lines[1], "b");
}

TEST_F(PaintingTest, ItalicStylePaintsTokensOverTheBackground)
{
    TFountainColor& str = *editor.View()->Colors()->Str();
    EXPECT_FALSE(editor.Painter().ItalicFlag());
    str.SetStyle(fsItalic);
    EXPECT_TRUE(editor.Painter().ItalicFlag());
    str.SetBkColor(clYellow);
    SetText("ab 'xy' cd");
    const QImage image = Render();
    EXPECT_GT(Count(image, Cell(0, 4), kRed), 0);
    EXPECT_GT(Exact(image, Cell(0, 3), QColor(Qt::yellow)), 0);
    EXPECT_GT(Count(image, Cell(0, 8), kBlack), 0);
}

TEST_F(PaintingTest, BadBytesShowAsBoxesAndStayUnchanged)
{
    const std::string bad = std::string("a\xff") + "\x82\x20" + std::string("b\0c", 3) + "\x88";
    SetText(bad);
    const std::string before(editor.RowText(0));
    const QImage image = Render();
    EXPECT_GT(Ink(image, Cell(0, 1), kWhite), 0) << "0xFF has no character: a box";
    EXPECT_GT(Ink(image, Cell(0, 2, 2), kWhite), 0) << "an invalid pair: a box over both cells";
    EXPECT_GT(Ink(image, Cell(0, 7), kWhite), 0) << "a lead byte at the row end";
    EXPECT_EQ(std::string(editor.RowText(0)), before);
}

TEST_F(PaintingTest, CharactersAfterAnInvalidPairStillShowTheirGlyphs)
{
    SetText("\x82\x20Q");
    const QImage afterBadPair = Render();
    TEditor fresh;
    fresh.SetScrollBars(ssNone);
    fresh.resize(editor.size());
    fresh.show();
    fresh.HideCaret();
    fresh.Lines().SetTextStr("  \xff");
    QImage box(fresh.viewport()->size(), QImage::Format_RGB32);
    fresh.viewport()->render(&box);
    EXPECT_GT(Ink(afterBadPair, Cell(0, 2), kWhite), 0);
    EXPECT_NE(afterBadPair.copy(Cell(0, 2)), box.copy(Cell(0, 2))) << "Q is drawn as Q, not as a box";
}

TEST_F(PaintingTest, DegenerateWindowsAndHugeRowsPaint)
{
    SetText(std::string(100000, 'x') + "\r\n" + kA);
    editor.resize(0, 0);
    EXPECT_NO_THROW(Render());
    editor.resize(30, 5);
    EXPECT_NO_THROW(Render());
    editor.resize(420, 240);
    editor.Font()->SetName("NoSuchFontFamily");
    const QImage image = Render();
    EXPECT_GT(Count(image, Cell(0, 0), kBlack), 0);
}

TEST_F(PaintingTest, ViewAndFontChangesRepaintInTheNewLook)
{
    SetText("'xy'");
    QImage image = Render();
    ASSERT_GT(Count(image, Cell(0, 1), kRed), 0);
    editor.View()->Colors()->Str()->SetColor(clBlue);
    image = Render();
    EXPECT_EQ(Count(image, Cell(0, 1), kRed), 0);
    EXPECT_GT(Count(image, Cell(0, 1), kBlue), 0);
    const int height = editor.FontHeight();
    editor.Font()->SetSize(editor.Font()->Size() * 2);
    EXPECT_GT(editor.FontHeight(), height) << "the metrics follow the font";
}


// A face that draws "_" below the descent it reports (DejaVu Sans Mono 14: one pixel under it)
// still shows it whole: the row reserves the glyph's full depth.
TEST_F(PaintingTest, GlyphsBelowTheReportedDescentAreNotClipped)
{
    editor.Font()->SetName(QStringLiteral("DejaVu Sans Mono"));
    editor.Font()->SetSize(14);
    SetText("Shift_JIS");
    const QFontMetrics metrics(editor.font());
    const QRect ink = metrics.boundingRect(QLatin1Char('_'));
    EXPECT_GE(editor.FontHeight(), metrics.ascent() + ink.bottom() + 1);
    const QImage image = Render();
    EXPECT_GT(Ink(image, Cell(0, 5), kWhite), 0) << "the underscore is drawn";
}

// A code the document gave a character without a Shift_JIS code (é at F0 40) is painted as that character:
// as the same ink as é drawn by Qt in the cell, where code page 932 alone has only a private-use character.
TEST_F(PaintingTest, DocumentCharactersArePaintedAsTheirCharacters)
{
    TDocumentChars chars;
    ASSERT_EQ(chars.Take(U'\u00E9'), 0xF040);
    SetText("\xF0\x40\r\n");
    const QImage plain = Render();
    editor.SetDocumentChars(chars);
    const QImage own = Render();
    const QRect cell = Cell(0, 0, 2);
    EXPECT_NE(plain.copy(cell), own.copy(cell));
    QImage expected(cell.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    painter.setFont(editor.font());
    painter.setPen(Qt::black);
    painter.drawText(QPointF(0, QFontMetrics(editor.font()).ascent()), QStringLiteral("é"));
    painter.end();
    EXPECT_GT(Ink(own, cell, Qt::white), 0);
    const int ink = Ink(expected, expected.rect(), Qt::white);
    EXPECT_NEAR(Ink(own, cell, Qt::white), ink, ink / 5);
}

TEST_F(PaintingTest, MarkedLinesBandTheirRowsInTheLeftbar)
{
    TEditorLeftbar& bar = *editor.Leftbar();
    bar.SetVisible(true);
    bar.SetBkColor(clSilver);
    editor.ListRows().WrapOption().SetWrapByte(20);
    editor.SetWordWrap(true);
    SetText(std::string(30, 'w') + "\r\nerr\r\nplain\r\nboth\r\n");
    ASSERT_EQ(editor.RowCount(), 5);
    TMarkedLines& marks = editor.Model().Marks();
    marks.SetLines(TMarkKind::Bookmark, {0, 3});
    marks.SetLines(TMarkKind::SyntaxError, {1, 3});
    const QColor silver(0xc0, 0xc0, 0xc0);
    const int margin = bar.LeftMargin();
    const auto band = [&](int row) {
        return QRect(margin, editor.TopOffset() + row * editor.RowHeight(), editor.LeftbarWidth() - margin - 2,
            editor.RowHeight());
    };
    const auto tab = [&](int row) { return band(row).topLeft() + QPoint(-margin + 2, 2); };
    const QImage image = Render();
    const int area = band(0).width() * band(0).height();
    // Both rows of the wrapped bookmarked line, the error line and the line with both are banded.
    for (int row : {0, 1, 2, 4})
        EXPECT_LT(Exact(image, band(row), silver), area / 4) << row;
    EXPECT_GT(Exact(image, band(3), silver), area / 2) << "an unmarked line keeps the bar's colour";
    const QRgb bookmarkBand = image.pixel(band(0).topRight() - QPoint(1, -1));
    const QRgb errorBand = image.pixel(band(2).topRight() - QPoint(1, -1));
    EXPECT_NE(bookmarkBand, errorBand);
    EXPECT_EQ(image.pixel(band(4).topRight() - QPoint(1, -1)), errorBand) << "the error's band over the bookmark's";
    // The bookmark's tab in the margin: on both bookmarked lines, not on the error line.
    EXPECT_EQ(image.pixel(tab(0)), image.pixel(tab(4)));
    EXPECT_NE(image.pixel(tab(0)), image.pixel(tab(2)));
    EXPECT_NE(image.pixel(tab(0)), bookmarkBand);
}

} // namespace
} // namespace brenvik
