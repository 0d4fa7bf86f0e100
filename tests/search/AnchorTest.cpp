// The anchor that the scan looks for first: every match has one in reach, and the block scan reports exactly
// the positions where one stands, in either direction, through the vector blocks and the text's end alike.
#include "search/AnchorScan.h"
#include "search/HankakuToZenkaku.h"
#include "search/PatternMatcher.h"
#include "search/SearchAnchor.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace brenvik {
namespace {

// Pieces that make case, width, kana marks, breaks and lead-valued trail bytes meet often.
const std::vector<std::string> Pieces
    = {"a", "A", "o", "O", "_", " ", "\r\n", "\t", "\x82\x81", "\x82\x60", "\x82\x8F", "\x82\x6E", "\x81\x51",
        "\x81\x40", "\xB6", "\xB6\xDE", "\xCA\xDF", "\x83\x4A", "\x83\x4B", "\x83\x5C", "\\", "\x82"};
// The bytes the anchors of the block-scan test look for.
const std::string AnchorBytes = "aAo\x82\x81";

// Early pieces are common and late ones rare, so that anchors are found past the pattern's first character.
std::string RandomText(std::mt19937& random, int most, bool skewed)
{
    std::vector<double> weights;
    for (std::size_t i = 0; i < Pieces.size(); ++i)
        weights.push_back(skewed ? 1.0 / static_cast<double>(i + 1) : 1.0);
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
    std::string text;
    for (int count = std::uniform_int_distribution<int>(0, most)(random); count > 0; --count)
        text += Pieces[pick(random)];
    return text;
}

TEST(SearchAnchor, EveryMatchHasTheAnchorWithinItsReach)
{
    std::mt19937 random(4242);
    int matches = 0;
    for (int round = 0; round < 3000; ++round) {
        // A common piece first, then any; planted in the text as it is and in full width.
        const std::string pattern
            = Pieces[std::uniform_int_distribution<std::size_t>(0, 3)(random)] + RandomText(random, 3, false);
        std::string text = RandomText(random, 250, true);
        for (const std::string& plant : {pattern, HankakuToZenkaku(pattern)})
            text.insert(std::uniform_int_distribution<std::size_t>(0, text.size())(random), plant);
        // Width-blind search (half of the rounds) is where an anchor's place in a match varies.
        const auto flags = static_cast<std::uint16_t>(std::uniform_int_distribution<int>(0, 0xF)(random)
            | (round % 2 ? TSearchFlags::NoMatchZenkaku : 0)
            | std::uniform_int_distribution<int>(0, 3)(random) << 7);
        const TSearchText searchText(text);
        const TPatternMatcher matcher(pattern, flags);
        const TSearchAnchor anchor = ChooseAnchor(matcher, TByteFrequency(searchText));
        ASSERT_TRUE(anchor.Filters());
        std::vector<std::int64_t> anchors;
        TAnchorScan(searchText, anchor).Forward(0, searchText.Length() - 1, [&](std::int64_t q) {
            anchors.push_back(q);
            return false;
        });
        for (std::int64_t start = 0; start < searchText.Length(); ++start) {
            if (!matcher.MatchAt(searchText, start))
                continue;
            ++matches;
            const auto near = std::lower_bound(anchors.begin(), anchors.end(), start + anchor.NearMin);
            ASSERT_TRUE(near != anchors.end() && *near <= start + anchor.FarMax)
                << "round " << round << " flags " << std::hex << flags << std::dec << " match at " << start;
        }
    }
    EXPECT_GT(matches, 1000);
}

TSearchAnchor RandomAnchor(std::mt19937& random)
{
    const auto upTo = [&](int most) { return std::uniform_int_distribution<int>(0, most)(random); };
    TSearchAnchor anchor;
    // Mostly one spelling of small tests (the pair kernel), else several near ones (the byte-mask kernel), at
    // times a far offset (tested byte by byte).
    anchor.Count = upTo(2) == 0 ? 1 + upTo(3) : 1;
    for (int s = 0; s < anchor.Count; ++s) {
        TAnchorSpelling& spelling = anchor.Spellings[s];
        spelling.Count = 1 + upTo(anchor.Count == 1 ? 1 : 2);
        for (int t = 0; t < spelling.Count; ++t) {
            TByteTest& test = spelling.Tests[t];
            test.Offset = upTo(9) == 0 ? upTo(20) : upTo(2);
            test.Count = 1 + upTo(anchor.Count == 1 ? 1 : 3);
            for (int b = 0; b < test.Count; ++b)
                test.Bytes[b] = static_cast<std::uint8_t>(AnchorBytes[upTo(4)]);
            anchor.Reach = std::max(anchor.Reach, test.Offset);
        }
    }
    return anchor;
}

bool HoldsAt(const TSearchAnchor& anchor, const TSearchText& text, std::int64_t pos)
{
    for (int s = 0; s < anchor.Count; ++s) {
        const TAnchorSpelling& spelling = anchor.Spellings[s];
        bool all = true;
        for (int t = 0; t < spelling.Count; ++t)
            all = all && spelling.Tests[t].Holds(text.At(pos + spelling.Tests[t].Offset));
        if (all)
            return true;
    }
    return false;
}

TEST(SearchAnchor, BlockScanReportsExactlyThePositionsWhereTheAnchorHolds)
{
    std::mt19937 random(777);
    for (int round = 0; round < 2000; ++round) {
        const std::string text = RandomText(random, 400, false);
        const TSearchText searchText(text);
        const TSearchAnchor anchor = RandomAnchor(random);
        const TAnchorScan scan(searchText, anchor);
        const auto length = static_cast<int>(text.size());
        const int first = std::uniform_int_distribution<int>(0, std::max(0, length - 1))(random);
        const int last = std::uniform_int_distribution<int>(first - 1, length - 1)(random);
        std::vector<std::int64_t> expected;
        for (std::int64_t pos = first; pos <= last; ++pos) {
            if (HoldsAt(anchor, searchText, pos))
                expected.push_back(pos);
        }
        std::vector<std::int64_t> forward;
        EXPECT_FALSE(scan.Forward(first, last, [&](std::int64_t q) {
            forward.push_back(q);
            return false;
        }));
        ASSERT_EQ(forward, expected) << "round " << round;
        std::vector<std::int64_t> backward;
        scan.Backward(first, last, [&](std::int64_t q) {
            backward.push_back(q);
            return false;
        });
        ASSERT_EQ(std::vector<std::int64_t>(backward.rbegin(), backward.rend()), expected)
            << "round " << round;
        // A visit that answers true ends the scan there.
        if (!expected.empty()) {
            int visits = 0;
            EXPECT_TRUE(
                scan.Forward(first, last, [&](std::int64_t q) { return ++visits, q == expected.back(); }));
            EXPECT_EQ(visits, static_cast<int>(expected.size()));
        }
    }
}

TEST(SearchAnchor, RareBytesAndRarePairsAreChosen)
{
    // 'q' is rare in this text but "qu" always goes together; "_z" is rarer than any pair around it.
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "print quite_a quote; ";
    text += "x_z";
    const TSearchText searchText(text);
    const TByteFrequency frequency(searchText);
    EXPECT_LT(frequency.Share('z'), frequency.Share('q'));
    EXPECT_LT(frequency.Share('q'), frequency.Share('t'));
    EXPECT_LT(frequency.PairShare('q', 'x'), frequency.PairShare('q', 'u'));
    const TSearchAnchor anchor = ChooseAnchor(TPatternMatcher("quite_z", TSearchFlags::MatchCase), frequency);
    ASSERT_EQ(anchor.Count, 1);
    // The anchor stands on the 'z' at offset 6, whatever its second test.
    EXPECT_EQ(anchor.NearMin + anchor.Spellings[0].Tests[0].Offset, 6);
    // Width-blind, the pair "_z" (one-byte or full-width) is the rarest character pair.
    const TSearchAnchor wide
        = ChooseAnchor(TPatternMatcher("quite_z", TSearchFlags::NoMatchZenkaku), frequency);
    EXPECT_EQ(wide.NearMin, 5);
}

} // namespace
} // namespace brenvik
