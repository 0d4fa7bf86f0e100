// Every literal pattern, escaped and searched as an expression with the same case, width and whole-word
// options, finds exactly what the literal engine finds, on the seeded trap texts of the literal differential.
#include "TrapText.h"

#include "search/PatternScan.h"
#include "search/RegexPattern.h"
#include "search/RegexSearch.h"
#include "support/LeadByte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace brenvik {
namespace {

// Punctuation escaped, CR and LF by their codes (a typed break would match any break); letters, digits,
// blanks, kana and double-byte characters as they are.
std::string EscapeLiteral(const std::string& pattern)
{
    std::string escaped;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const auto byte = static_cast<unsigned char>(pattern[i]);
        if (IsLeadByte(byte) && i + 1 < pattern.size()) {
            escaped += pattern.substr(i++, 2);
        } else if (byte == '\r' || byte == '\n') {
            escaped += byte == '\r' ? "\\x0D" : "\\x0A";
        } else if (byte > 0x20 && byte < 0x7F && !std::isalnum(byte)) {
            escaped += {'\\', static_cast<char>(byte)};
        } else {
            escaped += static_cast<char>(byte);
        }
    }
    return escaped;
}

// A pattern that is not a string of Shift_JIS characters (a lone lead byte at its end, a zero byte, a byte
// that is no character alone: 0x80, 0xA0, 0xFD-0xFF, a lead byte before a byte that cannot trail) has no
// expression.
bool HasExpression(const std::string& pattern)
{
    if (pattern.empty())
        return false;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const auto byte = static_cast<unsigned char>(pattern[i]);
        if (byte == 0 || byte == 0x80 || byte == 0xA0 || byte >= 0xFD)
            return false;
        const auto trail = i + 1 < pattern.size() ? static_cast<unsigned char>(pattern[i + 1]) : 0;
        if (IsLeadByte(byte) && (trail < 0x40 || trail == 0x7F || trail > 0xFC))
            return false;
        i += IsLeadByte(byte) ? 2 : 1;
    }
    return i == pattern.size();
}

// Literal search may select the CR or the LF of a CR LF pair alone; an expression never starts or ends
// between them.
bool SplitsBreak(const std::string& text, const TSearchRange& match)
{
    const auto between = [&](std::int64_t pos) {
        return pos > 0 && pos < static_cast<std::int64_t>(text.size()) && text[pos - 1] == '\r' && text[pos] == '\n';
    };
    return between(match.Start) || between(std::int64_t {match.Start} + match.Length);
}

std::vector<TSearchRange> LiteralMatches(const std::string& text, const std::string& pattern, TSearchFlags flags)
{
    TPatternScan scan(text, pattern, flags);
    std::vector<TSearchRange> matches;
    for (auto match = scan.Forward(0); match; match = scan.Forward(std::int64_t {match->Start} + 1)) {
        if (!SplitsBreak(text, *match))
            matches.push_back(*match);
    }
    return matches;
}

std::vector<TSearchRange> ExpressionMatches(TRegexSearch& search)
{
    std::vector<TSearchRange> matches;
    for (auto result = search.Forward(0); result.Found(); result = search.Forward(result.Match.Start + 1))
        matches.push_back(result.Match.Range());
    return matches;
}

std::string Hex(std::string_view bytes)
{
    std::string hex;
    for (const char byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(byte));
        hex += digits;
    }
    return hex;
}

// The bytes around the first place where two match lists differ, for the failure message.
std::string FirstDifference(
    const std::string& text, const std::vector<TSearchRange>& actual, const std::vector<TSearchRange>& expected)
{
    std::size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    const TSearchRange& at = i < actual.size() ? actual[i] : expected[i];
    std::string dump = (i < actual.size() ? "found " : "missed ") + std::to_string(at.Start) + "+"
        + std::to_string(at.Length) + " in";
    for (std::int64_t pos = std::max(0, at.Start - 6); pos < std::min<std::int64_t>(text.size(), at.Start + 8); ++pos) {
        char hex[8];
        std::snprintf(hex, sizeof hex, " %02X", static_cast<unsigned char>(text[pos]));
        dump += pos == at.Start ? std::string(" [") + (hex + 1) : hex;
    }
    return dump;
}

struct TTally {
    int Compared = 0;
    int Found = 0;
};

// One pattern under all eight option sets; backward searches from random places agree with the walk.
void Compare(std::mt19937& random, const std::string& text, const std::string& pattern, TTally& tally)
{
    if (!HasExpression(pattern))
        return;
    const std::string expression = EscapeLiteral(pattern);
    for (std::uint16_t bits = 0; bits < 8; ++bits) {
        const auto flags = static_cast<std::uint16_t>(((bits & 1) ? 0 : TSearchFlags::MatchCase)
            | ((bits & 2) ? TSearchFlags::NoMatchZenkaku : 0) | ((bits & 4) ? TSearchFlags::WholeWord : 0));
        const TRegexPattern compiled(expression, TRegexOptions::FromFlags(flags));
        ASSERT_TRUE(compiled.Valid()) << Hex(expression) << ": " << compiled.Error().Reason << " flags " << flags;
        TRegexSearch search(compiled, text);
        const std::vector<TSearchRange> expected = LiteralMatches(text, pattern, flags);
        const std::vector<TSearchRange> actual = ExpressionMatches(search);
        ++tally.Compared;
        tally.Found += !expected.empty();
        ASSERT_TRUE(actual == expected) << FirstDifference(text, actual, expected) << " flags " << std::hex << flags << std::dec << " pattern size "
                                    << pattern.size() << " expression " << expression << " text size "
                                    << text.size();
        for (int probe = 0; probe < 4; ++probe) {
            const auto before = std::uniform_int_distribution<std::int64_t>(0, text.size() + 1)(random);
            const auto last = std::find_if(actual.rbegin(), actual.rend(),
                [&](const TSearchRange& match) { return match.Start < before; });
            const TRegexResult result = search.Backward(before);
            ASSERT_EQ(result.Found(), last != actual.rend())
                << "before " << before << " flags " << flags << " expression " << Hex(expression) << " text " << Hex(text);
            if (result.Found()) {
                ASSERT_EQ(result.Match.Range(), *last) << "before " << before;
            }
        }
    }
}

TEST(RegexDifferential, EscapedLiteralPatternsFindWhatLiteralSearchFinds)
{
    std::mt19937 random(20240607);
    TTally tally;
    for (int round = 0; round < 300; ++round) {
        const std::string text = test::RandomText(random);
        for (int probe = 0; probe < 6; ++probe)
            ASSERT_NO_FATAL_FAILURE(Compare(random, text, test::RandomPattern(random, text), tally));
    }
    // The comparison means something only if many searches succeed.
    EXPECT_GT(tally.Found, tally.Compared / 4);
}

TEST(RegexDifferential, LongTextsAgreeWithLiteralSearch)
{
    std::mt19937 random(31337);
    std::uniform_int_distribution<std::size_t> piece(0, test::TrapPieces.size() - 1);
    TTally tally;
    for (int round = 0; round < 60; ++round) {
        std::string text;
        const int count = std::uniform_int_distribution<int>(30, 800)(random);
        for (int i = 0; i < count; ++i)
            text += test::TrapPieces[piece(random)];
        text += test::RandomText(random);
        for (int probe = 0; probe < 6; ++probe)
            ASSERT_NO_FATAL_FAILURE(Compare(random, text, test::CutPattern(random, text, probe % 3), tally));
    }
    EXPECT_GT(tally.Found, tally.Compared / 4);
}

} // namespace
} // namespace brenvik
