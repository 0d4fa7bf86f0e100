// The builder's four forms: the exact statements, and what perl prints when it runs them.
#include "app/PrintStatements.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

using Lines = std::vector<std::string>;

std::string Build(const Lines& lines, TPrintForm form, std::string_view alignment = {})
{
    return PrintStatements(lines, form, alignment);
}

TEST(PrintStatementsTest, OneLineFormsQuoteTheirOwnQuoteAndEndTheLineWithABreak)
{
    const Lines lines {"ab", "a\"b'c"};
    EXPECT_EQ(Build(lines, TPrintForm::pfDoubleQuoted, "\t  "),
        "print \"ab\\n\" ;\r\n\t  print \"a\\\"b'c\\n\" ;\r\n");
    // Single quotes know no "\n": the break is a double-quoted string of its own.
    EXPECT_EQ(Build(lines, TPrintForm::pfSingleQuoted, " "),
        "print 'ab' . \"\\n\" ;\r\n print 'a\"b\\'c' . \"\\n\" ;\r\n");
    EXPECT_EQ(Build({""}, TPrintForm::pfDoubleQuoted), "print \"\\n\" ;\r\n");
}

TEST(PrintStatementsTest, NoLinesGiveNoStatementsAndAFinalBreakAddsNoLine)
{
    for (TPrintForm form : {TPrintForm::pfDoubleQuoted, TPrintForm::pfSingleQuoted, TPrintForm::pfHereDouble,
             TPrintForm::pfHereSingle})
        EXPECT_EQ(Build(BuilderLines(""), form), "");
    EXPECT_EQ(BuilderLines("a\r\nb\r\n"), (Lines {"a", "b"}));
    EXPECT_EQ(BuilderLines("a\r\n\r\n"), (Lines {"a", ""}));
    EXPECT_EQ(BuilderLines("a\nb\rc"), (Lines {"a", "b", "c"}));
}

TEST(PrintStatementsTest, HereDocumentsNeverIndentAndPickATerminatorNoBodyLineEquals)
{
    EXPECT_EQ(
        Build({"<p>", "  x"}, TPrintForm::pfHereDouble, "\t"), "print <<\"EOM\";\r\n<p>\r\n  x\r\nEOM\r\n");
    EXPECT_EQ(Build({"EOM", "a"}, TPrintForm::pfHereSingle), "print <<'EOM1';\r\nEOM\r\na\r\nEOM1\r\n");
    EXPECT_EQ(HereDocTerminator({"EOM1", "EOM", "EOM2 "}), "EOM2");
    EXPECT_EQ(HereDocTerminator({"EOM "}), "EOM");
}

TEST(PrintStatementsTest, TrailByte5CIsDoubledInAllButTheLiteralHereDocument)
{
    const Lines so {"\x83\x5C"}; // ソ
    EXPECT_EQ(Build(so, TPrintForm::pfDoubleQuoted), "print \"\x83\x5C\x5C\\n\" ;\r\n");
    EXPECT_EQ(Build(so, TPrintForm::pfSingleQuoted), "print '\x83\x5C\x5C' . \"\\n\" ;\r\n");
    EXPECT_EQ(Build(so, TPrintForm::pfHereDouble), "print <<\"EOM\";\r\n\x83\x5C\x5C\r\nEOM\r\n");
    EXPECT_EQ(Build(so, TPrintForm::pfHereSingle), "print <<'EOM';\r\n\x83\x5C\r\nEOM\r\n");
}

TEST(PrintStatementsTest, TrailByte40BeforeANameGetsAnEmptyQuotemetaInInterpolatingForms)
{
    const std::string space = "\x81\x40"; // 　
    EXPECT_EQ(
        Build({space + "abc"}, TPrintForm::pfDoubleQuoted), "print \"" + space + "\\Q\\Eabc\\n\" ;\r\n");
    EXPECT_EQ(Build({space + "$x"}, TPrintForm::pfHereDouble),
        "print <<\"EOM\";\r\n" + space + "\\Q\\E$x\r\nEOM\r\n");
    // A blank, a lead byte or the line end cannot start a name.
    EXPECT_EQ(Build({space + " a" + space + space}, TPrintForm::pfDoubleQuoted),
        "print \"" + space + " a" + space + space + "\\n\" ;\r\n");
    EXPECT_EQ(Build({space + "abc"}, TPrintForm::pfSingleQuoted), "print '" + space + "abc' . \"\\n\" ;\r\n");
}

TEST(PrintStatementsTest, QuotesTheUserEscapedAndOddBackslashRunsAtTheEnd)
{
    EXPECT_EQ(Build({"alert(\\\"x\\\")"}, TPrintForm::pfDoubleQuoted), "print \"alert(\\\"x\\\")\\n\" ;\r\n");
    // An even run escapes itself: the quote still needs its backslash.
    EXPECT_EQ(Build({"\\\\\""}, TPrintForm::pfDoubleQuoted), "print \"\\\\\\\"\\n\" ;\r\n");
    EXPECT_EQ(Build({"end\\"}, TPrintForm::pfDoubleQuoted), "print \"end\\\\\\n\" ;\r\n");
    EXPECT_EQ(Build({"end\\\\"}, TPrintForm::pfDoubleQuoted), "print \"end\\\\\\n\" ;\r\n");
    EXPECT_EQ(Build({"end\\"}, TPrintForm::pfHereDouble), "print <<\"EOM\";\r\nend\\\\\r\nEOM\r\n");
    // Single quotes: every backslash doubled, so the line prints as it is.
    EXPECT_EQ(Build({"a\\'b\\"}, TPrintForm::pfSingleQuoted), "print 'a\\\\\\'b\\\\' . \"\\n\" ;\r\n");
    // A lead byte before a quote makes no pair (0x22 is no trail byte): the quote is escaped.
    EXPECT_EQ(Build({"\x83\""}, TPrintForm::pfDoubleQuoted), "print \"\x83\\\"\\n\" ;\r\n");
}

// Runs perl on a CR LF script under strict and warnings; stdout bytes, and stderr.
struct TPerlRun {
    QByteArray Out;
    QByteArray Err;
};

TPerlRun RunPerl(const QTemporaryDir& dir, const std::string& statements)
{
    const QString path = dir.filePath(QStringLiteral("t.cgi"));
    QFile script(path);
    EXPECT_TRUE(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
    script.write("use strict;\r\nuse warnings;\r\nmy $x = 'X';\r\nbinmode STDOUT;\r\n");
    script.write(statements.data(), static_cast<qint64>(statements.size()));
    script.close();
    QProcess perl;
    perl.start(QStringLiteral("perl"), {path});
    EXPECT_TRUE(perl.waitForFinished(30000));
    return {perl.readAllStandardOutput(), perl.readAllStandardError()};
}

TEST(PrintStatementsTest, PerlPrintsLiteralFormsExactlyAndInterpolatingFormsAsItReadsTheLine)
{
    if (QStandardPaths::findExecutable(QStringLiteral("perl")).isEmpty())
        GTEST_SKIP() << "perl is not installed";
    // Each line, and what a double-quoted Perl string of it prints with $x = 'X'.
    const struct {
        std::string Line;
        std::string Interpolated;
    } samples[] = {
        {"<p class=\"a\">it's</p>", "<p class=\"a\">it's</p>"},
        {"v=$x; w=\\$x", "v=X; w=$x"},
        {"a\\tb", "a\tb"},
        {"alert(\\\"x\\\")", "alert(\"x\")"},
        {"end\\", "end\\"},
        {"\\\\\"", "\\\""},
        {"\x83\x5C", "\x83\x5C"}, // ソ at the end
        {"\x95\x5C\x8E\xA6", "\x95\x5C\x8E\xA6"}, // 表示
        {"\x8F\x5C\"q\" \x83\x5C'", "\x8F\x5C\"q\" \x83\x5C'"}, // 十 and ソ before quotes
        {"\x81\x40"
         "abc",
            "\x81\x40"
            "abc"}, // 　abc
        {"\x81\x40$x", "\x81\x40X"}, // 　$x
        {"EOM", "EOM"},
        {"ab\x83", "ab\x83"}, // a lead byte at the end
        {"\x83\"", "\x83\""}, // a lead byte before a quote
        {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"", ""},
    };
    Lines lines;
    std::string literal;
    std::string interpolated;
    for (const auto& sample : samples) {
        lines.push_back(sample.Line);
        literal += sample.Line + "\n";
        interpolated += sample.Interpolated + "\n";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct {
        TPrintForm Form;
        const std::string& Expected;
    } forms[] = {{TPrintForm::pfDoubleQuoted, interpolated}, {TPrintForm::pfSingleQuoted, literal},
        {TPrintForm::pfHereDouble, interpolated}, {TPrintForm::pfHereSingle, literal}};
    for (const auto& form : forms) {
        const TPerlRun run = RunPerl(dir, Build(lines, form.Form, "    "));
        EXPECT_EQ(run.Out.toStdString(), form.Expected) << "form " << static_cast<int>(form.Form);
        EXPECT_EQ(run.Err.toStdString(), "") << "form " << static_cast<int>(form.Form);
    }
}

} // namespace
} // namespace brenvik
