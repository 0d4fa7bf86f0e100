// ReplaceBytes: a stretch of the whole text replaced as one edit, over line breaks and wrapped
// rows, undone in one step, with the caret at the requested offset.
#include "ModelTestSupport.h"

#include <gtest/gtest.h>

namespace brenvik {
namespace {

using test::TTestModel;

TEST(ReplaceBytes, OneEditAcrossLinesUndoneInOneStep)
{
    TTestModel t;
    t.SetText("one foo\r\ntwo foo\r\nthree foo\r\n");
    t.Model.SetModified(false);
    // From the first foo (4) to the end of the last (27): middle text rebuilt by the caller.
    t.Model.ReplaceBytes(4, 27, "X\r\ntwo X\r\nthree X", 17);
    EXPECT_EQ(t.Text(), "one X\r\ntwo X\r\nthree X\r\n");
    EXPECT_TRUE(t.Model.Modified());
    EXPECT_FALSE(t.Model.HasSelection());
    EXPECT_EQ(t.Model.SelStart(), 17);
    EXPECT_EQ(t.Model.CheckInvariant(), "");
    t.Model.Undo();
    EXPECT_EQ(t.Text(), "one foo\r\ntwo foo\r\nthree foo\r\n");
    EXPECT_FALSE(t.Model.CanUndo());
}

TEST(ReplaceBytes, WrappedRowsAndTheLastLineWithoutABreak)
{
    TTestModel t;
    t.WrapAt(10);
    t.SetText("abcdefghij0123456789xyz\r\nlast foo");
    const std::uint64_t before = t.Model.TextVersion();
    // "0123" sits on the second wrapped row of line 0; "foo" ends the text.
    t.Model.ReplaceBytes(10, 14, "++", 12);
    EXPECT_EQ(t.Text(), "abcdefghij++456789xyz\r\nlast foo");
    EXPECT_NE(t.Model.TextVersion(), before);
    t.Model.ReplaceBytes(28, 31, "bar", 31);
    EXPECT_EQ(t.Text(), "abcdefghij++456789xyz\r\nlast bar");
    EXPECT_EQ(t.Model.SelStart(), 31);
    EXPECT_EQ(t.Model.CheckInvariant(), "");
}

TEST(ReplaceBytes, ReadOnlyChangesNothing)
{
    TTestModel t;
    t.SetText("foo\r\n");
    t.Model.SetReadOnly(true);
    t.Model.ReplaceBytes(0, 3, "bar", 3);
    EXPECT_EQ(t.Text(), "foo\r\n");
    EXPECT_FALSE(t.Model.CanUndo());
}

} // namespace
} // namespace brenvik
