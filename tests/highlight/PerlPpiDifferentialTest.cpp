// The grammar's reading of each line against PPI's, the static Perl tokenizer (Debian libppi-perl,
// tools/packages.txt): inside a here-document, inside a string or pattern continued from an earlier
// line, POD, data or code. ppi-lines.pl prints PPI's reading; the samples of the project and
// generated scripts mixing every construct are read with and without word wrap, in CR LF and LF.
#include "highlight/ConfiguredFountains.h"
#include "highlight/FountainRowStateScanner.h"
#include "highlight/PERLFountain.h"
#include "highlight/PERLFountainParser.h"
#include "highlight/RowTokenizer.h"
#include "support/LineBreaks.h"
#include "text/EditorScreenStrings.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace brenvik::test {
namespace {

const QString kSourceDir = QStringLiteral(BRENVIK_TEST_DATA "/../..");

// Where PPI reads differently from Perl, and the grammar follows Perl: from the first line holding
// Trigger on, the lines are not compared.
struct TPpiFault {
    const char* Trigger;
    const char* Reason;
};
const TPpiFault kPpiFaults[] = {
    {"{__END__}", "PPI ends the script at __END__ as a hash key; Perl reads $h{__END__} as the key "
                  "'__END__' (tried with perl 5.36) and goes on"},
};

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    ForEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

// The grammar's reading of every logical line of text, the rows wrapped at wrap bytes (0: no wrap).
std::vector<std::string> GrammarReading(const std::string& text, int wrap)
{
    TPERLFountain fountain;
    ConfigurePERLFountain(fountain);
    TEditorScreenStrings rows;
    if (wrap > 0) {
        rows.WrapOption().SetWrapByte(wrap);
        rows.SetWordWrap(true);
    }
    rows.LoadLines([&text](const TLineSink& sink) { ForEachLine(text, sink); }, EndsWithLineBreak(text));
    std::vector<std::string> reading;
    if (rows.Count() == 0)
        return reading;
    TFountainRowStateScanner scanner(fountain);
    rows.ScanRowStates(scanner, 0, rows.Count() - 1, RowTokenState::FirstRow());
    auto parser = fountain.CreateParser();
    parser->UseContexts(rows.Contexts());
    std::string joined;
    for (int row = 0; row < rows.Count(); ++row) {
        if (row > 0 && rows.RowAttribute(row - 1) == raWrapped)
            continue;
        const RowTokenState state = rows.RowState(row);
        const TPerlOpenConstructs open = TPerlOpenConstructs::Decode(rows.Contexts().At(state.Context));
        if (open.InBody && !open.HereDocuments.empty()) {
            reading.emplace_back("heredoc");
            continue;
        }
        if (open.QuoteOpen) {
            reading.emplace_back("string");
            continue;
        }
        // Else the first token tells: a line may begin POD or the data section, or POD after __END__.
        TRowTokenizer tokens(*parser, joined);
        const bool wrapped = rows.RowAttribute(row) == raWrapped && row + 1 < rows.Count();
        tokens.Begin(rows.Strings(row), wrapped ? rows.Strings(row + 1) : std::string_view(), state);
        TRowToken first;
        const int kind = tokens.Next(first) ? first.Kind : tkEnd;
        if (kind == tkPod || (kind == tkEnd && open.Pod))
            reading.emplace_back("pod");
        else if (kind == tkDataSection || (kind == tkEnd && open.DataSection))
            reading.emplace_back("data");
        else
            reading.emplace_back("code");
    }
    return reading;
}

// PPI's reading, or a failure when perl or PPI is missing or PPI cannot read the script.
std::vector<std::string> PpiReading(const std::string& text)
{
    QTemporaryDir dir;
    EXPECT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("script.cgi")));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
    file.close();
    QProcess perl;
    perl.start(QStringLiteral("perl"), {kSourceDir + "/tests/highlight/ppi-lines.pl", file.fileName()});
    if (!perl.waitForFinished(60000) || perl.exitStatus() != QProcess::NormalExit || perl.exitCode() != 0) {
        ADD_FAILURE() << "perl with PPI failed (install libppi-perl, tools/packages.txt): "
                      << perl.readAllStandardError().toStdString();
        return {};
    }
    return SplitLines(perl.readAllStandardOutput().toStdString());
}

// Every line's reading agrees, but for the listed PPI faults.
void ExpectTheReadingsAgree(const std::string& name, const std::string& text, const std::vector<int>& wraps)
{
    const std::vector<std::string> ppi = PpiReading(text);
    if (ppi.empty() && !text.empty())
        return;
    const std::vector<std::string> lines = SplitLines(text);
    size_t compared = lines.size();
    for (const TPpiFault& fault : kPpiFaults) {
        for (size_t line = 0; line < compared; ++line) {
            if (lines[line].find(fault.Trigger) != std::string::npos)
                compared = line;
        }
    }
    ASSERT_EQ(ppi.size(), lines.size()) << name;
    for (const int wrap : wraps) {
        const std::vector<std::string> grammar = GrammarReading(text, wrap);
        ASSERT_EQ(grammar.size(), lines.size()) << name << " wrapped at " << wrap;
        int differences = 0;
        for (size_t line = 0; line < compared && differences < 10; ++line) {
            if (grammar[line] != ppi[line]) {
                ++differences;
                ADD_FAILURE() << name << " wrapped at " << wrap << ", line " << line + 1 << ": grammar "
                              << grammar[line] << ", PPI " << ppi[line] << ": " << lines[line];
            }
        }
    }
}

std::string ReadFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

TEST(PerlPpiDifferential, TheProjectsSamplesReadAsPpiReadsThem)
{
    for (const char* sample : {"examples/keijiban.cgi", "tests/data/highlight/keijiban.pl",
             "tests/data/highlight/heredoc.cgi", "tests/data/highlight/pod.pl", "tests/data/highlight/quotelike.pl",
             "tests/data/highlight/strings.pl", "tests/data/jcode/board.sjis.crlf.txt"})
        ExpectTheReadingsAgree(sample, ReadFile(kSourceDir + "/" + sample), {0, 20, 41});
}

// Statements of every construct the grammar carries over line ends, in Shift_JIS; each is whole
// Perl, so that any order of them is a script Perl and PPI can read.
const std::vector<std::string>& Statements()
{
    static const std::vector<std::string> statements = {
        // Strings of each kind over lines, with variables, escapes and Japanese.
        "$acomment = '<font color=ffffff>\x93\x6f\x98\x5e\x82\xb5\x82\xc4<br>\n"
        "\x8c\xbb\x8d\xdd\x82\xcd" "25\x83\x8c\x81\x5b\x83\x58</font>';\n"
        "# \x83\x5e\x83\x43\x83\x67\x83\x8b\x89\xba\x82\xcc\x83\x52\x83\x81\x83\x93\x83\x67\n",
        "print \"<td>$name</td>\n<td>@list \\\" \\\\\" . $next;\n",
        "$cmd = `ls\n-l $dir`;\n",
        "@w = qw(a b\n  c (d) e\n);\n",
        "$q = qq{a {b}\n$c} . q|x\ny|;\n",
        "$x =~ s{a\nb}\n  {c $d\n}gx;\n",
        "$y =~ m/a\nb/i and $z =~ tr/a-z\n/A-Z/;\n",
        "$r = $a / $b / 2; @p = split /,/, $line;\n",
        "$s = 'it''s' . \"a\\\"b\" . 'c\\'d' . \"e\\\\\";\n",
        // A backslash at the line end escapes the line break.
        "$t = \"abc\\\ndef\" . 'x\\\ny';\n",
        // What looks like POD, a here-document or the end inside a string is text.
        "$p = \"\n=head1 not pod\n\";\n",
        "$e = '\n__END__\n';\n",
        "$h = \"<<EOM\n# not a comment\nEOM\";\n",
        // Characters whose trail byte 0x5C Perl reads as a backslash.
        "$k = \"\x95\x5c\";\nprint 2; # \"\n",
        "$l = '\x83\x5c';\n';\n",
        "$m = \"\x95\x5c\x8e\xa6 \x94\x5c\x97\xcd\";\n",
        // Here-documents of each kind, two on a line, with quotes in their bodies.
        "print <<EOM;\nIt's \"$name\" \x95\x5c\nEOM\n",
        "print <<'RAW', <<\"INT\";\n'$x' \"\nRAW\n$y '\nINT\n",
        "    print <<~IND;\n        a ' b\n        IND\n",
        "print <<EOM . 'tail\nEOM\n';\n",
        // POD and comments.
        "=head1 \x96\xbc\x91\x4f\n\nit's \"x\n\n=cut\n",
        "# it's \"open\n",
        "my $n = 1; # 'x\n",
        // Code around strings: comments and slashes inside them, divisions after them, lists over lines.
        "$u = \"a # b\nc/d\" / 2 + length('e\n') / 3;\n",
        "%opt = (a => 'b',\n  c => \"d\", e => q(f\n));\n",
        "$v = $w =~ /\\// ? $h{'k'} : $h{\"l\"}; $s = $n << 2;\n",
        "$x =~ s'a'b'; $y = qr{x\n}i; @z = map { m{^/} } @q;\n",
        "print \"@{[ $x ]} $#list $$\n\";\n",
        "print $q->header(-charset => 'Shift_JIS'),\n  \"<br>\";\n",
    };
    return statements;
}

std::string Generated(unsigned seed, int count, bool crlf)
{
    std::mt19937 random(seed);
    std::string text = "#!/usr/bin/perl\n";
    for (int i = 0; i < count; ++i)
        text += Statements()[random() % Statements().size()];
    if (seed % 2 == 0)
        text += std::string(seed % 4 == 0 ? "__END__" : "__DATA__") + "\ndata 'x\n\"y\n=head1 z\n\n=cut\n";
    if (!crlf)
        return text;
    std::string converted;
    for (const char c : text) {
        if (c == '\n')
            converted += '\r';
        converted += c;
    }
    return converted;
}

TEST(PerlPpiDifferential, GeneratedScriptsMixingEveryConstructReadAsPpiReadsThem)
{
    // Each statement once, then random mixes, in both line ends.
    std::string every = "#!/usr/bin/perl\n";
    for (const std::string& statement : Statements())
        every += statement;
    ExpectTheReadingsAgree("every statement", every, {0, 20, 33});
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const bool crlf = seed % 3 == 0;
        ExpectTheReadingsAgree("seed " + std::to_string(seed) + (crlf ? " CR LF" : " LF"),
            Generated(seed, 60, crlf), {0, 20, 57});
    }
}

} // namespace
} // namespace brenvik::test
