// The search tables checked against the C library's code page 932 and Qt's Unicode data.
#include "SjisText.h"

#include "search/CaseFolding.h"
#include "search/HankakuToZenkaku.h"
#include "search/ShiftJis.h"
#include "search/WordDelimiters.h"
#include "search/ZenkakuTable.h"

#include <QString>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

using test::FromSjis;
using test::ToSjis;

std::string CodeBytes(std::uint16_t code)
{
    std::string out;
    if (IsDoubleByteCode(code))
        out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
    return out;
}

QString Nfkc(std::string_view sjis)
{
    const std::u32string text = FromSjis(sjis);
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()))
        .normalized(QString::NormalizationForm_KC);
}

TEST(SearchTables, FullWidthFormsAreTheCompatibilityTwinsOfTheirBytes)
{
    // Where the table deliberately departs from Unicode's compatibility mapping: quotes, backslash to yen,
    // tilde to overline, ･ to the full stop, and the spacing voicing marks.
    const std::string departures = "\"'\\~\xA5\xDE\xDF";
    int checked = 0;
    for (unsigned byte = 0x20; byte <= 0xDF; ++byte) {
        const std::uint16_t code = ZenkakuTable[byte];
        if (!IsDoubleByteCode(code) || departures.find(static_cast<char>(byte)) != std::string::npos)
            continue;
        const std::string single(1, static_cast<char>(byte));
        // Both sides normalised: ASCII stays ASCII, half-width kana become full-width.
        EXPECT_EQ(Nfkc(CodeBytes(code)), Nfkc(single)) << std::hex << "byte " << byte << " code " << code;
        ++checked;
    }
    EXPECT_EQ(checked, 95 - 4 + 63 - 3);
    EXPECT_EQ(ZenkakuTable[0x5C], 0x818F);
    EXPECT_EQ(ZenkakuTable[0x7E], 0x8150);
    EXPECT_EQ(ZenkakuTable[0xA5], ZenkakuTable['.']);
    EXPECT_EQ(ZenkakuTable[0xDE], 0x814A);
    EXPECT_EQ(ZenkakuTable[0xDF], 0x814B);
    for (const unsigned byte : {0x00u, 0x1Fu, 0x7Fu, 0x80u, 0x81u, 0x9Fu, 0xA0u, 0xE0u, 0xFFu})
        EXPECT_EQ(ZenkakuTable[byte], byte);
}

TEST(SearchTables, VoicedHalfWidthKanaBecomeOneFullWidthKana)
{
    int voiceable = 0;
    for (unsigned kana = 0xA6; kana <= 0xDD; ++kana) {
        const bool takesMarks = (KanaJisTable[kana] & 0x80) != 0;
        voiceable += takesMarks;
        for (const char mark : {'\xDE', '\xDF'}) {
            const std::string pair {static_cast<char>(kana), mark};
            const std::string wide = HankakuToZenkaku(pair);
            // The semi-voiced mark belongs to ﾊ..ﾎ only: ｶﾟ is not キ.
            const bool merges = mark == '\xDE' ? takesMarks || kana == 0xB3 : kana >= 0xCA && kana <= 0xCE;
            if (merges) {
                ASSERT_EQ(wide.size(), 2u) << std::hex << kana;
                EXPECT_EQ(Nfkc(wide), Nfkc(pair)) << std::hex << kana;
            } else {
                EXPECT_EQ(wide.size(), 4u) << std::hex << kana << " stays two characters";
            }
        }
    }
    EXPECT_EQ(voiceable, 15 + 5);
    EXPECT_EQ(HankakuToZenkaku(ToSjis("ｶﾞﾊﾟﾊｳﾞｳﾟｶﾟ")), ToSjis("ガパハヴウ゜カ゜"));
}

TEST(SearchTables, HankakuToZenkakuKeepsDoubleByteCharactersAndLoneBytes)
{
    // The trail byte 0x61 ('a') of this character must not be widened.
    EXPECT_EQ(HankakuToZenkaku("\x82\x61"
                               "a\x01"),
        "\x82\x61\x82\x81\x01");
    EXPECT_EQ(HankakuToZenkaku(ToSjis("ab 1_\\")), ToSjis("ａｂ　１＿￥"));
    EXPECT_EQ(HankakuToZenkaku("\xDE"), "\x81\x4A");
    EXPECT_EQ(HankakuToZenkaku("x\x83"), "\x82\x98\x83");
    EXPECT_EQ(HankakuToZenkaku(""), "");
}

TEST(SearchTables, JisToShiftJisAgreesWithTheLibraryOnEveryJisX0208Row)
{
    int checked = 0;
    for (unsigned row = 0x21; row <= 0x74; ++row) {
        for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
            const auto jis = static_cast<std::uint16_t>(row << 8 | cell);
            // EUC-JP writes the same JIS code with both high bits set.
            const std::string euc {static_cast<char>(row | 0x80), static_cast<char>(cell | 0x80)};
            const std::u32string expected = test::Decode("EUC-JP", euc);
            if (expected.size() != 1)
                continue;
            EXPECT_EQ(test::Decode("SHIFT_JIS", CodeBytes(JisToShiftJis(jis))), expected) << std::hex << jis;
            ++checked;
        }
    }
    EXPECT_GT(checked, 6000);
    EXPECT_EQ(JisToShiftJis(0x2422), 0x82A0); // あ
    EXPECT_EQ(JisToShiftJis(0x2560), 0x8380); // ム: the cell past 0x7E skips 0x7F
    EXPECT_EQ(JisToShiftJis(0x3021), 0x889F); // 亜
    EXPECT_EQ(JisToShiftJis(0x7424), 0xEAA2); // 熙
}

TEST(SearchTables, DoubleByteFoldingMatchesUnicodeUpperCase)
{
    int folded = 0;
    for (const unsigned lead : {0x82u, 0x83u, 0x84u, 0xEEu}) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const auto code = static_cast<std::uint16_t>(lead << 8 | trail);
            const std::u32string text = FromSjis(CodeBytes(code));
            if (text.size() != 1)
                continue;
            const char32_t upper = QChar::toUpper(text[0]);
            const std::string capital = upper == text[0] ? std::string() : ToSjis(std::u32string(1, upper));
            const std::uint16_t expected = capital.size() == 2
                ? static_cast<std::uint16_t>(
                    static_cast<std::uint8_t>(capital[0]) << 8 | static_cast<std::uint8_t>(capital[1]))
                : code;
            // The library writes small roman numerals' capitals in the 0xFA row; the fold uses 0x87.
            const std::uint16_t mapped
                = expected >= 0xFA4A && expected <= 0xFA53 ? expected - 0xFA4A + 0x8754 : expected;
            EXPECT_EQ(FoldDoubleByte(code), mapped) << std::hex << code;
            folded += FoldDoubleByte(code) != code;
        }
    }
    EXPECT_EQ(folded, 26 + 24 + 33 + 10);
}

TEST(SearchTables, CaseComparisonFoldsOnlyTheTextSide)
{
    EXPECT_TRUE(SameDoubleByteNoCase(0x8260, 0x8281)); // Ａ finds ａ
    EXPECT_TRUE(SameDoubleByteNoCase(0x8260, 0x8260));
    EXPECT_FALSE(SameDoubleByteNoCase(0x8281, 0x8260)); // the pattern is upper-cased beforehand
    EXPECT_TRUE(SameDoubleByteNoCase(0x8754, 0xEEEF)); // Ⅰ finds ⅰ across lead bytes
    EXPECT_FALSE(SameDoubleByteNoCase(0x8755, 0xEEEF));
    EXPECT_TRUE(SameDoubleByteNoCase(0x844F, 0x8480));
    EXPECT_FALSE(SameDoubleByteNoCase(0x834A, 0x834B)); // カ is not ガ
}

TEST(SearchTables, UpperCasingAPatternNeverTouchesATrailByte)
{
    // ト is 0x83 0x67; upper-casing its trail byte would turn it into エ (0x83 0x47).
    EXPECT_EQ(UpperCasePattern(ToSjis("トabc")), ToSjis("トABC"));
    EXPECT_EQ(UpperCasePattern(ToSjis("ａαа") + "\xEE\xF8"), ToSjis("ＡΑА") + "\x87\x5D");
    EXPECT_EQ(UpperCasePattern("\x82\x61z\x83"), "\x82\x61Z\x83");
    for (unsigned byte = 0; byte < 256; ++byte)
        EXPECT_EQ(UpperCaseTable[byte], byte >= 'a' && byte <= 'z' ? byte - 0x20 : byte);
}

TEST(SearchTables, WordDelimitersSeparateAsciiPunctuationButNotLettersOrJapanese)
{
    const std::string words = "09AZaz\x81\x9F\xA6\xB0\xDD\xDE\xDF\xE0\xFC";
    static constexpr char delimiterBytes[] = "\0\t /:@[\\_`{~\x7F\x80\xA0\xA1\xA5\xFD\xFF";
    const std::string delimiters(delimiterBytes, sizeof delimiterBytes - 1);
    for (const char c : words)
        EXPECT_FALSE(IsWordDelimiter(static_cast<std::uint8_t>(c))) << std::hex << (c & 0xFF);
    for (const char c : delimiters)
        EXPECT_TRUE(IsWordDelimiter(static_cast<std::uint8_t>(c))) << std::hex << (c & 0xFF);
    int count = 0;
    for (const bool member : WordDelimiters)
        count += member;
    EXPECT_EQ(count, 0x30 + 7 + 6 + 6 + 6 + 3);
}

} // namespace
} // namespace brenvik
