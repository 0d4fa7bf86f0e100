// The find session of a script document, without a window: find next over the joined text,
// replace one, all and with each answer, and replace-all against a plain reference.
#include "FindSessionFixture.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>

namespace brenvik {
namespace {

using F = TSearchFlags;

const std::string kSo = "\x83\x5C"; // ソ: its trail byte is a backslash
const std::string kKensaku = "\x8C\x9F\x8D\xF5";

using FindSessionTest = test::TFindSessionFixture;

TEST_F(FindSessionTest, FindNextGoesBothWaysRoundTheEndsPastZeroBytesAndSeesEdits)
{
    SetText(std::string("needle a\0b\r\nneedle\r\n", 20));
    Model().SetSelStart(3);
    Find().Start("needle", {}, F::Down);
    ASSERT_TRUE(Find().FindNext());
    EXPECT_EQ(Selection(), std::make_pair(qint64(12), qint64(6)));
    EXPECT_FALSE(Find().Wrapped());
    // None below: round from the top, and said so.
    ASSERT_TRUE(Find().FindNext());
    EXPECT_EQ(Selection(), std::make_pair(qint64(0), qint64(6)));
    EXPECT_TRUE(Find().Wrapped());
    EXPECT_EQ(Find().WrapText(), QString::fromUtf8("末尾まで検索しました。先頭から再検索しました"));
    Find().SetDirection(false);
    ASSERT_TRUE(Find().FindNext());
    EXPECT_EQ(Selection(), std::make_pair(qint64(12), qint64(6)));
    EXPECT_EQ(Find().WrapText(), QString::fromUtf8("先頭まで検索しました。末尾から再検索しました"));
    ASSERT_TRUE(Find().FindNext());
    EXPECT_FALSE(Find().Wrapped());
    // A text found nowhere is a miss, the selection kept.
    Find().Start("pin", {}, F::Down);
    EXPECT_FALSE(Find().FindNext());
    EXPECT_EQ(Selection(), std::make_pair(qint64(0), qint64(6)));
    EXPECT_EQ(Find().MissText(), QString::fromUtf8("検索文字列  ' pin 'は見つかりませんでした。"));
    // The kept joined text follows an edit.
    Find().Start("needle", {}, F::Down);
    Model().SetSelStart(9);
    Model().TypeText("needle");
    Model().SetSelStart(1);
    ASSERT_TRUE(Find().FindNext());
    EXPECT_EQ(Selection(), std::make_pair(qint64(9), qint64(6)));
}

// Kept to a stretch: finds go round inside it; replace-all changes only it and leaves it selected;
// confirmed replacements stay inside as it grows; an edit of the text ends it.
TEST_F(FindSessionTest, AScopeKeepsFindsAndReplacementsInsideIt)
{
    SetText("ab ab\r\nab ab\r\nab\r\n");
    Find().Start("ab", {}, F::Down);
    Find().SetScope(3, 8); // "ab\r\nab " of lines 1 and 2
    Model().SetSelStart(3);
    Model().SetSelLength(8);
    ASSERT_TRUE(Find().FindNext());
    EXPECT_EQ(Selection(), std::make_pair(qint64(3), qint64(2))) << "a selection that is the stretch: from its start";
    ASSERT_TRUE(Find().FindNext());
    EXPECT_EQ(Selection(), std::make_pair(qint64(7), qint64(2)));
    ASSERT_TRUE(Find().FindNext());
    EXPECT_EQ(Selection(), std::make_pair(qint64(3), qint64(2)));
    EXPECT_TRUE(Find().Wrapped());
    Find().SetDirection(false);
    ASSERT_TRUE(Find().FindNext());
    EXPECT_EQ(Selection(), std::make_pair(qint64(7), qint64(2))) << "round past the stretch's start";

    Find().Start("ab", "xyz", F::Down | F::Replace | F::ReplaceAll);
    Find().SetScope(3, 8);
    Model().SetSelStart(3);
    Model().SetSelLength(8);
    EXPECT_EQ(Find().Replace([](const TSearchRange&) { return TAnswer::Cancel; }), 2);
    EXPECT_EQ(Text(), "ab xyz\r\nxyz ab\r\nab\r\n");
    EXPECT_EQ(Selection(), std::make_pair(qint64(3), qint64(10)));
    Model().Undo();
    EXPECT_EQ(Text(), "ab ab\r\nab ab\r\nab\r\n");

    // Confirmed one by one: the second match moved by the first replacement is still inside,
    // and nothing outside is reached; at the stretch's end the loop stops rather than go round.
    SetText("ab ab\r\nab ab\r\nab\r\n");
    Answers = {TAnswer::Yes, TAnswer::Yes, TAnswer::Yes};
    Find().Start("ab", "xyz", F::Down | F::Replace | F::ReplaceAll | F::ReplaceConfirm);
    Find().SetScope(3, 8);
    Model().SetSelStart(3);
    Model().SetSelLength(8);
    EXPECT_EQ(Find().Replace([this](const TSearchRange&) {
        ++Asked;
        const TAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }),
        2);
    EXPECT_EQ(Asked, 2);
    EXPECT_EQ(Text(), "ab xyz\r\nxyz ab\r\nab\r\n");
    EXPECT_TRUE(Find().Missed());

    // An edit ends the stretch: the whole text is searched again.
    Find().Start("ab", {}, F::Down);
    Find().SetScope(3, 3);
    Model().SetSelStart(0);
    Model().TypeText(" ");
    Model().SetSelStart(14);
    ASSERT_TRUE(Find().FindNext());
    EXPECT_EQ(Selection(), std::make_pair(qint64(17), qint64(2)));
}

TEST_F(FindSessionTest, ReplaceOneAllAndTheSelectionItself)
{
    SetText("foo " + kSo + " foo\r\nfoo\r\n");
    // Without all and confirmation: exactly one, the selected foo first.
    Model().SetSelStart(0);
    Model().SetSelLength(3);
    EXPECT_EQ(Replace("foo", F::Down | F::Replace, kSo + kSo), 1);
    EXPECT_EQ(Text(), kSo + kSo + " " + kSo + " foo\r\nfoo\r\n");
    // All the rest, as one undo step; the caret stands after the last one.
    EXPECT_EQ(Replace("foo", F::Down | F::ReplaceAll, kSo + kSo), 2);
    EXPECT_EQ(Text(), kSo + kSo + " " + kSo + " " + kSo + kSo + "\r\n" + kSo + kSo + "\r\n");
    EXPECT_FALSE(Model().HasSelection());
    EXPECT_EQ(Model().SelStart(), qint64(Text().size() - 2));
    Model().Undo();
    EXPECT_EQ(Text(), kSo + kSo + " " + kSo + " foo\r\nfoo\r\n");
    // Nothing left: a miss.
    Model().Redo();
    EXPECT_EQ(Replace("foo", F::Down | F::ReplaceAll, "x"), 0);
    EXPECT_TRUE(Find().Missed());
}

TEST_F(FindSessionTest, ReplaceAllOfAHundredUndoesInOneStep)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "my $a = " + kKensaku + ";\r\n";
    SetText(text);
    Model().SetModified(false);
    EXPECT_EQ(Replace(kKensaku, F::Down | F::ReplaceAll, "aa"), 100);
    EXPECT_TRUE(Model().Modified());
    EXPECT_EQ(Text().find(kKensaku), std::string::npos);
    Model().Undo();
    EXPECT_EQ(Text(), text);
}

TEST_F(FindSessionTest, EachAnswerOfTheConfirmation)
{
    SetText("a a a a a a\r\n");
    // Yes, No, Yes, then All replaces the fourth and the rest without asking again.
    Answers = {TAnswer::Yes, TAnswer::No, TAnswer::Yes, TAnswer::All};
    EXPECT_EQ(Replace("a", F::Down | F::ReplaceAll | F::ReplaceConfirm, "b"), 5);
    EXPECT_EQ(Text(), "b a b b b b\r\n");
    EXPECT_EQ(Asked, 4);
    EXPECT_EQ(Find().ReplaceQuestion(), QString::fromUtf8(" a   を\r\n b   に 置き換えますか？"));
    // The three answered All went in as one step; each Yes is a step of its own.
    Model().Undo();
    EXPECT_EQ(Text(), "b a b a a a\r\n");
    Model().Undo();
    EXPECT_EQ(Text(), "b a a a a a\r\n");
    // Cancel stops at once with the match selected, and is no miss.
    Model().Redo();
    Model().SetSelStart(0);
    Answers = {TAnswer::Cancel};
    EXPECT_EQ(Replace("a", F::Down | F::ReplaceConfirm | F::Replace, "c"), 0);
    EXPECT_FALSE(Find().Missed());
    EXPECT_EQ(Text(), "b a b a a a\r\n");
    EXPECT_EQ(Selection(), std::make_pair(qint64(2), qint64(1)));
}

TEST_F(FindSessionTest, BackwardReplaceNeverMeetsItsOwnReplacement)
{
    SetText("a-a-a");
    Model().SetSelStart(5);
    Answers = {TAnswer::Yes, TAnswer::Yes, TAnswer::Yes};
    EXPECT_EQ(Replace("a", F::ReplaceAll | F::ReplaceConfirm, "aa"), 3);
    EXPECT_EQ(Text(), "aa-aa-aa");
    EXPECT_EQ(Model().SelStart(), 0);
    // Backward all at once gives the same text and caret.
    SetText("a-a-a");
    Model().SetSelStart(5);
    EXPECT_EQ(Replace("a", F::ReplaceAll, "aa"), 3);
    EXPECT_EQ(Text(), "aa-aa-aa");
    EXPECT_EQ(Model().SelStart(), 0);
}

TEST_F(FindSessionTest, AReplacementWithALineBreakKeepsOffsetsRight)
{
    // The rows hold every break as CR LF: the caret must land after the last replacement all the same.
    SetText("foo foo\r\nend");
    EXPECT_EQ(Replace("foo", F::Down | F::ReplaceAll, "x\ny"), 2);
    EXPECT_EQ(Text(), "x\r\ny x\r\ny\r\nend");
    EXPECT_EQ(Model().SelStart(), 9);
    EXPECT_EQ(Model().CheckInvariant(), "");
}

// Replace-all from the start, and one at a time with every answer Yes, both equal a plain
// left-to-right replacement of every non-overlapping occurrence in ASCII text.
TEST_F(FindSessionTest, ReplaceAllAndAnsweringYesEqualAPlainReplacement)
{
    std::mt19937 random(26);
    const std::string letters = "ab\r\n";
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = int(random() % 40); i > 0; --i)
            text += letters[random() % letters.size()];
        // The rows keep CR LF: a lone CR or LF of the random text becomes one.
        SetText(text);
        text = Text();
        std::string pattern;
        for (int i = 1 + int(random() % 3); i > 0; --i)
            pattern += "ab"[random() % 2];
        const std::string replacement = std::string(random() % 3, 'c');
        std::string expected;
        int count = 0;
        for (std::size_t at = 0;;) {
            const std::size_t found = text.find(pattern, at);
            expected += text.substr(at, found - at);
            if (found == std::string::npos)
                break;
            expected += replacement;
            ++count;
            at = found + pattern.size();
        }
        const bool confirm = round % 2 == 1;
        Answers.assign(std::size_t(count), TAnswer::Yes);
        Answers.push_back(TAnswer::Cancel);
        Model().SetSelStart(0);
        const std::uint16_t flags = F::Down | F::MatchCase | F::ReplaceAll | (confirm ? F::ReplaceConfirm : 0);
        EXPECT_EQ(Replace(pattern, flags, replacement), count) << text << " / " << pattern;
        EXPECT_EQ(Text(), expected) << text << " / " << pattern << " -> " << replacement;
        EXPECT_EQ(Model().CheckInvariant(), "");
    }
}

} // namespace
} // namespace brenvik
