// Expression searches of a document's find session: lines of every line end, both directions,
// replacements with groups one at a time, with each answer and all in one undo step, and a
// search that runs away.
#include "FindSessionFixture.h"

namespace brenvik {
namespace {

using F = TSearchFlags;

// Every search here is an expression.
class FindExpressionTest : public test::TFindSessionFixture {
protected:
    int Replace(const std::string& search, std::uint16_t flags, const std::string& replacement)
    {
        return TFindSessionFixture::Replace(search, flags | F::RegExp, replacement);
    }
};

TEST_F(FindExpressionTest, LinesOfEveryLineEndAnchorAndSpanAlike)
{
    // Whatever the file's line end, the rows hold CR LF: the same matches at the same offsets.
    for (const std::string br : {"\r\n", "\r", "\n"}) {
        SetText("sub a {" + br + "}" + br + "  sub b {" + br + "}" + br);
        Find().Start("^sub\\s+(\\w+)", {}, F::Down | F::MatchCase | F::RegExp);
        ASSERT_TRUE(Find().FindNext());
        EXPECT_EQ(Selection(), std::make_pair(qint64(0), qint64(5)));
        // The second sub is indented: no line start, so find goes round to the first again.
        ASSERT_TRUE(Find().FindNext());
        EXPECT_TRUE(Find().Wrapped());
        EXPECT_EQ(Selection(), std::make_pair(qint64(0), qint64(5)));
        Find().Start("\\{\\n\\}$", {}, F::Down | F::RegExp);
        ASSERT_TRUE(Find().FindNext());
        EXPECT_EQ(Selection(), std::make_pair(qint64(6), qint64(4)));
        ASSERT_TRUE(Find().FindNext());
        EXPECT_EQ(Selection(), std::make_pair(qint64(20), qint64(4)));
        Find().SetDirection(false);
        ASSERT_TRUE(Find().FindNext());
        EXPECT_EQ(Selection(), std::make_pair(qint64(6), qint64(4)));
        EXPECT_FALSE(Find().Wrapped());
        ASSERT_TRUE(Find().FindNext());
        EXPECT_TRUE(Find().Wrapped());
        EXPECT_EQ(Selection(), std::make_pair(qint64(20), qint64(4)));
        // Only an expression found nowhere is a miss.
        Find().Start("sub\\s+c", {}, F::Down | F::RegExp);
        EXPECT_FALSE(Find().FindNext());
        EXPECT_EQ(Find().MissText(), QString::fromUtf8("検索文字列  ' sub\\s+c 'は見つかりませんでした。"));
    }
}

TEST_F(FindExpressionTest, ReplacementsUseEachMatchsGroups)
{
    const std::string text = "$in{'name'} = $in{'mail'};\r\n";
    // One: the selection that is a match goes first.
    SetText(text);
    Model().SetSelStart(14);
    Model().SetSelLength(11);
    EXPECT_EQ(Replace("\\$in\\{'(?<key>\\w+)'\\}", F::Down | F::Replace, "$FORM{${key}}"), 1);
    EXPECT_EQ(Text(), "$in{'name'} = $FORM{mail};\r\n");
    // With the question: No, then Yes; each replacement has its own groups.
    SetText(text + text);
    Answers = {TAnswer::No, TAnswer::Yes, TAnswer::Yes, TAnswer::Cancel};
    EXPECT_EQ(Replace("\\$in\\{'(\\w+)'\\}", F::Down | F::ReplaceAll | F::ReplaceConfirm, "$1"), 2);
    EXPECT_EQ(Text(), "$in{'name'} = mail;\r\nname = $in{'mail'};\r\n");
    // All: one edit, one undo step; \n in the replacement is the rows' CR LF.
    SetText(text);
    EXPECT_EQ(Replace("\\s*=\\s*", F::Down | F::ReplaceAll, "\\n=\\t"), 1);
    EXPECT_EQ(Text(), "$in{'name'}\r\n=\t$in{'mail'};\r\n");
    EXPECT_EQ(Model().CheckInvariant(), "");
    Model().Undo();
    EXPECT_EQ(Text(), text);
    // Backward all from the end replaces the same matches.
    SetText(text);
    Model().SetSelStart(qint64(text.size()));
    EXPECT_EQ(Replace("'(\\w)\\w*'", F::ReplaceAll, "$1"), 2);
    EXPECT_EQ(Text(), "$in{n} = $in{m};\r\n");
}

TEST_F(FindExpressionTest, ARunawaySearchStopsAndChangesNothing)
{
    const std::string text = "ok\r\n" + std::string(30'000, 'a') + "!\r\n";
    SetText(text);
    Model().SetModified(false);
    Find().Start("(a+)+$", {}, F::Down | F::RegExp);
    EXPECT_FALSE(Find().FindNext());
    EXPECT_EQ(Find().MissText(), QString::fromUtf8("検索を中断しました: 式が複雑すぎます"));
    Model().SetSelStart(0);
    EXPECT_EQ(Replace("ok|(a+)+$", F::Down | F::ReplaceAll, "x"), 0);
    EXPECT_TRUE(Find().Missed());
    EXPECT_EQ(Find().MissText(), QString::fromUtf8("検索を中断しました: 式が複雑すぎます"));
    EXPECT_EQ(Text(), text);
    EXPECT_FALSE(Model().Modified());
}

} // namespace
} // namespace brenvik
