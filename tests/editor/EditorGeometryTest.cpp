// The geometry the widget hands its painter: it follows scrolling and the bars between paints.
#include "editor/Editor.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorPainter.h"
#include "editor/EditorRuler.h"
#include "text/EditorStrings.h"

#include <QImage>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

class EditorGeometryTest : public ::testing::Test {
protected:
    EditorGeometryTest()
    {
        editor.SetScrollBars(ssNone);
        editor.resize(420, 240);
        editor.show();
        editor.Lines().SetTextStr("row 0\r\nrow 1\r\nrow 2\r\nrow 3\r\nrow 4\r\nrow 5\r\nrow 6\r\nrow 7");
    }

    void Render()
    {
        QImage image(editor.viewport()->size(), QImage::Format_RGB32);
        editor.viewport()->render(&image);
    }

    TEditor editor;
};

TEST_F(EditorGeometryTest, BarsAndViewportShapeTheGeometry)
{
    editor.Leftbar()->SetVisible(true);
    editor.Ruler()->SetVisible(true);
    TEditorGeometry geometry = editor.Geometry();
    EXPECT_EQ(geometry.LeftbarWidth, editor.LeftbarWidth());
    EXPECT_GT(geometry.LeftbarWidth, 0);
    EXPECT_EQ(geometry.RulerHeight, editor.RulerHeight());
    EXPECT_GT(geometry.RulerHeight, 0);
    EXPECT_EQ(geometry.Width, editor.viewport()->width());
    EXPECT_EQ(geometry.Height, editor.viewport()->height());

    editor.Leftbar()->SetVisible(false);
    editor.Ruler()->SetVisible(false);
    geometry = editor.Geometry();
    EXPECT_EQ(geometry.LeftbarWidth, 0) << "a hidden left bar takes no width";
    EXPECT_EQ(geometry.RulerHeight, 0);
    EXPECT_EQ(geometry.LeftOffset, editor.LeftOffset());
    EXPECT_EQ(geometry.TopOffset, editor.TopOffset());
}

// A selection changes between paints: its repaint region must use the scroll position of the
// moment, not that of the last paint pass.
TEST_F(EditorGeometryTest, SelectionRepaintFollowsScrollingSinceTheLastPaint)
{
    Render();
    editor.SetTopRow(2);
    editor.SetTopCol(1);
    const TSelectionCols none {};
    TSelectionCols cols {};
    cols.StartRow = cols.EndRow = 2;
    cols.StartCol = 1;
    cols.EndCol = 4;
    const QRect change = editor.Painter().SelectionChange(none, false, cols, true, false).boundingRect();
    EXPECT_EQ(change.top(), editor.TopOffset()) << "row 2 is now the top row";
    EXPECT_EQ(change.left(), editor.LeftOffset()) << "column 1 is now the left column";
    EXPECT_EQ(change.width(), 3 * editor.ColWidth());
    EXPECT_EQ(change.height(), editor.RowHeight());
}

} // namespace
} // namespace brenvik
