// Character-code and line-break detection.
#include "Samples.h"

#include "jcode/JConvert.h"
#include "jcode/LineCodec.h"
#include "jcode/SjisUnicode.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace brenvik;

TEST(DetectJCode, RealTextInEachCode)
{
    EXPECT_EQ(DetectJCode(samples::kBoardSjis), jcSjis);
    EXPECT_EQ(DetectJCode(samples::kBoardEuc), jcEuc);
    EXPECT_EQ(DetectJCode(samples::kBoardJisClosedB), jcJis);
    EXPECT_EQ(DetectJCode(samples::kNameSjis), jcSjis);
    EXPECT_EQ(DetectJCode(samples::kNameEuc), jcUndecided); // only pairs that Shift_JIS could also hold
    EXPECT_EQ(DetectJCode(samples::kNameJis), jcJis);
    EXPECT_EQ(DetectJCode("print \"Hello\";\t# ascii only"), jcNone);
}

TEST(DetectJCode, TooShortToStartARuleIsNone)
{
    EXPECT_EQ(DetectJCode(""), jcNone);
    for (const char* one : {"\x01", "\xFF", "\x82", "\x1B", "a"}) {
        EXPECT_EQ(DetectJCode(std::string(one, 1)), jcNone) << int(static_cast<unsigned char>(one[0]));
    }
    // The last byte is read only as the second byte of a pair.
    EXPECT_EQ(DetectJCode("abc\x82"), jcNone);
    EXPECT_EQ(DetectJCode("abc\xFF"), jcNone);
}

TEST(DetectJCode, BinaryInPreScanWinsOverEverything)
{
    EXPECT_EQ(DetectJCode("\x1B$Babc\x07x"), jcBinary);
    EXPECT_EQ(DetectJCode(samples::kBoardSjis + "\xFFx"), jcBinary);
    EXPECT_EQ(DetectJCode(std::string("ab\0cd", 5)), jcBinary);
    // Past the pre-scan a binary byte counts only where the main scan gets to it first.
    const std::string ascii(600, 'a');
    EXPECT_EQ(DetectJCode(ascii + "\x01x"), jcBinary);
    EXPECT_EQ(DetectJCode(samples::kBoardSjis + ascii + "\x01x"), jcSjis);
    // The pre-scan stops at 512 bytes, whatever word boundary that falls on.
    EXPECT_EQ(DetectJCode(std::string(511, 'a') + "\x02xx"), jcBinary);
    EXPECT_EQ(DetectJCode(std::string(512, 'a') + "\x82\xA0\x02x"), jcSjis);
}

TEST(DetectJCode, EscapeSequences)
{
    EXPECT_EQ(DetectJCode("abc\x1B$B$\"\x1B(B"), jcJis);
    EXPECT_EQ(DetectJCode("\x1B$@0!\x1B(J"), jcOldJis);
    EXPECT_EQ(DetectJCode("\x1B(Babc"), jcNone);
    EXPECT_EQ(DetectJCode("\x1B$Kxyz"), jcNone);
    EXPECT_EQ(DetectJCode("abc\x1B$"), jcNone); // the final byte past the end reads as 0
    // ESC with any byte but $ consumes the two, and the scan goes on after them.
    EXPECT_EQ(DetectJCode("\x1B(\x82\xA0"), jcSjis);
}

TEST(DetectJCode, KanaBytesStayUndecidedUntilADecisiveByte)
{
    EXPECT_EQ(DetectJCode("\xB1"
                          "a"),
        jcSjis); // half-width kana then ASCII
    EXPECT_EQ(DetectJCode("\xB1\xB2"), jcUndecided);
    EXPECT_EQ(DetectJCode("\xA4\xA2"), jcUndecided); // あ in EUC
    EXPECT_EQ(DetectJCode("\xA4\xA2\xF0\xF0"), jcEuc);
    EXPECT_EQ(DetectJCode("\xA4\xA2\x88\x9F"), jcSjis);
    EXPECT_EQ(DetectJCode("\xB1\xF0"), jcEuc);
    EXPECT_EQ(DetectJCode("\xB1\xA0x"), jcNone); // 0xA0 as second byte decides nothing
}

TEST(DetectJCode, RunAfterKanaAndE0ToEFByte)
{
    EXPECT_EQ(DetectJCode("\xB1\xE0\x9C"), jcSjis);
    // 0x9D..0x9F are not decisive inside the run, unlike at the start of a rule.
    EXPECT_EQ(DetectJCode("\xB1\xE0\x9D\xFD"), jcEuc);
    EXPECT_EQ(DetectJCode("\xB1\xE0\x9F"), jcUndecided);
    // The run ends at a byte below 0x40 (consumed) and the scan goes on from the byte after it.
    EXPECT_EQ(DetectJCode("\xB1\xE0"
                          "0\x9Dx"),
        jcSjis);
    EXPECT_EQ(DetectJCode("\xB1\xE0"
                          "0\x9D"),
        jcUndecided);
}

TEST(DetectJCode, SingleShiftAndE0Leads)
{
    EXPECT_EQ(DetectJCode("\x8E\xB1"), jcUndecided);
    EXPECT_EQ(DetectJCode("\x8E\x40"), jcSjis);
    EXPECT_EQ(DetectJCode("\x8E\xFD"), jcNone);
    EXPECT_EQ(DetectJCode("\xE0\x40"), jcSjis);
    EXPECT_EQ(DetectJCode("\xE0\xFD"), jcEuc);
    EXPECT_EQ(DetectJCode("\xE0\xA1"), jcUndecided);
    EXPECT_EQ(DetectJCode("\xF5\xA1"), jcEuc);
    EXPECT_EQ(DetectJCode("\x80\xA0"), jcNone);
}

TEST(DetectRCode, FirstBreakDecides)
{
    EXPECT_EQ(DetectRCode(""), rcNone);
    EXPECT_EQ(DetectRCode("abc"), rcNone);
    EXPECT_EQ(DetectRCode("a\r"), rcCr);
    EXPECT_EQ(DetectRCode("a\rb\r\n"), rcCr);
    EXPECT_EQ(DetectRCode("a\r\nb"), rcCrLf);
    EXPECT_EQ(DetectRCode("a\nb\r\n"), rcLf);
    EXPECT_EQ(DetectRCode("\n"), rcLf);
}

namespace {

// nkf's guess of bytes ("EUC-JP (LF)"), or empty when nkf is not installed.
std::string NkfGuess(const std::string& bytes)
{
    QProcess nkf;
    nkf.start(QStringLiteral("nkf"), {QStringLiteral("--guess")});
    if (!nkf.waitForStarted(5000))
        return {};
    nkf.write(bytes.data(), static_cast<qint64>(bytes.size()));
    nkf.closeWriteChannel();
    nkf.waitForFinished(10000);
    return nkf.readAllStandardOutput().trimmed().toStdString();
}

// A script of lines built from words picked at random, in Shift_JIS.
std::string GeneratedScript(std::mt19937& random, const std::vector<QString>& words)
{
    std::string script = "#!/usr/bin/perl\n";
    for (int line = 0; line < 12; ++line) {
        QString text;
        for (int word = 0; word < 3; ++word)
            text += words[random() % words.size()];
        script += "print \"" + *UnicodeToSjis(text) + "\";\n";
    }
    return script;
}

} // namespace

// Where the per-line vote cannot decide: EUC kanji without kana against Shift_JIS half-width kana, read by the
// likelier text; UTF-8 with a few stray bytes is UTF-8. nkf, where installed, guesses the same.
TEST(DetectFile, UndecidedFilesGoToTheLikelierReading)
{
    const std::vector<QString> kanji = {QStringLiteral("発行"), QStringLiteral("表示"), QStringLiteral("掲示板"), QStringLiteral("管理者"), QStringLiteral("設定"), QStringLiteral("日付"),
        QStringLiteral("名前"), QStringLiteral("送信"), QStringLiteral("削除"), QStringLiteral("投稿"), QStringLiteral("記事"), QStringLiteral("一覧"), QStringLiteral("検索"), QStringLiteral("結果"), QStringLiteral("会員"),
        QStringLiteral("登録"), QStringLiteral("画像"), QStringLiteral("変更"), QStringLiteral("保存"), QStringLiteral("確認"), QStringLiteral("鑑賞"), QStringLiteral("麒麟")};
    const std::vector<QString> kana = {QStringLiteral("ｶﾞｲﾄﾞ"), QStringLiteral("ﾃｽﾄ"), QStringLiteral("ﾒｰﾙ"), QStringLiteral("ﾊﾟｽﾜｰﾄﾞ"), QStringLiteral("ﾕｰｻﾞｰ"), QStringLiteral("ﾛｸﾞｲﾝ"),
        QStringLiteral("ﾎｰﾑ"), QStringLiteral("ｻｲﾄ"), QStringLiteral("ﾃﾞｰﾀ"), QStringLiteral("ﾌｧｲﾙ"), QStringLiteral("ｶｳﾝﾀ"), QStringLiteral("ﾘﾝｸ")};
    const bool nkf = !NkfGuess("a").empty();
    std::mt19937 random(9);
    for (int round = 0; round < 40; ++round) {
        const std::string euc = SjisToEuc(GeneratedScript(random, kanji));
        EXPECT_EQ(DecideFileLoad(euc, std::nullopt).codes.jcode, jcEuc) << euc;
        const std::string sjis = GeneratedScript(random, kana);
        EXPECT_EQ(DecideFileLoad(sjis, std::nullopt).codes.jcode, jcSjis) << sjis;
        if (nkf) {
            EXPECT_TRUE(NkfGuess(euc).starts_with("EUC-JP")) << NkfGuess(euc);
            EXPECT_TRUE(NkfGuess(sjis).starts_with("Shift_JIS")) << NkfGuess(sjis);
        }
    }
    // UTF-8 with one stray byte; Shift_JIS and EUC never pass for it.
    const std::string utf8 = "# 掲示板の設定\nprint \"発行\xFF\";\n";
    EXPECT_EQ(DecideFileLoad(utf8, std::nullopt).codes.jcode, jcUtf8);
    const std::string board = *UnicodeToSjis(u"# 掲示板の設定\nprint \"発行日\";\n"_qs);
    EXPECT_EQ(DecideFileLoad(board, std::nullopt).codes.jcode, jcSjis);
    EXPECT_EQ(DecideFileLoad(SjisToEuc(board), std::nullopt).codes.jcode, jcEuc);
    EXPECT_NE(DecideFileLoad("\xE6\x8E\xB2\xFF\xFF\n", std::nullopt).codes.jcode, jcUtf8) << "too few to tell";
}
