// Walking Shift_JIS strings character by character.
#include "support/DoubleByte.h"

#include <gtest/gtest.h>

namespace brenvik {
namespace {

// "漢" is 0x8A 0xBF; "ソ" is 0x83 0x5C, whose trail byte is a backslash.
const std::string kKanjiThenA = "\x8a\xbf"
                                "a";
const std::string kSo = "\x83\x5c";

TEST(DoubleByte, LeadAndTrailPositionsFollowCharacterBoundaries)
{
    EXPECT_TRUE(IsLeadBytePos(kKanjiThenA, 1));
    EXPECT_TRUE(IsTrailBytePos(kKanjiThenA, 2));
    EXPECT_FALSE(IsTrailBytePos(kKanjiThenA, 3));
    EXPECT_FALSE(IsLeadBytePos(kKanjiThenA, 3));
    // A trail byte that is itself a lead-byte value belongs to the character before it.
    const std::string twoKanji = "\x8a\x8a\x8a\x8a";
    EXPECT_TRUE(IsLeadBytePos(twoKanji, 3));
    EXPECT_TRUE(IsTrailBytePos(twoKanji, 4));
    // A lead byte at the very end has no trail.
    EXPECT_FALSE(IsLeadBytePos("a\x8a", 2));
    EXPECT_FALSE(IsTrailBytePos(kKanjiThenA, 0));
    EXPECT_FALSE(IsTrailBytePos(kKanjiThenA, 4));
    EXPECT_FALSE(IsLeadBytePos("", 1));
}

TEST(DoubleByte, CharAtPosAndCountCharInStayInsideTheString)
{
    EXPECT_EQ(CharAtPos("abc", 1), 'a');
    EXPECT_EQ(CharAtPos("abc", 0), '\0');
    EXPECT_EQ(CharAtPos("abc", 4), '\0');
    EXPECT_EQ(CountCharIn("a\tb\tc\t", '\t', 4), 2);
    EXPECT_EQ(CountCharIn("a\tb", '\t', 100), 1);
    EXPECT_EQ(CountCharIn("\t\t", '\t', -3), 0);
}

TEST(DoubleByte, ContainsAtCharStartIgnoresMatchesInsideACharacter)
{
    EXPECT_FALSE(ContainsAtCharStart("\\", kSo));
    EXPECT_TRUE(ContainsAtCharStart("\\", kSo + "\\"));
    EXPECT_TRUE(ContainsAtCharStart(kSo, "x" + kSo));
    EXPECT_FALSE(ContainsAtCharStart("", "abc"));
    EXPECT_FALSE(ContainsAtCharStart("abcd", "abc"));
    EXPECT_TRUE(IsLeadByte(0x81) && IsLeadByte(0x9F) && IsLeadByte(0xE0) && IsLeadByte(0xFC));
    EXPECT_FALSE(IsLeadByte(0x80) || IsLeadByte(0xA0) || IsLeadByte(0xDF) || IsLeadByte(0xFD));
}

} // namespace
} // namespace brenvik
