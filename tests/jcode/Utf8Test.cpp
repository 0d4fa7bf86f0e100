// UTF-8 files: recognised as a whole, read into Shift_JIS with the document's own characters, and written
// back byte for byte.
#include "Samples.h"

#include "jcode/LineCodec.h"
#include "jcode/OwnChars.h"
#include "jcode/Utf8Codec.h"

#include <gtest/gtest.h>

#include <iconv.h>
#include <random>

using namespace brenvik;

namespace {

// iconv, the reference for code page 932: bytes from one code to another; empty when it refuses them.
std::string Iconv(const char* from, const char* to, std::string_view bytes)
{
    const iconv_t cd = ::iconv_open(to, from);
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string out(bytes.size() * 4 + 8, '\0');
    char* in = const_cast<char*>(bytes.data());
    char* outAt = out.data();
    std::size_t inLeft = bytes.size();
    std::size_t outLeft = out.size();
    const std::size_t done = ::iconv(cd, &in, &inLeft, &outAt, &outLeft);
    ::iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) {
        return {};
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::string Utf8(char32_t c)
{
    const char32_t units[] = {c};
    return Iconv("UTF-32LE", "UTF-8", std::string_view(reinterpret_cast<const char*>(units), 4));
}

struct TOpened {
    std::vector<std::string> lines;
    TStatedCodes codes;
    TDocumentChars chars;
};

TOpened Open(std::string_view file, std::optional<TStatedCodes> stated = std::nullopt)
{
    TOpened opened;
    opened.codes = DecodeFileTo(
        file, stated, [&](std::string_view line) { opened.lines.emplace_back(line); }, &opened.chars);
    return opened;
}

std::string Save(const TOpened& opened, std::optional<TStatedCodes> codes = std::nullopt)
{
    return EncodeFileImage(TVectorSaveLines(opened.lines), codes.value_or(opened.codes), opened.chars);
}

} // namespace

TEST(Cp932Table, AgreesWithIconvBothWays)
{
    int mapped = 0;
    for (unsigned code = 0x80; code < 0x10000; ++code) {
        const bool pair = code > 0xFF;
        if (pair && !IsLeadByte(static_cast<std::uint8_t>(code >> 8))) {
            continue;
        }
        std::string bytes;
        if (pair) {
            bytes.push_back(static_cast<char>(code >> 8));
        }
        bytes.push_back(static_cast<char>(code & 0xFF));
        const char32_t c = Cp932ToUnicode(static_cast<TSjisCode>(code));
        ASSERT_EQ(c == kNoChar ? std::string() : Utf8(c), Iconv("CP932", "UTF-8", bytes)) << std::hex << code;
        if (c != kNoChar) {
            ++mapped;
            // The code a character goes back to is the one iconv prefers among its duplicates.
            const std::string back = Iconv("UTF-8", "CP932", Utf8(c));
            const TSjisCode preferred = UnicodeToCp932(c);
            ASSERT_EQ(back, std::string(preferred > 0xFF ? 1 : 0, static_cast<char>(preferred >> 8))
                    + std::string(1, static_cast<char>(preferred & 0xFF)))
                << std::hex << code;
        }
    }
    EXPECT_GT(mapped, 7900); // the JIS rows, NEC row 13, the IBM extensions, the user area, the kana
    EXPECT_EQ(UnicodeToCp932(U'\U0001F600'), 0);
    EXPECT_EQ(UserCodeIndex(0xF040), 0);
    EXPECT_EQ(UserCodeIndex(0xF9FC), kUserCodeCount - 1);
    EXPECT_EQ(UserCodeIndex(0xF07F), -1);
    for (int index = 0; index < kUserCodeCount; ++index) {
        ASSERT_EQ(UserCodeIndex(UserCodeAt(index)), index);
    }
}

TEST(IsUtf8File, WholeValidFilesWithAMultiByteCharacterOrAMark)
{
    using namespace samples;
    EXPECT_TRUE(IsUtf8File("# \xE6\x8E\xB2\xE7\xA4\xBA\xE6\x9D\xBF\n"));
    EXPECT_TRUE(IsUtf8File(kUtf8Bom)); // a mark alone
    EXPECT_TRUE(IsUtf8File("\xEF\xBB\xBFprint 1;\n"));
    EXPECT_TRUE(IsUtf8File("\xF0\x9F\x98\x80"));
    EXPECT_TRUE(IsUtf8File(std::string("a\0\xC3\xA9", 4))); // NUL is valid UTF-8
    EXPECT_FALSE(IsUtf8File("print 1;\n")); // only ASCII stays with the vote
    EXPECT_FALSE(IsUtf8File(""));
    EXPECT_FALSE(IsUtf8File("\xC0\xAF")); // overlong /
    EXPECT_FALSE(IsUtf8File("\xE0\x80\xAF"));
    EXPECT_FALSE(IsUtf8File("\xED\xA0\x80")); // surrogate
    EXPECT_FALSE(IsUtf8File("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(IsUtf8File("\xE6\x8E")); // cut short at the end
    EXPECT_FALSE(IsUtf8File("\xE6\x8E\xB2 \xB2 \xE6\x8E\xB2")); // invalid in the middle
    EXPECT_FALSE(IsUtf8File("\xE6\x8E\xB2\x1B$B0!\x1B(B")); // JIS escapes
    for (const std::string& text : {kBoardSjis, kBoardEuc, kNameSjis, kNameEuc, kHyoujiSjis, kHyoujiEuc,
             std::string("\xB1\xB2\xB3"), std::string("\x8E\xB6\x8E\xC5")}) {
        EXPECT_FALSE(IsUtf8File(text + "\n" + text)) << text;
    }
}

// A file of no valid UTF-8 goes to the vote exactly as before, and decodes as before.
TEST(DecodeFileTo, InvalidUtf8DecidesAsBefore)
{
    const std::string file = "# \xE6\x8E\xB2\n" + samples::kBoardSjis + "\r\n" + samples::kNameSjis + "\r\n";
    const TOpened opened = Open(file);
    EXPECT_EQ(opened.codes.jcode, jcSjis);
    EXPECT_TRUE(opened.chars.Empty());
    EXPECT_EQ(opened.lines[1], samples::kBoardSjis);
}

TEST(DecodeFileTo, Utf8LinesBecomeCodePage932)
{
    // 掲示板 ①② ㈱ 髙 ｶ
    const TOpened opened = Open("\xE6\x8E\xB2\xE7\xA4\xBA\xE6\x9D\xBF \xE2\x91\xA0\xE2\x91\xA1 \xE3\x88\xB1 "
                                "\xE9\xAB\x99 \xEF\xBD\xB6\n");
    EXPECT_EQ(opened.codes.jcode, jcUtf8);
    EXPECT_EQ(opened.codes.rcode, rcLf);
    EXPECT_FALSE(opened.codes.bom);
    ASSERT_EQ(opened.lines.size(), 1U);
    EXPECT_EQ(opened.lines[0], "\x8C\x66\x8E\xA6\x94\xC2 \x87\x40\x87\x41 \x87\x8A \xFB\xFC \xB6");
    EXPECT_TRUE(opened.chars.Empty());
}

// Both forms of 81 60 in one file: the first keeps the code and the form; the second, like a character
// without any code, gets the first free user-defined code, after those the file uses itself (U+E000 is F0 40).
TEST(DecodeFileTo, SecondFormsAndCharactersWithoutACodeTakeFreeUserCodes)
{
    const std::string wave = "\xE3\x80\x9C";
    const std::string tilde = "\xEF\xBD\x9E";
    const std::string smile = "\xF0\x9F\x98\x80";
    const std::string privateUse = "\xEE\x80\x80";
    const TOpened opened = Open(wave + tilde + smile + "\n" + smile + privateUse + wave + "\n");
    ASSERT_EQ(opened.lines.size(), 2U);
    EXPECT_EQ(opened.lines[0], "\x81\x60\xF0\x41\xF0\x42");
    EXPECT_EQ(opened.lines[1], "\xF0\x42\xF0\x40\x81\x60");
    EXPECT_EQ(opened.chars.ToUnicode(0x8160), U'\u301C');
    EXPECT_EQ(opened.chars.ToUnicode(0xF041), U'\uFF5E');
    EXPECT_EQ(opened.chars.ToUnicode(0xF042), U'\U0001F600');
    EXPECT_EQ(opened.chars.FromUnicode(U'\U0001F600'), 0xF042);
    EXPECT_EQ(opened.chars.FromUnicode(U'\u3042'), 0x82A0);
    EXPECT_EQ(Save(opened), wave + tilde + smile + "\n" + smile + privateUse + wave + "\n");
}

TEST(DecodeFileTo, MoreCharactersThanTheUserAreaHoldsAreNamed)
{
    std::string file = "\xEE\x80\x80\n"; // U+E000 takes F0 40 for itself
    for (char32_t c = 0x1F000; c < 0x1F000 + 2000; ++c) {
        file += Utf8(c) + ((c - 0x1F000) % 10 == 9 ? "\n" : "");
    }
    const TOpened opened = Open(file);
    ASSERT_TRUE(opened.chars.Unheld());
    EXPECT_EQ(opened.chars.Unheld()->c, 0x1F000 + kUserCodeCount - 1);
    EXPECT_EQ(opened.chars.Unheld()->line, 2 + (kUserCodeCount - 1) / 10);
    EXPECT_EQ(opened.chars.FromUnicode(0x1F000), 0xF041);
    EXPECT_EQ(opened.chars.FromUnicode(0x1F000 + kUserCodeCount - 2), 0xF9FC);
}

// Random files from Japanese text, both forms of the two-form codes, characters without a code, half-width
// kana and ASCII, with and without the mark, in every line break: every file reads and writes back byte for
// byte, also after a line is replaced by one the user typed.
TEST(DecodeFileTo, RandomUtf8FilesSaveBackByteForByte)
{
    const std::vector<std::string> pieces {"print \"ok\";", "\t# ", "\xE6\x8E\xB2\xE7\xA4\xBA\xE6\x9D\xBF",
        "\xE3\x81\x82\xE3\x82\xA2", "\xE3\x80\x9C", "\xEF\xBD\x9E", "\xE2\x88\x92", "\xEF\xBC\x8D",
        "\xE2\x80\x96", "\xE2\x88\xA5", "\xC2\xA2", "\xEF\xBF\xA0", "\xC2\xAC", "\xEF\xBF\xA2", "\xE2\x80\x94",
        "\xE2\x80\x95", "\xE2\x91\xA0", "\xE3\x88\xB1", "\xE9\xAB\x99", "\xEF\xA8\x91", "\xE7\xBA\x8A",
        "\xF0\x9F\x98\x80", "\xF0\x9F\x8D\xA3", "\xC3\xA9", "\xC3\x86", "\xC2\xA5", "\xE2\x80\xBE", "\xEF\xBD\xB6",
        "\xEF\xBE\x9E", "\xEE\x80\x81", "\\", "~", std::string(1, '\0')};
    std::mt19937 random(17);
    for (int round = 0; round < 400; ++round) {
        const std::string_view breaks[] {"\r\n", "\n", "\r"};
        const std::string_view lineBreak = breaks[random() % 3];
        const bool bom = random() % 2 == 0;
        std::string file = bom ? std::string(kUtf8Bom) : std::string();
        const int lines = 1 + static_cast<int>(random() % 8);
        for (int line = 0; line < lines; ++line) {
            for (int n = static_cast<int>(random() % 6); n > 0; --n) {
                file += pieces[random() % pieces.size()];
            }
            file += "\xE3\x81\x82" + std::string(lineBreak);
        }
        TOpened opened = Open(file);
        ASSERT_EQ(opened.codes.jcode, jcUtf8) << round;
        ASSERT_EQ(opened.codes.bom, bom);
        ASSERT_EQ(opened.lines.size(), static_cast<std::size_t>(lines));
        ASSERT_EQ(Save(opened), file) << "round " << round;
        const std::size_t edited = random() % opened.lines.size();
        opened.lines[edited] = "print \"\x82\xA0\";";
        const TOpened reread = Open(Save(opened));
        ASSERT_EQ(reread.lines.size(), opened.lines.size());
        for (std::size_t line = 0; line < opened.lines.size(); ++line) {
            if (line != edited) {
                std::string before;
                std::string after;
                AppendSjisToUtf8(opened.lines[line], opened.chars, before);
                AppendSjisToUtf8(reread.lines[line], reread.chars, after);
                ASSERT_EQ(after, before) << "round " << round << " line " << line;
            }
        }
    }
}

// A Shift_JIS document saved as UTF-8 is what iconv makes of it; bytes without a character (not Shift_JIS)
// are written as they stand, where iconv gives up.
TEST(EncodeFileImage, ShiftJisToUtf8IsIconvs)
{
    using namespace samples;
    const std::vector<std::string> lines {kBoardSjis, kNameSjis, kHyoujiSjis, "\xB6\xC5 \x87\x40 \xFB\xFC \xF0\x40",
        "\x81\x60\x81\x7C\x81\x61\x81\x91\x81\x92\x81\xCA\x81\x5C", "plain \\ ~"};
    std::string sjis;
    for (const std::string& line : lines) {
        sjis += line + "\n";
    }
    EXPECT_EQ(EncodeFileImage(TVectorSaveLines(lines), {jcUtf8, rcLf, false}, TDocumentChars()),
        Iconv("CP932", "UTF-8", sjis));
    EXPECT_EQ(EncodeFileImage(TVectorSaveLines(lines), {jcUtf8, rcLf, true}, TDocumentChars()),
        std::string(kUtf8Bom) + Iconv("CP932", "UTF-8", sjis));
    const std::vector<std::string> broken {"a\x80\xA0\xFD\xFF\x81", "\x85\x40"};
    EXPECT_EQ(EncodeFileImage(TVectorSaveLines(broken), {jcUtf8, rcLf, false}, TDocumentChars()),
        "a\x80\xA0\xFD\xFF\x81\n\x85\x40\n");
}

// Open with a stated UTF-8: the mark is kept as found; bytes of no valid sequence go in as they stand.
TEST(DecodeFileTo, StatedUtf8)
{
    const TOpened marked = Open("\xEF\xBB\xBFx\r\n", TStatedCodes {jcUtf8, rcLf, false});
    EXPECT_TRUE(marked.codes.bom);
    EXPECT_EQ(marked.lines, std::vector<std::string> {"x"});
    const TOpened invalid = Open("a\xB1\xE3\x81\x82\n", TStatedCodes {jcUtf8, rcLf, true});
    EXPECT_FALSE(invalid.codes.bom);
    EXPECT_EQ(invalid.lines, std::vector<std::string> {"a\xB1\x82\xA0"});
}

// The room reserved for a save in UTF-8 holds every line: kana, pairs, and characters of the document's own
// beyond the BMP whose codes have a trail below 0x80.
TEST(Utf8GrowthBound, HoldsWhatEveryLineBecomes)
{
    TDocumentChars chars;
    for (char32_t c = 0x1F600; c < 0x1F600 + 100; ++c) {
        chars.Take(c);
    }
    const std::string pieces[] {"a", "\xB6", "\x82\xA0", "\xF0\x40", "\xF0\x80", "\x80", "\xFF", "\x81"};
    std::mt19937 random(3);
    for (int round = 0; round < 2000; ++round) {
        std::string line;
        for (int n = static_cast<int>(random() % 12); n > 0; --n) {
            line += pieces[random() % std::size(pieces)];
        }
        std::string utf8;
        AppendSjisToUtf8(line, chars, utf8);
        ASSERT_LE(utf8.size(), line.size() + Utf8GrowthBound(line)) << round;
    }
}

// The document's own characters are found by whole pairs: F0 40 read from a trail byte F0 and the '@' after
// it is no character of the table; plain user-defined codes of a Shift_JIS text are none either.
TEST(FindOwnChars, CountsWholePairsTheTableGivesACharacter)
{
    TDocumentChars chars;
    const TSjisCode smile = chars.Take(U'\U0001F600');
    ASSERT_EQ(smile, 0xF040);
    const std::vector<std::string> plain {"\x82\xF0\x40", "\xF0\x41 user-defined", "tail \xF0"};
    EXPECT_FALSE(FindOwnChars(TVectorSaveLines(plain), chars));
    const std::vector<std::string> lines {"x", "\x82\xF0\x40 \xF0\x40", "\xF0\x40"};
    const std::optional<TOwnCharsFound> found = FindOwnChars(TVectorSaveLines(lines), chars);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->First, U'\U0001F600');
    EXPECT_EQ(found->Line, 2);
    EXPECT_EQ(found->Count, 2);
    EXPECT_FALSE(FindOwnChars(TVectorSaveLines(lines), TDocumentChars()));
}

// Both Unicode forms of a code Shift_JIS has go to that code outside UTF-8, whichever the file met first; only
// a character without any code is one the other codes lose. The yen sign and the overline are such twins.
TEST(SecondForms, GoToTheirShiftJisCodeOutsideUtf8AndAreNotCountedAsLost)
{
    const std::string utf8 = "〜～ −－ ‖∥ ¢￠ £￡ ¬￢ ¥￥ ‾￣\n";
    const std::string sjis = "\x81\x60\x81\x60 \x81\x7C\x81\x7C \x81\x61\x81\x61 \x81\x91\x81\x91 \x81\x92\x81\x92 "
                             "\x81\xCA\x81\xCA \x81\x8F\x81\x8F \x81\x50\x81\x50\r\n";
    for (const bool wideFirst : {false, true}) {
        std::string text = utf8;
        if (wideFirst) {
            // The other order: the code page's form is met first, the JIS form second.
            text = "～〜 －− ∥‖ ￠¢ ￡£ ￢¬ ￥¥ ￣‾\n";
        }
        TDocumentChars chars;
        std::vector<std::string> lines;
        DecodeFileTo(text, std::nullopt, [&](std::string_view line) { lines.emplace_back(line); }, &chars);
        EXPECT_FALSE(chars.Empty()) << "the second forms are kept apart for UTF-8";
        EXPECT_FALSE(chars.HasCharsWithoutCode());
        EXPECT_FALSE(FindOwnChars(TVectorSaveLines(lines), chars).has_value());
        for (const JCode target : {jcSjis, jcEuc, jcJis}) {
            const std::string written = EncodeFileImage(TVectorSaveLines(lines), {target, rcCrLf, false}, chars);
            EXPECT_EQ(ConvertJCodeFrom(written, target, jcSjis), sjis) << target;
        }
        EXPECT_EQ(EncodeFileImage(TVectorSaveLines(lines), {jcUtf8, rcLf, false}, chars), text);
    }
    // An emoji has no code: it alone is counted.
    TDocumentChars chars;
    std::vector<std::string> lines;
    DecodeFileTo("〜～😀\n", std::nullopt, [&](std::string_view line) { lines.emplace_back(line); }, &chars);
    EXPECT_TRUE(chars.HasCharsWithoutCode());
    const std::optional<TOwnCharsFound> lost = FindOwnChars(TVectorSaveLines(lines), chars);
    ASSERT_TRUE(lost.has_value());
    EXPECT_EQ(lost->Count, 1);
    EXPECT_EQ(lost->First, U'\U0001F600');
}
