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
