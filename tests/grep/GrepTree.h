// A folder of scripts for grep's tests: every code and line end, traps for a careless search (trail bytes
// that equal ASCII letters or a backslash, half- and full-width forms), binaries, a file with NUL bytes, a
// 100,000-byte line, a FIFO, a link loop; written through glibc's iconv, independent of the program's
// converters.
#pragma once

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <iconv.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace brenvik::test {

// text (UTF-8) in the named iconv code.
inline std::string Encoded(const std::string& text, const char* code)
{
    if (std::string(code) == "UTF-8")
        return text;
    iconv_t converter = ::iconv_open(code, "UTF-8");
    EXPECT_NE(converter, reinterpret_cast<iconv_t>(-1)) << code;
    std::string out(text.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    EXPECT_NE(::iconv(converter, &in, &inLeft, &outPtr, &outLeft), static_cast<std::size_t>(-1)) << code;
    // The shift back to ASCII a stateful code (JIS) ends with.
    ::iconv(converter, nullptr, nullptr, &outPtr, &outLeft);
    ::iconv_close(converter);
    out.resize(out.size() - outLeft);
    return out;
}

// A literal's bytes, NUL bytes included.
template <std::size_t N> std::string Bytes(const char (&literal)[N])
{
    return std::string(literal, N - 1);
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Lines of a CGI script with the traps the differential searches aim at.
// 7-bit JIS has no half-width kana: its scripts get the full-width line instead.
inline std::vector<std::string> ScriptLines(int seed, bool halfWidthKana = true)
{
    std::vector<std::string> lines = {
        "#!/usr/bin/perl",
        "# 管理者用の設定ファイル（ソフト表示）",
        "my $logfile = './data/log.txt';",
        "print \"管理者: $admin\\n\"; # 管理者 twice on one line",
        halfWidthKana ? "my $kana = 'ｶﾀｶﾅ ｶﾞｷﾞ カタカナ ガギ';" : "my $kana = 'カタカナ ガギ';",
        "my $wide = 'ＡＢＣ abc ABC ａｂｃ';",
        "print \"アイウ 表示 ソース 能力 予定\";",
        "open(LOG, \">>$logfile\") || die \"$logfile: $!\";",
        "$logfiles{x} = 1; # logfile as a word in a comment",
        "sub admin { return '管理者' . $_[0]; }",
    };
    for (int i = 0; i < seed % 5; ++i)
        lines.push_back("print \"行 " + std::to_string(i) + ": 管理 者 管理者" + std::string(i, ' ') + "\";");
    return lines;
}

inline std::string Joined(const std::vector<std::string>& lines, const std::string& breakText, bool mixed)
{
    static const char* const kBreaks[] = {"\r\n", "\r", "\n"};
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += lines[i] + (mixed ? std::string(kBreaks[i % 3]) : breakText);
    return text;
}

class TGrepTree {
public:
    TGrepTree()
    {
        EXPECT_TRUE(folder_.isValid());
        root_ = folder_.path().toStdString();
        const char* const codes[] = {"CP932", "EUC-JP", "ISO-2022-JP", "UTF-8"};
        const char* const names[] = {"sjis", "euc", "jis", "utf8"};
        const std::pair<const char*, const char*> breaks[] = {{"crlf", "\r\n"}, {"cr", "\r"}, {"lf", "\n"}};
        ::mkdir((root_ + "/cgi").c_str(), 0755);
        ::mkdir((root_ + "/cgi/lib").c_str(), 0755);
        int seed = 0;
        for (int code = 0; code < 4; ++code) {
            for (const auto& [breakName, breakText] : breaks) {
                const std::string text = Joined(ScriptLines(seed++, code != 2), breakText, false);
                WriteBytes(root_ + "/cgi/" + names[code] + "-" + breakName + ".cgi", Encoded(text, codes[code]));
            }
            WriteBytes(root_ + "/cgi/lib/" + names[code] + "-mixed.pl",
                Encoded(Joined(ScriptLines(seed++, code != 2), "", true), codes[code]));
        }
        WriteBytes(root_ + "/cgi/utf8-bom.cgi", "\xEF\xBB\xBF" + Joined(ScriptLines(7), "\n", false));
        // A line of 100,000 bytes with matches near both ends and a lone lead byte at the end of the file.
        const std::string longLine = Encoded("管理者", "CP932") + std::string(49990, 'x') + "$logfile"
            + std::string(49990, 'y') + Encoded("管理者", "CP932");
        WriteBytes(root_ + "/cgi/long.cgi", "print 1;\r\n" + longLine + "\r\n" + Encoded("表", "CP932") + "\x83");
        // NUL bytes: binary by the open command's rule, searched only when asked.
        WriteBytes(root_ + "/cgi/nul.dat",
            Encoded("管理者", "CP932") + Bytes("\0x $logfile\r\na\0$logfile\0\r\n$logfile\r\n"));
        WriteBytes(root_ + "/cgi/image.gif", Bytes("GIF89a\x01\x00\xff\xff $logfile ") + Encoded("管理者", "CP932"));
        WriteBytes(root_ + "/cgi/empty.txt", "");
        // Bytes that are no character in any code.
        WriteBytes(root_ + "/cgi/invalid.cgi", "$logfile \x85\x40 \xA0\xFD " + Encoded("管理者", "CP932") + "\r\n");
    }

    const std::string& Root() const { return root_; }
    std::string Path(const std::string& relative) const { return root_ + "/" + relative; }

    // A FIFO, a link to the tree's own top, and a link to nothing.
    void AddSpecials()
    {
        EXPECT_EQ(::mkfifo(Path("cgi/pipe.cgi").c_str(), 0644), 0);
        EXPECT_EQ(::symlink("..", Path("cgi/lib/loop").c_str()), 0);
        EXPECT_EQ(::symlink("nowhere.cgi", Path("cgi/dangling.cgi").c_str()), 0);
    }

private:
    QTemporaryDir folder_;
    std::string root_;
};

} // namespace brenvik::test
