// Splitting a CGI script's output into headers and body, and reading the body's text.
#include "perlrun/CgiResponse.h"

#include "perlrun/TextInCode.h"

#include <QRegularExpression>

namespace brenvik {

namespace {

// The end of the header: the first empty line, LF or CR LF; -1 when none. Returns the body's start.
qsizetype BodyStart(const QByteArray& output, qsizetype& headerEnd)
{
    headerEnd = 0;
    if (output.startsWith('\n'))
        return 1;
    if (output.startsWith("\r\n"))
        return 2;
    for (qsizetype i = output.indexOf('\n'); i >= 0; i = output.indexOf('\n', i + 1)) {
        qsizetype next = i + 1;
        if (next < output.size() && output[next] == '\r')
            ++next;
        if (next < output.size() && output[next] == '\n') {
            headerEnd = i;
            return next + 1;
        }
    }
    headerEnd = -1;
    return -1;
}

void TakeStatus(TCgiResponse& response)
{
    if (const QString status = response.Header(QStringLiteral("Status")); !status.isEmpty()) {
        const qsizetype space = status.indexOf(QLatin1Char(' '));
        bool ok = false;
        const int code = status.left(space < 0 ? status.size() : space).toInt(&ok);
        if (ok && code >= 100 && code <= 999) {
            response.StatusCode = code;
            response.StatusText = space < 0 ? QString() : status.mid(space + 1).trimmed();
            return;
        }
        response.Problem = QStringLiteral("Status ヘッダーの値「%1」が不正です。").arg(status);
    } else if (!response.Header(QStringLiteral("Location")).isEmpty()) {
        response.StatusCode = 302;
        response.StatusText = QStringLiteral("Found");
    }
}

} // namespace

QString TCgiResponse::Header(const QString& name) const
{
    for (const auto& [key, value] : Headers)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return {};
}

JCode CharsetCode(const QString& charset)
{
    const QString name = charset.trimmed().toLower();
    if (name == QLatin1String("shift_jis") || name == QLatin1String("shift-jis") || name == QLatin1String("sjis")
        || name == QLatin1String("x-sjis") || name == QLatin1String("windows-31j") || name == QLatin1String("cp932"))
        return jcSjis;
    if (name == QLatin1String("euc-jp") || name == QLatin1String("x-euc-jp") || name == QLatin1String("eucjp"))
        return jcEuc;
    if (name == QLatin1String("iso-2022-jp"))
        return jcJis;
    if (name == QLatin1String("utf-8") || name == QLatin1String("utf8"))
        return jcUtf8;
    return jcNone;
}

TCgiResponse ParseCgiOutput(const QByteArray& output, JCode fallback)
{
    TCgiResponse response;
    qsizetype headerEnd = -1;
    const qsizetype bodyStart = BodyStart(output, headerEnd);
    if (bodyStart < 0) {
        response.Problem = QStringLiteral("ヘッダーの終わりを示す空行がありません。");
        response.Body = output;
    } else {
        for (QByteArray line : output.left(headerEnd).split('\n')) {
            if (line.endsWith('\r'))
                line.chop(1);
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0) {
                response.Problem = QStringLiteral("ヘッダーではない行があります: %1").arg(QString::fromLatin1(line.left(80)));
                continue;
            }
            response.Headers.emplace_back(
                QString::fromLatin1(line.left(colon)).trimmed(), QString::fromLatin1(line.mid(colon + 1)).trimmed());
        }
        response.Body = output.mid(bodyStart);
        if (response.Headers.empty() && response.Problem.isEmpty())
            response.Problem = QStringLiteral("ヘッダーがありません。");
    }
    if (response.Problem.isEmpty()) {
        TakeStatus(response);
        if (response.Problem.isEmpty() && response.Header(QStringLiteral("Content-Type")).isEmpty()
            && response.Header(QStringLiteral("Location")).isEmpty())
            response.Problem = QStringLiteral("Content-Type ヘッダーがありません。");
    }
    if (!response.Problem.isEmpty()) {
        // What a web server answers for a script whose output it cannot use.
        response.StatusCode = 500;
        response.StatusText = QStringLiteral("Internal Server Error");
    }
    static const QRegularExpression charsetPattern(
        QStringLiteral("charset\\s*=\\s*\"?([A-Za-z0-9_.:-]+)"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch charset = charsetPattern.match(response.Header(QStringLiteral("Content-Type")));
    const std::string_view body(response.Body.constData(), std::size_t(response.Body.size()));
    const JCode named = charset.hasMatch() ? CharsetCode(charset.captured(1)) : jcNone;
    response.CodeFromCharset = named != jcNone;
    response.BodyCode = response.CodeFromCharset ? named : DetectPageCode(body, fallback);
    response.BodyText = DecodeInCode(body, response.BodyCode);
    return response;
}

} // namespace brenvik
