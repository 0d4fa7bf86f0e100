// The character and whole-string converters, including the half-width kana rules.
#include "Samples.h"

#include "jcode/JConvert.h"
#include "jcode/LineCodec.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <random>

using namespace brenvik;

namespace {

std::string Bytes(TBytePair pair)
{
    return {static_cast<char>(pair[0]), static_cast<char>(pair[1])};
}

bool IsJisX0208Lead(int b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF);
}

// Leads of the standard rows, whose characters keep their bytes through EUC and JIS; the vendor rows
// from 0xED on map onto one another.
bool IsStandardLead(int b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEA);
}

bool IsSjisTrail(int b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

} // namespace

TEST(CharConvert, JisAndSjisArithmeticAreInverse)
{
    EXPECT_EQ(Bytes(JisCharToSjis(0x30, 0x21)), "\x88\x9F"); // 亜
    EXPECT_EQ(Bytes(SjisCharToJis(0x88, 0x9F)), "\x30\x21");
    for (int a = 0x21; a <= 0x7E; ++a) {
        for (int b = 0x21; b <= 0x7E; ++b) {
            const TBytePair sjis = JisCharToSjis(static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b));
            ASSERT_TRUE(IsJisX0208Lead(sjis[0]) && IsSjisTrail(sjis[1])) << a << "," << b;
            const TBytePair back = SjisCharToJis(sjis[0], sjis[1]);
            ASSERT_EQ(back[0], a);
            ASSERT_EQ(back[1], b);
        }
    }
}

TEST(SjisToJis, HalfWidthKanaBecomeFullWidthWithVoicedMarksMerged)
{
    EXPECT_EQ(SjisToJis("\xB6\xDE"), "\x1B$B\x25\x2C"); // ｶﾞ -> ガ, still in kanji mode
    EXPECT_EQ(SjisToJis("\xCA\xDF"), "\x1B$B\x25\x51"); // ﾊﾟ -> パ
    EXPECT_EQ(SjisToJis("\xCA\xDE"), "\x1B$B\x25\x50"); // ﾊﾞ -> バ
    EXPECT_EQ(SjisToJis("\xB3\xDE"), "\x1B$B\x25\x74"); // ｳﾞ -> ヴ
    EXPECT_EQ(SjisToJis("\xDE"), "\x1B$B\x21\x2B"); // ﾞ alone -> ゛
    EXPECT_EQ(SjisToJis("\xB1\xDE"), "\x1B$B\x25\x22\x21\x2B"); // ｱﾞ: no voiced ア, the mark stays
    EXPECT_EQ(SjisToJis("\xB6\xDF"), "\x1B$B\x25\x2B\x21\x2C"); // ｶﾟ: no semi-voiced カ
    EXPECT_EQ(SjisToJis("\xA4\xDE"), "\x1B$B\x21\x22\x21\x2B"); // ､ is a symbol: the mark is not looked at
    EXPECT_EQ(SjisToJis("\xB1"
                        "a"),
        "\x1B$B\x25\x22\x1B(Ja");
}

TEST(EucToJis, SingleShiftKanaFollowTheSameRules)
{
    EXPECT_EQ(EucToJis("\x8E\xB6\x8E\xDE"), "\x1B$B\x25\x2C");
    EXPECT_EQ(EucToJis("\x8E\xCA\x8E\xDF"
                       "x"),
        "\x1B$B\x25\x51\x1B(Jx");
    // A voiced mark must carry its own SS2; without it the next bytes are a double-byte pair.
    EXPECT_EQ(EucToJis("\x8E\xB6\xA4\xA2"), "\x1B$B\x25\x2B\x24\x22");
    // A single-shift pair that holds no kana becomes the substitute mark.
    EXPECT_EQ(EucToJis("\x8E\x41z"), "\x1B$B\x22\x2E\x1B(Jz");
}

TEST(Converters, JapaneseTextBetweenAllCodes)
{
    using namespace samples;
    EXPECT_EQ(SjisToEuc(kBoardSjis), kBoardEuc);
    EXPECT_EQ(EucToSjis(kBoardEuc), kBoardSjis);
    EXPECT_EQ(SjisToJis(kBoardSjis), kBoardJisOpen);
    EXPECT_EQ(EucToJis(kBoardEuc), kBoardJisOpen);
    EXPECT_EQ(JisToSjis(kBoardJisClosedB), kBoardSjis);
    EXPECT_EQ(JisToEuc(kBoardJisClosedB), kBoardEuc);
    EXPECT_EQ(SjisToEuc(kNameSjis), kNameEuc);
    EXPECT_EQ(SjisToJis(kNameSjis), kNameJis);
    EXPECT_EQ(EucToJis(kNameEuc), kNameJis);
    EXPECT_EQ(JisToSjis(kNameJis), kNameSjis);
    EXPECT_EQ(JisToEuc(kNameJis), kNameEuc);
    EXPECT_EQ(SjisToEuc(kHyoujiSjis), kHyoujiEuc);
    EXPECT_EQ(EucToSjis(kHyoujiEuc), kHyoujiSjis);
}

TEST(Converters, EucAndSjisKeepHalfWidthKanaHalfWidth)
{
    EXPECT_EQ(EucToSjis("\x8E\xB1"), "\xB1");
    EXPECT_EQ(SjisToEuc("\xB1\xDE"), "\x8E\xB1\x8E\xDE");
}

TEST(Converters, EveryShiftJisCharacterSurvivesEucAndJis)
{
    std::string all;
    for (int a = 0x81; a <= 0xEF; ++a) {
        for (int b = 0x40; b <= 0xFC; ++b) {
            if (IsStandardLead(a) && b != 0x7F) {
                all += static_cast<char>(a);
                all += static_cast<char>(b);
            }
        }
    }
    EXPECT_EQ(EucToSjis(SjisToEuc(all)), all);
    EXPECT_EQ(JisToSjis(SjisToJis(all)), all);
    EXPECT_EQ(JisToSjis(EucToJis(SjisToEuc(all))), all);
}

TEST(Converters, JisModeSwitchesAtLineBreaksInsideTheText)
{
    EXPECT_EQ(SjisToJis("\x88\x9F\r\n\x88\x9F"), "\x1B$B\x30\x21\x1B(J\r\n\x1B$B\x30\x21");
    EXPECT_EQ(JisToEuc("\x1B$B0!\x1B(J\r\n\x1B$B0!\x1B(J"), "\xB0\xA1\r\n\xB0\xA1");
    EXPECT_EQ(JisToEuc("\x1B$B0 !\x1B(J"), "\xB0 \xA1"); // spaces in kanji mode are copied
    EXPECT_EQ(JisToSjis("\x1B$@0!\x1B(J"), "\x88\x9F"); // the 1978 escape converts alike
}

// The walk ends with an escape that takes the last three bytes, as ESC ( B ends almost every JIS line:
// nothing is made up past the end.
TEST(MalformedInput, EscapeAtTheEndAddsNoByte)
{
    EXPECT_EQ(JisToSjis("\x1B$B0!\x1B(B"), "\x88\x9F");
    EXPECT_EQ(JisToEuc("\x1B$B0!\x1B(B"), "\xB0\xA1");
    EXPECT_EQ(JisToSjis("abc\x1B(B"), "abc");
    EXPECT_EQ(JisToSjis("\x1B$B"), "");
}

TEST(MalformedInput, EscapeRightAfterEscapeIsAnEscape)
{
    EXPECT_EQ(JisToSjis("\x1B$B\x1B(Babc"), "abc");
    EXPECT_EQ(JisToSjis("x\x1B(J\x1B$B0!\x1B(J"), "x\x88\x9F");
}

TEST(MalformedInput, IncompleteEscapeAndLoneBytesAreKept)
{
    EXPECT_EQ(JisToSjis("abc\x1B$"), "abc\x1B$");
    EXPECT_EQ(JisToEuc("abc\x1B"), "abc\x1B");
    EXPECT_EQ(JisToSjis("\x1B$B0!0"),
        "\x88\x9F"
        "0"); // odd byte left in kanji mode
    EXPECT_EQ(SjisToEuc("ab\x82"), "ab\x82");
    EXPECT_EQ(EucToSjis("ab\xA4"), "ab\xA4");
    EXPECT_EQ(EucToSjis("ab\x8E"), "ab\x8E");
    EXPECT_EQ(SjisToJis("ab\x82"), "ab\x82");
    EXPECT_EQ(SjisToJis("\x88\x9F\x82"), "\x1B$B\x30\x21\x82");
    EXPECT_EQ(EucToJis("ab\x8E"), "ab\x8E");
    // A lone lead byte survives the trip through another code and back.
    EXPECT_EQ(EucToSjis(SjisToEuc("\x88\x9F\x82")), "\x88\x9F\x82");
    EXPECT_EQ(JisToSjis(SjisToJis("\x88\x9F\x82")), "\x88\x9F\x82");
}

// Found by fuzzing: the JIS arithmetic on 8-bit bytes in kanji mode made B4 24 into 0A A2, a line break
// inside a decoded line. Only pairs of JIS bytes (21..7E) are characters; other bytes are kept.
TEST(MalformedInput, BytesOutsideJisInKanjiModeAreKept)
{
    EXPECT_EQ(JisToSjis("\x1B$B\xB4$"), "\xB4$");
    EXPECT_EQ(JisToSjis("\x1B$B0 0!"), "0 \x88\x9F");
    EXPECT_EQ(JisToSjis(std::string("\x1B$B\x8C") + "0!"), "\x8C\x88\x9F");
    const TDecodedText decoded = DecodeFileBytes("\x1B$B\xB4$\x1B(B\r\n");
    EXPECT_EQ(decoded.jcode, jcJis);
    EXPECT_EQ(decoded.Lines, std::vector<std::string> {"\xB4$"});
}

TEST(ConvertJCode, SourceDecidesAndUndecidedOrBinaryStayUnchanged)
{
    using namespace samples;
    EXPECT_EQ(ConvertJCode(kBoardEuc, jcSjis), kBoardSjis);
    EXPECT_EQ(ConvertJCode(kBoardSjis, jcEuc), kBoardEuc);
    EXPECT_EQ(ConvertJCode(kBoardJisClosedB, jcSjis), kBoardSjis);
    EXPECT_EQ(ConvertJCode("\xB1\xB2", jcEuc), "\xB1\xB2"); // undecided: never converted
    EXPECT_EQ(ConvertJCode("\xB1\xB2", jcJis), "\xB1\xB2");
    const std::string binary("\x01\x88\x9F", 3);
    EXPECT_EQ(ConvertJCode(binary, jcEuc), binary);
    EXPECT_EQ(ConvertJCodeFrom(kBoardSjis, jcSjis, jcSjis), kBoardSjis);
    EXPECT_EQ(ConvertJCodeFrom(kBoardSjis, jcUndecided, jcEuc), kBoardSjis);
    EXPECT_EQ(ConvertJCodeFrom(kBoardSjis, jcSjis, 7), kBoardSjis);
    EXPECT_EQ(ConvertJCodeFrom(kBoardJisClosedB, jcOldJis, jcJis), kBoardJisClosedB);
    EXPECT_EQ(ConvertJCodeFrom(kBoardJisClosedB, jcOldJis, jcEuc), kBoardEuc);
}

// Seeded random texts: ASCII runs of every length around the 16-byte search blocks, kanji and kana.
TEST(Converters, RandomShiftJisTextRoundTrips)
{
    std::mt19937 random(20240601);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 2000; ++round) {
        std::string withKana;
        std::string withoutKana;
        for (int piece = pick(1, 12); piece > 0; --piece) {
            std::string part;
            switch (pick(0, 2)) {
            case 0:
                part.assign(static_cast<std::size_t>(pick(0, 40)), static_cast<char>(pick(0x20, 0x7E)));
                break;
            case 1:
                part += static_cast<char>(pick(0, 1) ? pick(0x81, 0x9F) : pick(0xE0, 0xEA));
                part += static_cast<char>(pick(0, 1) ? pick(0x40, 0x7E) : pick(0x80, 0xFC));
                break;
            default:
                withKana += static_cast<char>(pick(0xA1, 0xDF));
                continue;
            }
            withKana += part;
            withoutKana += part;
        }
        ASSERT_EQ(EucToSjis(SjisToEuc(withKana)), withKana) << round;
        ASSERT_EQ(JisToSjis(SjisToJis(withoutKana)), withoutKana) << round;
        ASSERT_EQ(JisToEuc(SjisToJis(withoutKana)), SjisToEuc(withoutKana)) << round;
    }
}

// Arbitrary bytes, malformed included: every routine keeps to the input (checked by the sanitizer build),
// a text already in the target code passes through unchanged, and 7-bit text without ESC, SO or SI (the JIS
// shifts) goes through every converter untouched.
TEST(MalformedInput, ArbitraryBytesPassEveryRoutine)
{
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 24), '\0');
        for (char& b : bytes) {
            b = static_cast<char>(random() % 4 == 0 ? "\x1B$B(\x8E\xDE\xDF"[random() % 7] : random());
        }
        const JCode code = DetectJCode(bytes);
        ASSERT_TRUE(code >= jcNone && code <= jcUndecided);
        for (JCode target : {jcJis, jcEuc, jcSjis}) {
            ASSERT_EQ(ConvertJCodeFrom(bytes, target, target), bytes);
            ConvertJCode(bytes, target);
        }
        std::string sevenBit = bytes;
        for (char& b : sevenBit) {
            b = static_cast<char>(b & 0x7F);
            b = b == '\x1B' || b == '\x0E' || b == '\x0F' ? '\x1A' : b;
        }
        for (auto convert : {JisToSjis, JisToEuc, EucToSjis, EucToJis, SjisToJis, SjisToEuc}) {
            convert(bytes);
            ASSERT_EQ(convert(sevenBit), sevenBit);
        }
    }
}

TEST(CharConvert, ArithmeticWrapsOnBytes)
{
    // A lead of 0xFF (malformed JIS) wraps to 0 before the shift.
    EXPECT_EQ(Bytes(JisCharToSjis(0xFF, 0x21)), "\xB0\x40");
}

namespace {

// Every IBM extension FA 40..FC 4B, or every code of the user-defined leads F0..F4.
std::string CodesOfLeads(int firstLead, int lastLead, int lastCode)
{
    std::string codes;
    for (int a = firstLead; a <= lastLead; ++a) {
        for (int b = 0x40; b <= 0xFC; ++b) {
            if (b != 0x7F && (a << 8 | b) <= lastCode) {
                codes += static_cast<char>(a);
                codes += static_cast<char>(b);
            }
        }
    }
    return codes;
}

// The text of Windows Shift_JIS bytes in UTF-8, by the system's iconv.
QByteArray Cp932Text(const std::string& sjis)
{
    QProcess iconv;
    iconv.start(QStringLiteral("iconv"), {"-f", "CP932", "-t", "UTF-8"});
    iconv.write(sjis.data(), static_cast<qint64>(sjis.size()));
    iconv.closeWriteChannel();
    EXPECT_TRUE(iconv.waitForFinished(10000));
    EXPECT_EQ(iconv.exitCode(), 0);
    return iconv.readAllStandardOutput();
}

QByteArray Nkf(const QStringList& arguments, const std::string& input)
{
    QProcess nkf;
    nkf.start(QStandardPaths::findExecutable("nkf"), arguments);
    nkf.write(input.data(), static_cast<qint64>(input.size()));
    nkf.closeWriteChannel();
    EXPECT_TRUE(nkf.waitForFinished(10000));
    return nkf.readAllStandardOutput();
}

} // namespace

// IBM extensions go out in the NEC-selected or standard codes of the same characters and come back as
// the same characters; the user-defined rows come back as they were.
TEST(VendorRows, SameCharactersThroughEucAndJis)
{
    const std::string ibm = CodesOfLeads(0xFA, 0xFC, 0xFC4B);
    ASSERT_EQ(ibm.size(), 388u * 2);
    const std::string euc = SjisToEuc(ibm);
    for (std::size_t i = 0; i < euc.size(); ++i) {
        ASSERT_GE(static_cast<std::uint8_t>(euc[i]), 0xA1) << i; // EUC double-byte characters only
    }
    const std::string back = EucToSjis(euc);
    EXPECT_EQ(Cp932Text(back), Cp932Text(ibm));
    EXPECT_EQ(JisToSjis(SjisToJis(ibm)), back);
    EXPECT_EQ(SjisToJis("\xFB\xFC"), "\x1B$B\x7C\x62"); // 髙

    // NEC-selected codes come back as the IBM codes of the same characters.
    EXPECT_EQ(EucToSjis(SjisToEuc("\xED\x40\xEE\xFC")), "\xFA\x5C\xFA\x57");

    const std::string user = CodesOfLeads(0xF0, 0xF4, 0xF4FC);
    EXPECT_EQ(SjisToEuc("\xF0\x40\xF4\xFC"), "\xF5\xA1\xFE\xFE");
    std::string userOutsideNec;
    for (std::size_t i = 0; i < user.size(); i += 2) {
        if (user[i] != '\xF2' && user[i] != '\xF3') { // F2 and F3 share their JIS rows with the NEC-selected ones
            userOutsideNec += user.substr(i, 2);
        }
    }
    EXPECT_EQ(EucToSjis(SjisToEuc(userOutsideNec)), userOutsideNec);
    EXPECT_EQ(JisToSjis(SjisToJis(userOutsideNec)), userOutsideNec);
}

TEST(VendorRows, EucAgreesWithNkf)
{
    if (QStandardPaths::findExecutable("nkf").isEmpty()) {
        GTEST_SKIP() << "nkf is not installed";
    }
    const std::string ibm = CodesOfLeads(0xFA, 0xFC, 0xFC4B);
    EXPECT_EQ(QByteArray::fromStdString(SjisToEuc(ibm)), Nkf({"-x", "-S", "-e"}, ibm));
    const std::string euc = SjisToEuc(ibm);
    EXPECT_EQ(QByteArray::fromStdString(EucToSjis(euc)), Nkf({"-x", "-E", "-s"}, euc));
}
