// The CGI run: the request a server would make of the form (fields encoded in the script's
// code, as a browser sends them), the response read as a server reads it, and a Shift_JIS
// script run with GET and POST whose page shows the right characters.
#include "PerlRunSupport.h"

#include "jcode/JConvert.h"
#include "jcode/SjisUnicode.h"
#include "perlrun/CgiRequest.h"
#include "perlrun/CgiResponse.h"
#include "perlrun/RunOptions.h"

#include <QSettings>

namespace brenvik {
namespace {

QByteArray Sjis(const QString& text)
{
    return QByteArray::fromStdString(UnicodeToSjis(text).value_or(""));
}

// Decodes its form (from the query or the body) by hand, as the CGI scripts of old do, and prints
// the page in Shift_JIS with what it got.
QByteArray FormScript()
{
    return Sjis(QStringLiteral(
        "#!/usr/bin/perl\n"
        "my $in = $ENV{REQUEST_METHOD} eq 'POST' ? do { read(STDIN, my $b, $ENV{CONTENT_LENGTH}); $b } : $ENV{QUERY_STRING};\n"
        "my %f;\n"
        "for (split /&/, $in) { my ($k, $v) = split /=/, $_, 2; $v =~ tr/+/ /; $v =~ s/%([0-9A-Fa-f]{2})/chr hex $1/ge; $f{$k} = $v; }\n"
        "print \"Content-Type: text/html; charset=Shift_JIS\\n\\n\";\n"
        // Single quotes: in double quotes the trail byte 0x5C of 表 would escape the next byte.
        "print '<p>表示: ', \"$f{name}|$f{note}</p><p>$ENV{REQUEST_METHOD} $ENV{HTTP_COOKIE} $ENV{SCRIPT_NAME} $ENV{MY_VAR}</p>\";\n"));
}

TEST(CgiTest, AShiftJisScriptGetsItsFieldsWithGetAndPostAndItsPageReadsRight)
{
    test::TScriptOnDisk script(QStringLiteral("form.cgi"), FormScript());
    TCgiForm form;
    form.Fields = {{QStringLiteral("name"), QStringLiteral("山田 表示")}, {QStringLiteral("note"), QStringLiteral("a&b=c%+")}};
    form.Cookie = QStringLiteral("id=7");
    form.Extra = QStringLiteral("MY_VAR=ok\n");
    TCgiTarget target;
    target.ScriptPath = script.Path;
    target.Code = script.Document.DocumentJCode();
    ASSERT_EQ(target.Code, jcSjis);
    for (const bool post : {false, true}) {
        form.Post = post;
        const TCgiRequestBuild build = BuildCgiRequest(form, target);
        ASSERT_TRUE(build.Request) << build.Error.toStdString();
        TScriptRun run;
        const auto result = test::RunAndWait(run, TRunKind::Cgi, script.Document, {}, &*build.Request);
        ASSERT_TRUE(result && result->Ended()) << result->Errors.toStdString();
        const TCgiResponse response = ParseCgiOutput(result->Output, jcSjis);
        EXPECT_EQ(response.StatusLine(), QStringLiteral("200 OK"));
        EXPECT_TRUE(response.CodeFromCharset);
        EXPECT_EQ(response.BodyText, QStringLiteral("<p>表示: 山田 表示|a&b=c%+</p><p>%1 id=7 /form.cgi ok</p>")
                                         .arg(post ? QStringLiteral("POST") : QStringLiteral("GET")));
    }
}

TEST(CgiTest, FieldsAreEncodedInTheScriptsCodeAsABrowserSendsThem)
{
    TCgiForm form;
    form.Query = QStringLiteral("mode=list");
    form.Fields = {{QStringLiteral("q"), QStringLiteral("表 a~*")}};
    TCgiTarget target;
    target.ScriptPath = QStringLiteral("/srv/cgi/bbs.cgi");
    const std::pair<JCode, QString> codes[] = {{jcSjis, QStringLiteral("%95%5C+a%7E*")},
        {jcEuc, QStringLiteral("%C9%BD+a%7E*")}, {jcUtf8, QStringLiteral("%E8%A1%A8+a%7E*")},
        {jcJis, QStringLiteral("%1B%24BI%3D%1B%28J+a%7E*")}};
    for (const auto& [code, encoded] : codes) {
        target.Code = code;
        const TCgiRequestBuild build = BuildCgiRequest(form, target);
        ASSERT_TRUE(build.Request);
        EXPECT_EQ(build.Request->Environment.value(QStringLiteral("QUERY_STRING")), QStringLiteral("mode=list&q=") + encoded)
            << code;
        EXPECT_TRUE(build.Request->Input.isEmpty());
    }
    target.Code = jcUtf8;
    const QProcessEnvironment environment = BuildCgiRequest(form, target).Request->Environment;
    EXPECT_EQ(environment.value(QStringLiteral("SCRIPT_FILENAME")), QStringLiteral("/srv/cgi/bbs.cgi"));
    EXPECT_EQ(environment.value(QStringLiteral("REQUEST_URI")), QStringLiteral("/bbs.cgi?mode=list&q=%E8%A1%A8+a%7E*"));
    EXPECT_FALSE(environment.contains(QStringLiteral("CONTENT_LENGTH")));

    form.Post = true;
    form.Fields.push_back({QStringLiteral("x"), QStringLiteral("€")});
    target.Code = jcSjis;
    const TCgiRequestBuild refused = BuildCgiRequest(form, target);
    EXPECT_FALSE(refused.Request) << "the euro sign has no Shift_JIS form";
    EXPECT_TRUE(refused.Error.contains(QStringLiteral("項目「x」")));

    form.Fields.pop_back();
    const TCgiRequest post = *BuildCgiRequest(form, target).Request;
    EXPECT_EQ(post.Input, "q=%95%5C+a%7E*");
    EXPECT_EQ(post.Environment.value(QStringLiteral("CONTENT_LENGTH")), QStringLiteral("14"));
    EXPECT_EQ(post.Environment.value(QStringLiteral("QUERY_STRING")), QStringLiteral("mode=list"));
    form.Extra = QStringLiteral("NO_EQUALS\n");
    EXPECT_FALSE(BuildCgiRequest(form, target).Request);
}

TEST(CgiTest, TheFormKeepsItsValuesAsTextForTheSideFile)
{
    TCgiForm form;
    form.Post = true;
    form.Query = QStringLiteral("a=1");
    form.Fields = {{QStringLiteral("名前"), QStringLiteral("値\n二行")}, {QString(), QStringLiteral("v")}};
    form.Body = QStringLiteral("raw=1");
    form.Cookie = QStringLiteral("c=2");
    form.Extra = QStringLiteral("A=B");
    form.PathInfo = QStringLiteral("/p");
    EXPECT_EQ(TCgiForm::FromText(form.ToText()), form);
    EXPECT_EQ(TCgiForm::FromText(QStringLiteral("{damaged")), TCgiForm {});
}

TEST(CgiTest, TheResponseIsReadAsAServerReadsIt)
{
    struct TCase {
        QByteArray Output;
        int Status;
        bool Problem;
        QString Body;
    };
    const QByteArray euc = QByteArray::fromStdString(SjisToEuc(*UnicodeToSjis(QStringLiteral("表示"))));
    const TCase cases[] = {
        {"Content-type: text/html; charset=EUC-JP\n\n" + euc, 200, false, QStringLiteral("表示")},
        {"Content-Type: text/plain\r\n\r\n\xE8\xA1\xA8\xE7\xA4\xBA", 200, false, QStringLiteral("表示")},
        {"Status: 404 Not Found\nContent-Type: text/plain\n\nnone", 404, false, QStringLiteral("none")},
        {"Location: http://localhost/\n\n", 302, false, QString()},
        {"Content-Type: text/plain\nbody without a blank line", 500, true, QString()},
        {"<html>no header</html>\n\n", 500, true, QString()},
        {"X-Note: 1\n\nbody", 500, true, QStringLiteral("body")},
        {"\nbody", 500, true, QStringLiteral("body")},
    };
    for (const TCase& c : cases) {
        const TCgiResponse response = ParseCgiOutput(c.Output, jcSjis);
        SCOPED_TRACE(c.Output.toStdString());
        EXPECT_EQ(response.StatusCode, c.Status);
        EXPECT_EQ(!response.Problem.isEmpty(), c.Problem);
        if (!c.Body.isNull()) {
            EXPECT_EQ(response.BodyText, c.Body);
        }
    }
    EXPECT_EQ(ParseCgiOutput("Content-Type: text/plain\n\nabc", jcSjis).Header(QStringLiteral("content-TYPE")),
        QStringLiteral("text/plain"));
}

TEST(CgiTest, RunOptionsKeepTheirDefaultsForDamagedValues)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("brenvik-test"), QStringLiteral("run"));
    settings.clear();
    settings.setValue(QStringLiteral("RunTimeLimit"), QStringLiteral("abc"));
    TRunOptions options;
    options.Read(settings);
    EXPECT_EQ(options, TRunOptions {});
    settings.setValue(QStringLiteral("RunTimeLimit"), 0);
    options.Read(settings);
    EXPECT_EQ(options.TimeLimit, 10);
    const TRunOptions written {QStringLiteral("/opt/perl/bin/perl"), 30};
    written.Write(settings);
    options.Read(settings);
    EXPECT_EQ(options, written);
    settings.clear();
}

} // namespace
} // namespace brenvik
