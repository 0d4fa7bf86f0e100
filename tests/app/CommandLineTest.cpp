// The program's command line: options, files, "--" and unknown options.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace brenvik {
namespace {

TEST(CommandLine, OptionsEndAtTheFirstFileOrAtDoubleDash)
{
    EXPECT_EQ(ParseCommandLine({}).Action, TCommandLine::caRun);
    EXPECT_EQ(ParseCommandLine({"--help", "a.cgi"}).Action, TCommandLine::caHelp);
    EXPECT_EQ(ParseCommandLine({"--version"}).Action, TCommandLine::caVersion);

    const TCommandLine files = ParseCommandLine({"a.cgi", "--help", "-"});
    EXPECT_EQ(files.Action, TCommandLine::caRun);
    EXPECT_EQ(files.Files, (QStringList {"a.cgi", "--help", "-"}));

    const TCommandLine dashed = ParseCommandLine({"--", "--version", "b.pl"});
    EXPECT_EQ(dashed.Action, TCommandLine::caRun);
    EXPECT_EQ(dashed.Files, (QStringList {"--version", "b.pl"}));
}

TEST(CommandLine, AnUnknownOptionIsAUsageErrorNamingIt)
{
    const TCommandLine bad = ParseCommandLine({"--hepl", "a.cgi"});
    EXPECT_EQ(bad.Action, TCommandLine::caUsageError);
    EXPECT_EQ(bad.BadOption, QStringLiteral("--hepl"));
    EXPECT_TRUE(bad.Files.isEmpty());
}

TEST(CommandLine, PlusLineAndColumnPlaceTheCaretInTheFirstFile)
{
    const TCommandLine both = ParseCommandLine({"+12:5", "a.cgi", "b.cgi"});
    EXPECT_EQ(both.Action, TCommandLine::caRun);
    EXPECT_EQ(both.GoLine, 12);
    EXPECT_EQ(both.GoColumn, 5);
    EXPECT_EQ(both.Files, (QStringList {"a.cgi", "b.cgi"}));
    const TCommandLine line = ParseCommandLine({"+7", "a.cgi"});
    EXPECT_EQ(line.GoLine, 7);
    EXPECT_EQ(line.GoColumn, 1);
    // Anything else starting with "+" is a file, and so is a position after the first file.
    for (const char* file : {"+0", "+x", "+3:", "+1:0"}) {
        const TCommandLine named = ParseCommandLine({file});
        EXPECT_EQ(named.GoLine, 0) << file;
        EXPECT_EQ(named.Files, QStringList {QString::fromLatin1(file)}) << file;
    }
    EXPECT_EQ(ParseCommandLine({"a.cgi", "+3"}).GoLine, 0);
    EXPECT_TRUE(UsageText().contains(QStringLiteral("+行[:桁]")));
}

TEST(CommandLine, RecoverTakesTheNextArgumentAndNeedsOne)
{
    const TCommandLine recover = ParseCommandLine({"--recover", "--x.recovery", "a.cgi"});
    EXPECT_EQ(recover.Action, TCommandLine::caRun);
    EXPECT_EQ(recover.Recover, QStringLiteral("--x.recovery"));
    EXPECT_EQ(recover.Files, QStringList {"a.cgi"});
    const TCommandLine missing = ParseCommandLine({"--recover"});
    EXPECT_EQ(missing.Action, TCommandLine::caUsageError);
    EXPECT_EQ(missing.BadOption, QStringLiteral("--recover"));
}

} // namespace
} // namespace brenvik
