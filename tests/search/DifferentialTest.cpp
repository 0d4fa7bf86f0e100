// The engine's scan against the reference loop on seeded random Shift_JIS texts full of traps.
#include "ReferenceScan.h"
#include "TrapText.h"

#include "search/HankakuToZenkaku.h"
#include "search/ScanPattern.h"
#include "search/ShiftJis.h"
#include "search/TrailProbe.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace brenvik {
namespace {

using test::CutPattern;
using test::RandomPattern;
using test::RandomText;
using test::TrapPieces;

TSearchRange RandomSelection(std::mt19937& random, const std::string& text)
{
    const auto size = static_cast<int>(text.size());
    TSearchRange range;
    range.Start = std::uniform_int_distribution<int>(-1, size + 1)(random);
    range.Length = std::uniform_int_distribution<int>(-1, 4)(random);
    if (std::uniform_int_distribution<int>(0, 3)(random) == 0)
        range = {0, 0};
    return range;
}

TEST(SearchDifferential, ScanFindsWhatTheReferenceLoopFinds)
{
    std::mt19937 random(20240607);
    int compared = 0;
    int found = 0;
    for (int round = 0; round < 400; ++round) {
        const std::string text = RandomText(random);
        for (int probe = 0; probe < 12; ++probe) {
            const std::string pattern = RandomPattern(random, text);
            const TSearchRange selection = RandomSelection(random, text);
            for (std::uint16_t bits = 0; bits < 0x40; ++bits) {
                // Down, MatchCase, WholeWord, NoMatchZenkaku, IncludeCRLF, IncludeSpace; the replace bits
                // ride along on odd rounds to show that the scan ignores them.
                const auto flags = static_cast<std::uint16_t>(
                    (bits & 0x0F) | (bits & 0x30) << 3 | (round % 2 ? 0x070 : 0));
                const auto expected = test::ReferenceScan(text, selection, pattern, flags);
                const auto actual = ScanPattern(text, selection, pattern, flags);
                ++compared;
                found += expected.has_value();
                if (expected != actual) {
                    ADD_FAILURE() << "flags " << std::hex << flags << std::dec << " start " << selection.Start
                                  << " length " << selection.Length << " pattern size " << pattern.size()
                                  << " text size " << text.size() << " expected "
                                  << (expected ? expected->Start : -1) << " got "
                                  << (actual ? actual->Start : -1);
                    return;
                }
            }
        }
    }
    // The comparison means something only if many scans succeed.
    EXPECT_GT(found, compared / 20);
}

// Long texts run the scan's vector blocks, the byte-by-byte end of the text and both directions; the pattern
// is cut near either end or in the middle, at times in another case or width than the text holds it.
TEST(SearchDifferential, LongTextsAgreeWithTheReferenceLoop)
{
    std::mt19937 random(31337);
    std::uniform_int_distribution<std::size_t> piece(0, TrapPieces.size() - 1);
    int compared = 0;
    int found = 0;
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const int count = std::uniform_int_distribution<int>(30, 1500)(random);
        for (int i = 0; i < count; ++i)
            text += TrapPieces[piece(random)];
        text += RandomText(random);
        // The text ends at its first zero byte, wherever it stands.
        if (round % 4 == 0)
            text.insert(std::uniform_int_distribution<std::size_t>(0, text.size())(random), 1, '\0');
        const auto size = static_cast<std::int32_t>(text.size());
        for (int probe = 0; probe < 8; ++probe) {
            const std::string pattern = CutPattern(random, text, probe % 3);
            if (pattern.empty())
                continue;
            for (int pick = 0; pick < 12; ++pick) {
                // Down, MatchCase, WholeWord, NoMatchZenkaku; IncludeCRLF and IncludeSpace.
                const auto flags
                    = static_cast<std::uint16_t>(std::uniform_int_distribution<int>(0, 0xF)(random)
                        | std::uniform_int_distribution<int>(0, 3)(random) << 7);
                const TSearchRange selection = pick % 4 == 0 ? TSearchRange {0, 0}
                    : pick % 4 == 1                          ? TSearchRange {size, 0}
                                                             : RandomSelection(random, text);
                const auto expected = test::ReferenceScan(text, selection, pattern, flags);
                const auto actual = ScanPattern(text, selection, pattern, flags);
                ++compared;
                found += expected.has_value();
                ASSERT_EQ(expected, actual) << "round " << round << " flags " << std::hex << flags << std::dec
                                            << " start " << selection.Start << " length " << selection.Length
                                            << " pattern size " << pattern.size() << " text size " << size;
            }
        }
    }
    // Many searches miss by design (a selection at the end, another width without NoMatchZenkaku).
    EXPECT_GT(found, compared / 20);
}

// Found by fuzzing: a lead byte just before the zero byte that ends the text is a lone lead byte there, and a
// pattern of one lone lead byte finds it, as the reference loop does; the scan of the whole view had read it
// as a pair with the zero and missed.
TEST(SearchDifferential, ALoneLeadByteBeforeTheZeroByteIsFound)
{
    const std::string text(" \x83\0xx", 5);
    const std::string pattern = "\x83";
    // Forward, backward from the end of the text, forward matching case.
    const std::pair<TSearchRange, std::uint16_t> searches[]
        = {{{0, 0}, TSearchFlags::Down}, {{2, 0}, 0}, {{0, 0}, TSearchFlags::Down | TSearchFlags::MatchCase}};
    for (const auto& [selection, flags] : searches) {
        const auto expected = test::ReferenceScan(text, selection, pattern, flags);
        ASSERT_TRUE(expected.has_value());
        EXPECT_EQ(ScanPattern(text, selection, pattern, flags), expected) << flags;
    }
    EXPECT_EQ(ScanPattern(text, {0, 0}, pattern, TSearchFlags::Down), (TSearchRange {1, 1}));
}

// The cached run starts on a character boundary and holds only bytes that can lead.
void ExpectProbeInvariant(const TTrailProbe& probe, const std::string& text, const std::vector<bool>& trail)
{
    ASSERT_LE(probe.RunStart(), probe.RunEnd());
    ASSERT_FALSE(trail[probe.RunStart()]);
    for (std::int64_t i = probe.RunStart(); i < probe.RunEnd(); ++i)
        ASSERT_TRUE(IsLeadByte(static_cast<std::uint8_t>(text[i])));
}

TEST(SearchDifferential, TrailProbeAgreesWithATrailMapInAnyQueryOrder)
{
    std::mt19937 random(77);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int count = std::uniform_int_distribution<int>(1, 80)(random);
        for (int i = 0; i < count; ++i) {
            // Runs of lead-valued bytes make the parity of a run decide.
            const int kind = std::uniform_int_distribution<int>(0, 3)(random);
            text += kind == 0 ? "a" : kind == 1 ? "\x81\x81" : kind == 2 ? "\x82\xA0" : "\x83\x5C";
        }
        const TSearchText searchText(text);
        std::vector<bool> trail(text.size() + 1, false);
        for (std::size_t i = 0; i < text.size();
             i += IsLeadByte(static_cast<std::uint8_t>(text[i])) ? 2 : 1) {
            if (IsLeadByte(static_cast<std::uint8_t>(text[i])))
                trail[i + 1] = true;
        }
        TTrailProbe probe(searchText);
        for (int query = 0; query < 60; ++query) {
            const auto pos = std::uniform_int_distribution<std::int64_t>(0, searchText.Length() - 1)(random);
            ASSERT_EQ(probe.IsTrail(pos), trail[pos]) << "round " << round << " position " << pos;
            ExpectProbeInvariant(probe, text, trail);
        }
    }
}

} // namespace
} // namespace brenvik
