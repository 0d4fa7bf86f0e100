// The load path (line splitting, majority decision, line-break sample) and the save path.
#include "DecodedTextCheck.h"
#include "Samples.h"

#include "jcode/LineCodec.h"
#include "jcode/TextLines.h"
#include "support/LineBreaks.h"

#include <gtest/gtest.h>

#include <random>

using namespace brenvik;
using Lines = std::vector<std::string>;

namespace {

Lines Split(std::string_view bytes)
{
    const auto views = SplitLines(bytes);
    return {views.begin(), views.end()};
}

TDecodedText Decode(std::string_view bytes, std::optional<TStatedCodes> stated = std::nullopt)
{
    TDecodedText text = DecodeFileBytes(bytes, stated);
    CheckDecodedText(text);
    return text;
}

} // namespace

TEST(SplitLines, EachBreakEndsALineAndNothingIsLost)
{
    EXPECT_EQ(Split(""), Lines {});
    EXPECT_EQ(Split("a"), Lines {"a"});
    EXPECT_EQ(Split("a\r\n"), Lines {"a"});
    EXPECT_EQ(Split("\r\n"), Lines {""});
    EXPECT_EQ(Split("a\r\nb\rc\nd"), (Lines {"a", "b", "c", "d"}));
    EXPECT_EQ(Split("a\n\rb"), (Lines {"a", "", "b"})); // LF CR is two breaks
    EXPECT_EQ(Split("a\r\r\n\n"), (Lines {"a", "", ""}));
    EXPECT_EQ(Split(std::string("a\0b\r\nc", 6)), (Lines {std::string("a\0b", 3), "c"}));
    // Breaks found by the word-at-a-time search at every offset in a word.
    const std::string longLine = "0123456789abcdefghij";
    for (std::size_t cut = 0; cut < longLine.size(); ++cut) {
        const std::string text = longLine.substr(0, cut) + "\r" + longLine.substr(cut);
        EXPECT_EQ(Split(text), (Lines {longLine.substr(0, cut), longLine.substr(cut)})) << cut;
    }
}

TEST(DecodeLoadedLines, MajorityDecidesTheWholeFile)
{
    using namespace samples;
    // Two EUC lines outvote one line that reads as Shift_JIS; every line is then read as EUC.
    const std::string euc = kBoardEuc + "\n" + kBoardEuc + " x\n" + "\x88\x9F\n";
    const TDecodedText text = Decode(euc);
    EXPECT_EQ(text.jcode, jcEuc);
    EXPECT_EQ(text.rcode, rcLf);
    EXPECT_EQ(text.Lines, (Lines {kBoardSjis, kBoardSjis + " x", EucToSjis("\x88\x9F")}));

    const TDecodedText jis = Decode(kBoardJisClosedB + "\r" + "plain\r" + kNameJis + "\r");
    EXPECT_EQ(jis.jcode, jcJis);
    EXPECT_EQ(jis.rcode, rcCr);
    EXPECT_EQ(jis.Lines, (Lines {kBoardSjis, "plain", kNameSjis}));

    const TDecodedText sjis = Decode(kNameSjis + "\r\n" + kBoardEuc + "\r\n" + kHyoujiSjis + "\r\n");
    EXPECT_EQ(sjis.jcode, jcSjis);
    EXPECT_EQ(sjis.Lines, (Lines {kNameSjis, kBoardEuc, kHyoujiSjis})); // the EUC line is left as it is
}

TEST(DecodeLoadedLines, TieLetsEveryLineDecideForItself)
{
    using namespace samples;
    std::string file;
    for (int i = 0; i < 3; ++i) {
        file += kBoardJisClosedB + "\r\n" + kBoardEuc + "\r\n";
    }
    file += kNameSjis + "\r\n";
    const TDecodedText text = Decode(file);
    EXPECT_EQ(text.jcode, jcSjis);
    ASSERT_EQ(text.Lines.size(), 7u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(text.Lines[i], kBoardSjis) << i;
    }
    EXPECT_EQ(text.Lines[6], kNameSjis);

    const TDecodedText ascii = Decode("print 1;\nprint 2;\n");
    EXPECT_EQ(ascii.jcode, jcSjis);
    EXPECT_EQ(ascii.Lines, (Lines {"print 1;", "print 2;"}));
}

TEST(DecodeLoadedLines, LineBreakCodeComesFromTheFirst1024Bytes)
{
    EXPECT_EQ(Decode(std::string(1024, 'a') + "\r\nb\r\n").rcode, rcNone);
    EXPECT_EQ(Decode(std::string(1023, 'a') + "\r\nb\r\n").rcode, rcCr); // the LF lies past the sample
    EXPECT_EQ(Decode(std::string(1022, 'a') + "\r\nb\r\n").rcode, rcCrLf);
    EXPECT_EQ(Decode("").rcode, rcNone);
    EXPECT_EQ(Decode("").Lines, Lines {});
    // The same rule on lines already split, with the head handed in.
    const std::vector<std::string_view> lines {"a", "b"};
    const TDecodedText text = DecodeLoadedLines(lines, "a\nb\n");
    CheckDecodedText(text);
    EXPECT_EQ(text.rcode, rcLf);
    EXPECT_EQ(text.Lines, (Lines {"a", "b"}));
}

TEST(DecodeLoadedLines, StatedCodesAreTakenWithoutDetection)
{
    using namespace samples;
    const TDecodedText euc = Decode(kBoardEuc + "\n", TStatedCodes {jcEuc, rcCrLf});
    EXPECT_EQ(euc.jcode, jcEuc);
    EXPECT_EQ(euc.rcode, rcCrLf);
    EXPECT_EQ(euc.Lines, Lines {kBoardSjis});
    // Shift_JIS stated as JIS: no escapes, nothing converted, and the document is JIS from now on.
    const TDecodedText jis = Decode(kBoardSjis + "\r\n", TStatedCodes {jcJis, rcLf});
    EXPECT_EQ(jis.jcode, jcJis);
    EXPECT_EQ(jis.rcode, rcLf);
    EXPECT_EQ(jis.Lines, Lines {kBoardSjis});
}

TEST(EncodeLinesForSave, EveryLineGetsItsTerminator)
{
    const Lines lines {"a", "", "b"};
    EXPECT_EQ(EncodeLinesForSave(lines, jcSjis, rcCrLf), "a\r\n\r\nb\r\n");
    EXPECT_EQ(EncodeLinesForSave(lines, jcSjis, rcCr), "a\r\rb\r");
    EXPECT_EQ(EncodeLinesForSave(lines, jcSjis, rcLf), "a\n\nb\n");
    // No line-break code known: CR LF rather than joining the lines.
    EXPECT_EQ(EncodeLinesForSave(lines, jcSjis, rcNone), "a\r\n\r\nb\r\n");
    EXPECT_EQ(EncodeLinesForSave(Lines {}, jcEuc, rcLf), "");
}

TEST(EncodeLinesForSave, EveryLineConvertedFromShiftJis)
{
    using namespace samples;
    // B1 B2 (ｱｲ) alone detects as undecided, and is still the editor's Shift_JIS.
    const Lines lines {kBoardSjis, kNameSjis, "\xB1\xB2", "ascii"};
    EXPECT_EQ(EncodeLinesForSave(lines, jcEuc, rcLf),
        kBoardEuc + "\n" + kNameEuc + "\n\x8E\xB1\x8E\xB2\nascii\n");
    // A JIS line that ends in kanji mode is closed, so that every saved line ends in Roman mode.
    EXPECT_EQ(EncodeLinesForSave(lines, jcJis, rcCrLf),
        kBoardJisOpen + "\x1B(J\r\n" + kNameJis + "\r\n\x1B$B\x25\x22\x25\x24\x1B(J\r\nascii\r\n");
}

TEST(RoundTrip, LoadThenSaveGivesTheBytesBack)
{
    using namespace samples;
    const std::string sjis
        = kBoardSjis + "\r\n" + kNameSjis + "\r\n\tprint \"ok\";\r\n\r\n" + kHyoujiSjis + "\r\n";
    const std::string euc = kBoardEuc + "\n" + kNameEuc + "\n\tprint \"ok\";\n\n" + kHyoujiEuc + "\n";
    const std::string jis = kBoardJisOpen + "\x1B(J\r" + kNameJis + "\r\tprint \"ok\";\r\r"
        + SjisToJis(kHyoujiSjis) + "\x1B(J\r";
    for (const auto& [bytes, jcode, rcode] :
        {std::tuple {sjis, jcSjis, rcCrLf}, std::tuple {euc, jcEuc, rcLf}, std::tuple {jis, jcJis, rcCr}}) {
        const TDecodedText text = Decode(bytes);
        EXPECT_EQ(text.jcode, jcode);
        EXPECT_EQ(text.rcode, rcode);
        EXPECT_EQ(EncodeLinesForSave(text.Lines, text.jcode, text.rcode), bytes);
    }
}

// The editor's text is Shift_JIS whatever code the file had: save converts from there, never from a
// code the line happens to detect as.
TEST(EncodeLinesForSave, LinesThatLookLikeOtherCodesAreStillShiftJis)
{
    const std::string takahashi = "print \"\xFB\xFC\x8B\xB4\";"; // 髙橋, detects as EUC
    EXPECT_EQ(EncodeLinesForSave(Lines {takahashi}, jcSjis, rcLf), takahashi + "\n");
    // In EUC the IBM 髙 takes its NEC-selected code; 橋 is 8B B4 -> B6 B6.
    EXPECT_EQ(EncodeLinesForSave(Lines {takahashi}, jcEuc, rcLf), "print \"\xFC\xE2\xB6\xB6\";\n");
    // A binary line is written as it stands.
    const std::string binary("\x01\x88\x9F", 3);
    EXPECT_EQ(EncodeLinesForSave(Lines {binary}, jcEuc, rcLf), binary + "\n");
}

TEST(RoundTrip, EucHalfWidthKanaAndVendorRowsKeepTheirBytes)
{
    using namespace samples;
    // ｶﾅ with its single shifts, and FC FC from the NEC-selected rows, beside an ordinary EUC line.
    const std::string euc = kBoardEuc + "\n" + "my $k = '\x8E\xB6\x8E\xC5';\n" + "\xFC\xFC\n";
    const TDecodedText text = Decode(euc);
    EXPECT_EQ(text.jcode, jcEuc);
    EXPECT_EQ(text.Lines[1], "my $k = '\xB6\xC5';");
    EXPECT_EQ(text.Lines[2], "\xFA\x55"); // ￤ in the IBM rows
    EXPECT_EQ(EncodeLinesForSave(text.Lines, text.jcode, text.rcode), euc);
}

// Files whose Japanese lines all detect as undecided: EUC whose pairs are also valid Shift_JIS, and
// Shift_JIS of half-width kana only.
TEST(DecodeLoadedLines, UndecidedFilesAreDecidedByTheirKana)
{
    // 掲示板です。 / あいうえお in EUC: every pair lies in A1..DF.
    const std::string eucBoard = "\xB7\xC7\xBC\xA8\xC8\xC4\xA4\xC7\xA4\xB9\xA1\xA3";
    const std::string eucKana = "\xA4\xA2\xA4\xA4\xA4\xA6\xA4\xA8\xA4\xAA";
    ASSERT_EQ(DetectJCode(eucBoard), jcUndecided);
    const TDecodedText euc = Decode("my $t = '" + eucBoard + "';\n# " + eucKana + "\nprint 1;\n");
    EXPECT_EQ(euc.jcode, jcEuc);
    EXPECT_EQ(euc.Lines, (Lines {"my $t = '" + EucToSjis(eucBoard) + "';", "# " + EucToSjis(eucKana), "print 1;"}));
    EXPECT_EQ(EucToSjis(eucKana), "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8");

    // ｶﾀｶﾅ ﾃﾞｽ､ｺﾝﾆﾁﾊ･･･ : Shift_JIS half-width kana, marks included, stays as it is.
    const std::string sjisKana = "\xB6\xC0\xB6\xC5 \xC3\xDE\xBD\xA4\xBA\xDD\xC6\xC1\xCA\xA5\xA5\xA5";
    ASSERT_EQ(DetectJCode(sjisKana), jcUndecided);
    const std::string sjisFile = "$a = '" + sjisKana + "';\r\n$b = '\xB1\xB2';\r\n";
    const TDecodedText sjis = Decode(sjisFile);
    EXPECT_EQ(sjis.jcode, jcSjis);
    EXPECT_EQ(EncodeLinesForSave(sjis.Lines, sjis.jcode, sjis.rcode), sjisFile);

    // Plain 7-bit text is still Shift_JIS and untouched.
    EXPECT_EQ(Decode("print 1;\n").jcode, jcSjis);
}

TEST(DecodeLoadedLines, StatedOldJisReadsAsJis)
{
    const TDecodedText text = Decode("\x1B$@0!\x1B(J\n", TStatedCodes {jcOldJis, rcLf});
    EXPECT_EQ(text.jcode, jcJis);
    EXPECT_EQ(text.Lines, Lines {"\x88\x9F"});
}

namespace {

// Lines held elsewhere than in a vector, as the editor's rows are.
class TJoinedLines : public TSaveLines {
public:
    explicit TJoinedLines(std::string text)
        : text_(std::move(text))
    {
    }
    void ForEachLine(const TLineSink& visit) const override { brenvik::ForEachLine(text_, visit); }
    std::size_t LineCount() const override { return SplitLines(text_).size(); }
    std::size_t TextBytes() const override { return text_.size() - LineCount(); }

private:
    std::string text_;
};

} // namespace

TEST(EncodeFileImage, WorstCaseLinesForTheBufferBound)
{
    // Kana between ASCII bytes: every kana costs two escapes and a second byte in JIS.
    std::string mixed;
    for (int i = 0; i < 500; ++i) {
        mixed += "a\xB1";
    }
    const TJoinedLines lines(mixed + "\n\xB6\xDE\n\x88\x9F\x82\n");
    std::string expected;
    for (const std::string& line : {mixed, std::string("\xB6\xDE"), std::string("\x88\x9F\x82")}) {
        expected += ConvertJCodeFrom(line, jcSjis, jcJis) + "\x1B(J\r\n"; // each ends in kanji mode
    }
    EXPECT_EQ(EncodeFileImage(lines, jcJis, rcCrLf), expected);
    EXPECT_EQ(EncodeFileImage(lines, jcEuc, rcLf), SjisToEuc(mixed) + "\n\x8E\xB6\x8E\xDE\n\xB0\xA1\x82\n");
}

// The save's blocks join to the image for every code, a line longer than a block whole in one block, the
// others full before they are handed on.
TEST(EncodeFileBlocks, BlocksJoinToTheImage)
{
    using namespace samples;
    const std::vector<std::string> pieces {kBoardSjis, kNameSjis, "\xB1\xB2", "ascii text;", "\x88\x9F\x82", ""};
    std::mt19937 random(31);
    std::vector<std::string> lines;
    std::size_t longest = 0;
    for (std::size_t bytes = 0; bytes < 8 * kSaveBlockBytes;) {
        std::string line;
        const int count = random() % 50 == 0 ? 40000 : static_cast<int>(random() % 8);
        for (int i = 0; i < count; ++i) {
            line += pieces[random() % pieces.size()];
        }
        bytes += line.size();
        longest = std::max(longest, line.size());
        lines.push_back(std::move(line));
    }
    ASSERT_GT(longest, kSaveBlockBytes);
    for (const TStatedCodes codes : {TStatedCodes {jcSjis, rcCrLf}, TStatedCodes {jcEuc, rcLf},
             TStatedCodes {jcJis, rcCr}, TStatedCodes {jcUtf8, rcLf, true}}) {
        std::vector<std::string> blocks;
        EncodeFileBlocks(TVectorSaveLines(lines), codes, TDocumentChars(),
            [&](std::string_view block) { blocks.emplace_back(block); });
        std::string joined;
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            joined += blocks[i];
            if (i + 1 < blocks.size()) {
                EXPECT_GE(blocks[i].size(), kSaveBlockBytes) << "code " << codes.jcode << " block " << i;
            }
            EXPECT_LT(blocks[i].size(), kSaveBlockBytes + 4 * longest) << "code " << codes.jcode << " block " << i;
        }
        EXPECT_GE(blocks.size(), 3u);
        EXPECT_EQ(joined, EncodeFileImage(TVectorSaveLines(lines), codes, TDocumentChars())) << "code " << codes.jcode;
    }
}

// The vote over a file's bytes cuts out only the lines that hold a byte detection looks at; it must
// decide as a vote over every line does, whatever the lines and breaks.
TEST(DecodeFileBytes, DecidesAsTheVoteOverEveryLine)
{
    using namespace samples;
    const std::vector<std::string> pieces {kBoardSjis, kBoardEuc, kBoardJisClosedB, kNameSjis, kNameEuc,
        "\xA4\xA2\xA4\xA4", "\xB1\xB2", "\x8E\xB6\x8E\xC5", std::string("\x01\x00", 2), "\xFF", "ascii", "\x1B",
        "", "\r", "\n", "\r\n", "\n\r"};
    std::mt19937 random(99);
    for (int round = 0; round < 3000; ++round) {
        std::string file;
        for (int n = static_cast<int>(random() % 12); n > 0; --n) {
            file += pieces[random() % pieces.size()];
        }
        const auto lines = SplitLines(file);
        const TDecodedText byLine = DecodeLoadedLines(lines, file);
        const TDecodedText byBytes = DecodeFileBytes(file);
        ASSERT_EQ(byBytes.jcode, byLine.jcode) << round;
        ASSERT_EQ(byBytes.rcode, byLine.rcode) << round;
        ASSERT_EQ(byBytes.Lines, byLine.Lines) << round;
    }
}

// A first vote without the pairs of undecided lines is enough unless a tie leaves them to decide.
TEST(TJCodeVote, PairsAreCountedAgainOnlyForATie)
{
    using namespace samples;
    const std::string hiragana = "\xA4\xA2\xA4\xA4\xA4\xA6"; // あいう in EUC, undecided on its own
    TJCodeVote won(TJCodeVote::vpSkip);
    won.AddLinesOf(hiragana + "\n" + kBoardEuc + "\n");
    EXPECT_FALSE(won.NeedsPairs());
    EXPECT_EQ(won.Source(), TLineSource::lsEuc);
    TJCodeVote tied(TJCodeVote::vpSkip);
    tied.AddLinesOf(hiragana + "\n" + hiragana + "\n");
    EXPECT_TRUE(tied.NeedsPairs());
    EXPECT_EQ(DecodeFileBytes(hiragana + "\n").Lines, Lines {"\x82\xA0\x82\xA2\x82\xA4"});
}
