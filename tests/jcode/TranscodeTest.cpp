// The block converter of brenvik-jconv against the line-by-line load-and-save it stands for.
#include "Samples.h"

#include "jcode/ByteSearch.h"
#include "jcode/FileTranscode.h"
#include "jcode/TextParts.h"
#include "support/LineBreaks.h"

#include <gtest/gtest.h>

#include <random>

using namespace brenvik;

namespace {

std::string ByLines(std::string_view file, TLineSource source, JCode target, RCode rcode)
{
    std::string out;
    std::string decoded;
    ForEachLine(file,
        [&](std::string_view line) { AppendTranscodedLine(line, source, target, rcode, decoded, out); });
    return out;
}

// With marks, the lines the vote detected are handed over, as brenvik-jconv does.
enum TMarks { tmSearch, tmFromVote };

// parts as TranscodeFileBytes takes them: 0 leaves a small file whole.
std::string InBlocks(std::string_view file, TLineSource source, JCode target, RCode rcode,
    int* blocks = nullptr, TMarks marks = tmSearch, std::size_t parts = 0)
{
    std::vector<TLineSpan> marked;
    if (marks == tmFromVote) {
        TJCodeVote().AddLinesOf(file, {}, &marked);
    }
    std::string out;
    TranscodeFileBytes(
        file, source, target, rcode,
        [&](std::string_view block) {
            EXPECT_FALSE(block.empty());
            out.append(block);
            if (blocks) {
                ++*blocks;
            }
        },
        marks == tmFromVote ? &marked : nullptr, parts);
    return out;
}

constexpr TLineSource kSources[] {
    TLineSource::lsJis, TLineSource::lsEuc, TLineSource::lsKeep, TLineSource::lsEachLine};
constexpr JCode kTargets[] {jcSjis, jcEuc, jcJis};
constexpr RCode kRCodes[] {rcCrLf, rcCr, rcLf};

} // namespace

// Lines with and without Japanese, control and lone bytes, every break and none at the end, longer and
// shorter than the sixteen bytes searched at once, converted whole or in parts side by side: the same bytes
// for every reading and target.
TEST(TranscodeFileBytes, GivesTheBytesOfConvertingLineByLine)
{
    using namespace samples;
    const std::vector<std::string> pieces {kBoardSjis, kBoardEuc, kBoardJisClosedB, kNameSjis, kNameEuc,
        kNameJis, "\xB1\xB2", "\x8E\xB6", std::string("\x01\x00", 2), "\xFF", "\x82", "\x1B", "print \"ok\";",
        "\tmy @list = ('a', 'b', 'c'); # thirty-odd bytes", "", "\r", "\n", "\r\n", "\r\n", "\n\r"};
    std::mt19937 random(2026);
    for (int round = 0; round < 1500; ++round) {
        std::string file;
        for (int n = static_cast<int>(random() % 16); n > 0; --n) {
            file += pieces[random() % pieces.size()];
        }
        const std::size_t parts = 1 + round % 4;
        for (const TLineSource source : kSources) {
            for (const JCode target : kTargets) {
                for (const RCode rcode : kRCodes) {
                    const std::string expected = ByLines(file, source, target, rcode);
                    ASSERT_EQ(InBlocks(file, source, target, rcode, nullptr, tmSearch, parts), expected)
                        << "round " << round << " source " << static_cast<int>(source) << " target " << target
                        << " rcode " << rcode;
                    ASSERT_EQ(InBlocks(file, source, target, rcode, nullptr, tmFromVote, parts), expected)
                        << "marked, round " << round << " source " << static_cast<int>(source) << " target "
                        << target << " rcode " << rcode;
                }
            }
        }
    }
}

// A file larger than a block: plain runs longer than a block go out uncopied between converted lines,
// and the blocks join to the whole.
TEST(TranscodeFileBytes, LargeFilesGoOutInSeveralBlocks)
{
    using namespace samples;
    std::string plain;
    while (plain.size() < 1'500'000) {
        plain += "print \"<tr><td>$name</td></tr>\\n\";\r\n";
    }
    const std::string file = kBoardEuc + "\r\n" + plain + kNameEuc + "\r\n" + plain + plain + kHyoujiEuc;
    for (const RCode rcode : {rcCrLf, rcLf}) {
        for (const TMarks marks : {tmSearch, tmFromVote}) {
            int blocks = 0;
            const std::string out = InBlocks(file, TLineSource::lsEuc, jcSjis, rcode, &blocks, marks);
            EXPECT_EQ(out, ByLines(file, TLineSource::lsEuc, jcSjis, rcode));
            EXPECT_GE(blocks, 3);
        }
    }
    EXPECT_EQ(InBlocks("", TLineSource::lsEuc, jcSjis, rcCrLf), "");
}

// The vote of a file cut into parts is the vote of one walk: the same counts and the same marked lines,
// wherever the cuts fall.
TEST(VoteFileLines, PartsVoteAsOneWalk)
{
    using namespace samples;
    const std::vector<std::string> pieces {kBoardSjis, kBoardEuc, kBoardJisClosedB, kNameSjis, kNameEuc,
        "\xB1\xB2", "\xA4\xA2\xA4\xA4", std::string("\x01\x00", 2), "print;", "\r", "\n", "\r\n"};
    std::mt19937 random(77);
    for (int round = 0; round < 800; ++round) {
        std::string file;
        for (int n = static_cast<int>(random() % 30); n > 0; --n) {
            file += pieces[random() % pieces.size()];
        }
        for (const TJCodeVote::TPairs pairs : {TJCodeVote::vpSkip, TJCodeVote::vpCount}) {
            TJCodeVote walk(pairs);
            std::vector<TLineSpan> walkMarks;
            walk.AddLinesOf(file, {}, &walkMarks);
            for (const std::size_t parts : {2, 3, 7}) {
                std::vector<TLineSpan> partMarks;
                ASSERT_TRUE(VoteFileLines(file, pairs, &partMarks, parts) == walk) << "round " << round;
                ASSERT_EQ(partMarks.size(), walkMarks.size()) << "round " << round;
                for (std::size_t i = 0; i < walkMarks.size(); ++i) {
                    ASSERT_EQ(partMarks[i].start, walkMarks[i].start) << "round " << round << " line " << i;
                    ASSERT_EQ(partMarks[i].end, walkMarks[i].end) << "round " << round << " line " << i;
                }
            }
        }
    }
}

// Parts are cut after whole breaks only, where the shares put them, and a text too small for a thread stays
// whole.
TEST(TextPartBounds, CutsAfterWholeBreaks)
{
    const std::string text = "ab\r\ncd\ref\ngh\r\n\r\nij";
    for (std::size_t count = 1; count <= 12; ++count) {
        const std::vector<std::size_t> bounds = TextPartBounds(text, count, count % 2 == 0 ? 0.4 : 1.0);
        ASSERT_EQ(bounds.front(), 0u);
        ASSERT_EQ(bounds.back(), text.size());
        ASSERT_LE(bounds.size(), count + 1);
        for (std::size_t i = 1; i + 1 < bounds.size(); ++i) {
            ASSERT_LT(bounds[i - 1], bounds[i]);
            const char before = text[bounds[i] - 1];
            ASSERT_TRUE(before == '\n' || (before == '\r' && text[bounds[i]] != '\n'))
                << "cut at " << bounds[i];
        }
    }
    EXPECT_EQ(TextPartBounds(std::string(kMinPartBytes - 1, '\n')).size(), 2u);
    // A first part of a smaller share: 0.5 against 1 and 1 of the others gives it a fifth.
    const std::vector<std::size_t> shared = TextPartBounds(std::string(1000, '\n'), 3, 0.5);
    EXPECT_EQ(shared, (std::vector<std::size_t> {0, 201, 601, 1000}));
}

// The sixteen-byte searches must stop where a byte-by-byte walk does, also on breaks split across blocks and
// in ranges shorter than a block.
TEST(ByteSearch, LineSearchesStopWhereAByteWalkStops)
{
    using jcode_detail::TKeptBreak;
    const std::string alphabet = "ab\r\n\r\n\x1B\x01\x80\xA4\xFF";
    std::mt19937 random(5);
    for (int round = 0; round < 400; ++round) {
        std::string text(random() % 70, 'x');
        for (char& c : text) {
            if (random() % 4 == 0) {
                c = alphabet[random() % alphabet.size()];
            }
        }
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
        const std::size_t n = text.size();
        for (const TKeptBreak kept : {TKeptBreak::kbCrLf, TKeptBreak::kbCr, TKeptBreak::kbLf}) {
            auto otherBreak = [&](std::size_t i) {
                const char c = text[i];
                const bool crLf = c == '\r' ? i + 1 < n && text[i + 1] == '\n' : i > 0 && text[i - 1] == '\r';
                return kept == TKeptBreak::kbLf ? c == '\r'
                    : kept == TKeptBreak::kbCr  ? c == '\n'
                                                : (c == '\r' || c == '\n') && !crLf;
            };
            auto walk = [&](std::size_t from, auto stops) {
                while (from < n && !stops(from)) {
                    ++from;
                }
                return from;
            };
            for (std::size_t from = 0; from <= n; ++from) {
                ASSERT_EQ(jcode_detail::FindRuleStartOrOtherBreak(bytes, from, n, kept),
                    walk(from,
                        [&](std::size_t i) {
                            return otherBreak(i) || jcode_detail::IsRuleStartByte(bytes[i]);
                        }))
                    << "round " << round << " from " << from;
            }
            ASSERT_EQ(jcode_detail::AllBreaksKept(bytes, n, kept), walk(0, otherBreak) == n)
                << "round " << round;
        }
        for (std::size_t end = 0; end <= n; ++end) {
            const std::size_t from = random() % (end + 1);
            auto firstFrom = [&](auto stops) {
                std::size_t i = from;
                while (i < end && !stops(bytes[i])) {
                    ++i;
                }
                return i;
            };
            ASSERT_EQ(
                jcode_detail::FindRuleStartByte(bytes, from, end), firstFrom(jcode_detail::IsRuleStartByte))
                << "round " << round << " from " << from << " end " << end;
            const std::size_t high = firstFrom([](std::uint8_t b) { return b >= 0x80; });
            ASSERT_EQ(jcode_detail::FindHighByte(bytes, from, end), high);
            std::string copy(end - from, '?');
            ASSERT_EQ(jcode_detail::CopySevenBitRun(bytes, from, end, copy.data()), high);
            ASSERT_EQ(copy.substr(0, high - from), text.substr(from, high - from));
            ASSERT_EQ(jcode_detail::FindBinaryByte(bytes, from, end),
                firstFrom([](std::uint8_t b) { return b < 8 || b == 0xFF; }));
            ASSERT_EQ(jcode_detail::FindLineBreakByte(bytes, from, end),
                firstFrom([](std::uint8_t b) { return b == '\r' || b == '\n'; }));
            std::size_t expected = end;
            while (expected > from && text[expected - 1] != '\r' && text[expected - 1] != '\n') {
                --expected;
            }
            ASSERT_EQ(jcode_detail::FindLineStart(bytes, from, end), expected)
                << "round " << round << " end " << end;
        }
    }
}

// Text whose breaks are all the kept kind passes, wherever a block starts; one break of another kind, at any
// place, fails it (a CR LF split across two blocks included).
TEST(ByteSearch, AllBreaksKeptFindsAnyOtherBreak)
{
    using jcode_detail::TKeptBreak;
    const std::pair<TKeptBreak, std::string> cases[] {
        {TKeptBreak::kbCrLf, "\r\n"}, {TKeptBreak::kbCr, "\r"}, {TKeptBreak::kbLf, "\n"}};
    for (const auto& [kept, terminator] : cases) {
        // Cut at the terminators, the text leaves no break behind only when all its breaks are kept.
        auto byTerminators = [&](std::string t) {
            for (std::size_t at; (at = t.find(terminator)) != std::string::npos;) {
                t.erase(at, terminator.size());
            }
            return t.find_first_of("\r\n") == std::string::npos;
        };
        for (std::size_t shift = 0; shift < 16; ++shift) {
            std::string text(shift, 'y');
            for (int line = 0; line < 25; ++line) {
                text += std::string(line % 7, 'x') + terminator;
            }
            auto allKept = [&](const std::string& t) {
                return jcode_detail::AllBreaksKept(
                    reinterpret_cast<const std::uint8_t*>(t.data()), t.size(), kept);
            };
            ASSERT_TRUE(allKept(text));
            for (std::size_t at = 0; at <= text.size(); ++at) {
                for (const char lone : {'\r', '\n'}) {
                    std::string spoilt = text;
                    spoilt.insert(at, 1, lone);
                    ASSERT_EQ(allKept(spoilt), byTerminators(spoilt))
                        << "kept " << terminator.size() << " shift " << shift << " at " << at;
                }
            }
        }
    }
}
