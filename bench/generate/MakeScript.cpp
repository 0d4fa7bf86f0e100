// Writes a large Perl CGI script in Shift_JIS with CR LF line ends, the input
// of every benchmark: Japanese comments and strings, tabs, subroutines, here
// documents of HTML, substitutions, word lists and POD blocks. The same
// arguments always give the same bytes.
//
//   make_script OUTPUT [LINES]     (LINES defaults to 1,000,000: about 32 MB)
#include <QStringEncoder>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Lines of a typical Japanese CGI script; %d is replaced by a running number. A
// template of several lines (a here-document, a POD block) is written whole.
const char* const kTemplates[] = {
    "#!/usr/local/bin/perl",
    "# 掲示板スクリプト 設定部分 %d",
    "require './jcode.pl';",
    "$title = \"日本語の掲示板%d\";",
    "my @list = ('りんご', 'みかん', 'ぶどう');",
    "my %hash = (name => '山田太郎', age => %d);",
    "sub print_header_%d {",
    "\tprint \"Content-type: text/html\\n\\n\";",
    "\tprint \"<html><head><title>$title</title></head>\\n\";",
    "\t# ヘッダを出力する（全角スペース　を含む）",
    "\tif ($FORM{'mode'} eq 'write') { &write_log; }",
    "\t$count++; # アクセス数を数える",
    "\tforeach $line (@lines) {",
    "\t\t($name, $mail, $msg) = split(/<>/, $line);",
    "\t\t$msg =~ s/\\n/<br>/g;",
    "\t\tprint \"<p>$nameさんの書き込み：$msg</p>\\n\";",
    "\t}",
    "\treturn 1;",
    "}",
    "",
    "open(IN, \"$logfile\") || &error(\"ログファイルが開けません\");",
    "@data = <IN>; close(IN);",
    "$str = 'ﾊﾝｶｸｶﾀｶﾅのテキスト%d';",
    "print <<\"EOT\";\n<table border=\"1\"><tr><td>名前</td><td>$name</td></tr></table>\nEOT",
    "print <<'HTML';\n<p class='note'>'引用' と 100%% の $なし</p>\nHTML",
    "\t$str =~ s{<(\\w+)>}{&lt;$1&gt;}g;",
    "my @words = qw(りんご みかん ぶどう %d);",
    "=head1 説明 %d\n\nこのスクリプトは掲示板を表示します。\n\n=cut",
    "$value = 0x%dFF + 3.14 * $rate;",
    "exit;",
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_script OUTPUT [LINES]\n");
        return 2;
    }
    const long lines = argc > 2 ? std::atol(argv[2]) : 1000000;
    QStringEncoder encoder("windows-31j");
    std::vector<std::string> templates;
    for (const char* t : kTemplates) {
        QByteArray bytes = encoder.encode(QString::fromUtf8(t));
        templates.emplace_back(bytes.constData(), bytes.size());
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::string buffer;
    unsigned seed = 12345;
    char number[16];
    for (long i = 0; i < lines;) {
        seed = seed * 1103515245u + 12345u;
        const std::string& t = templates[(seed >> 16) % templates.size()];
        std::snprintf(number, sizeof number, "%ld", i % 100000);
        for (size_t p = 0; p < t.size() && i < lines; ++p) {
            if (t[p] == '%' && p + 1 < t.size() && t[p + 1] == 'd') {
                buffer += number;
                ++p;
            } else if (t[p] == '%' && p + 1 < t.size() && t[p + 1] == '%') {
                buffer += '%';
                ++p;
            } else if (t[p] == '\n') {
                buffer += "\r\n";
                ++i;
            } else {
                buffer += t[p];
            }
        }
        if (i < lines) {
            buffer += "\r\n";
            ++i;
        }
        if (buffer.size() > (1u << 20)) {
            std::fwrite(buffer.data(), 1, buffer.size(), out);
            buffer.clear();
        }
    }
    std::fwrite(buffer.data(), 1, buffer.size(), out);
    return std::fclose(out) == 0 ? 0 : 1;
}
