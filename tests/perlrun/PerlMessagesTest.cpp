// Parsing perl's messages: places, continuation lines, trailers, the copy's name, quoted source
// in the script's code, and the "#!" line's switches.
#include "jcode/SjisUnicode.h"
#include "perlrun/PerlCommand.h"
#include "perlrun/PerlMessages.h"

#include <gtest/gtest.h>

namespace brenvik {
namespace {

TMessageSource Source()
{
    return {QByteArrayLiteral("/tmp/brenvik-run-Ab12/bbs.cgi"), QStringLiteral("bbs.cgi"), jcSjis, nullptr};
}

TEST(PerlMessagesTest, EveryFormFindsItsPlaceAndItsContinuations)
{
    const QByteArray errors = "Bareword found where operator expected (Missing operator before \"bar\"?) at /tmp/brenvik-run-Ab12/bbs.cgi line 2, near \"foo bar\"\n"
                              "syntax error at /tmp/brenvik-run-Ab12/bbs.cgi line 5, near \"1\n"
                              "print\"\n"
                              "Can't find string terminator '\"' anywhere before EOF at /tmp/brenvik-run-Ab12/bbs.cgi line 9.\n"
                              "  (Might be a runaway multi-line \"\" string starting on line 7)\n"
                              "Missing right curly or square bracket at ./lib/conf.pl line 12, at end of line\n"
                              "Died at (eval 3) line 1, <STDIN> line 4.\n"
                              "Can't open perl script \"x\": No such file or directory\n"
                              "BEGIN failed--compilation aborted at /tmp/brenvik-run-Ab12/bbs.cgi line 3.\n"
                              "/tmp/brenvik-run-Ab12/bbs.cgi had compilation errors.\n";
    const TCheckReport report = ParseCheckMessages(errors, Source(), 255);
    struct TExpected {
        int Line;
        const char* File;
        bool InScript;
        bool Trailer;
        const char* Start;
    };
    const TExpected expected[] = {
        {2, "bbs.cgi", true, false, "Bareword found"},
        {5, "bbs.cgi", true, false, "syntax error at bbs.cgi line 5, near \"1\nprint\""},
        {9, "bbs.cgi", true, false, "Can't find string terminator"},
        {12, "./lib/conf.pl", false, false, "Missing right curly"},
        {1, "(eval 3)", false, false, "Died"},
        {0, "", false, false, "Can't open perl script"},
        {3, "bbs.cgi", true, true, "BEGIN failed"},
        {0, "", false, true, "bbs.cgi had compilation errors."},
    };
    ASSERT_EQ(report.Messages.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const TPerlMessage& message = report.Messages[i];
        SCOPED_TRACE(message.Text.toStdString());
        EXPECT_EQ(message.Line, expected[i].Line);
        EXPECT_EQ(message.File, QString::fromUtf8(expected[i].File));
        EXPECT_EQ(message.InScript, expected[i].InScript);
        EXPECT_EQ(message.Trailer, expected[i].Trailer);
        EXPECT_TRUE(message.Text.startsWith(QString::fromUtf8(expected[i].Start)));
    }
    EXPECT_TRUE(report.Messages[2].Text.endsWith(QLatin1String("starting on line 7)"))) << "the hint joins its message";
    EXPECT_FALSE(report.SyntaxOk);
    EXPECT_EQ(report.Summary(), QStringLiteral("構文エラー 6 件"));
}

TEST(PerlMessagesTest, SyntaxOkNeedsBothTheLineAndASuccessfulExit)
{
    const QByteArray ok = "Name \"main::x\" used only once: possible typo at /tmp/brenvik-run-Ab12/bbs.cgi line 3.\n"
                          "/tmp/brenvik-run-Ab12/bbs.cgi syntax OK\n";
    TCheckReport report = ParseCheckMessages(ok, Source(), 0);
    EXPECT_TRUE(report.SyntaxOk);
    EXPECT_EQ(report.Summary(), QStringLiteral("構文OK (警告 1 件)"));
    EXPECT_EQ(report.Messages.back().Text, QStringLiteral("bbs.cgi syntax OK"));
    EXPECT_FALSE(ParseCheckMessages(ok, Source(), 9).SyntaxOk) << "killed or failed after printing it";
    EXPECT_EQ(ParseCheckMessages("/tmp/brenvik-run-Ab12/bbs.cgi syntax OK\n", Source(), 0).Summary(), QStringLiteral("構文OK"));
}

TEST(PerlMessagesTest, QuotedSourceReadsInTheScriptsCodeWhileNamesStayTheFileSystems)
{
    // A Japanese script name (UTF-8 on disk) and a Shift_JIS quote in one message.
    TMessageSource source {QByteArrayLiteral("/tmp/r/\xE6\x8E\xB2\xE7\xA4\xBA.cgi"), QStringLiteral("掲示.cgi"), jcSjis, nullptr};
    const QByteArray quote = QByteArray::fromStdString(*UnicodeToSjis(QStringLiteral("表示")));
    const QByteArray errors = "syntax error at /tmp/r/\xE6\x8E\xB2\xE7\xA4\xBA.cgi line 4, near \"" + quote + "\"\n";
    const TCheckReport report = ParseCheckMessages(errors, source, 255);
    ASSERT_EQ(report.Messages.size(), 1u);
    EXPECT_EQ(report.Messages[0].Text, QStringLiteral("syntax error at 掲示.cgi line 4, near \"表示\""));
    EXPECT_TRUE(report.Messages[0].InScript);
    EXPECT_EQ(DecodeMessages(errors, source), report.Messages[0].Text + QLatin1Char('\n'));
}

TEST(PerlMessagesTest, APlaceInsideTheQuotedSourceIsNotTheMessagesPlace)
{
    const QByteArray errors = "syntax error at /tmp/brenvik-run-Ab12/bbs.cgi line 8, near \"die at x line 99\"\n";
    const TCheckReport report = ParseCheckMessages(errors, Source(), 255);
    ASSERT_EQ(report.Messages.size(), 1u);
    EXPECT_EQ(report.Messages[0].Line, 8);
}

TEST(PerlMessagesTest, ShebangSwitchesThatPerlMustSeeOnItsCommandLine)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"#!/usr/bin/perl -wT", {QStringLiteral("-wT")}},
        {"#!/usr/local/bin/perl5 -w -T\r", {QStringLiteral("-w"), QStringLiteral("-T")}},
        {"#! /usr/bin/perl -s -Mstrict -t", {QStringLiteral("-s"), QStringLiteral("-t")}},
        {"#!/usr/bin/env perl -w", {QStringLiteral("-w")}},
        {"#!/usr/bin/perl -w script args -T", {QStringLiteral("-w")}},
        {"#!/usr/bin/perl", {}},
        {"#!/bin/sh -x", {}},
        {"# perl -T", {}},
    };
    for (const auto& [line, switches] : cases)
        EXPECT_EQ(ShebangSwitches(line), switches) << line;
}

} // namespace
} // namespace brenvik
