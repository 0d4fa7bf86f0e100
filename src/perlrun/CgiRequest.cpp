// The form of a local CGI run, its text in the side file, and the request a server would make of it.
#include "perlrun/CgiRequest.h"

#include "perlrun/TextInCode.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace brenvik {

namespace {

bool Unreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '*' || c == '-'
        || c == '.' || c == '_';
}

void AppendEncoded(std::string& out, const std::string& bytes)
{
    static const char kHex[] = "0123456789ABCDEF";
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (Unreserved(c)) {
            out += ch;
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
}

QByteArray PercentBeyondAscii(const std::string& bytes)
{
    QByteArray out;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c > 0x20 && c < 0x7F)
            out += ch;
        else
            out += '%' + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
    }
    return out;
}

QString NoFormMessage(const QString& what)
{
    return QStringLiteral("%1 にスクリプトの文字コードで表せない文字があります。").arg(what);
}

} // namespace

QString TCgiForm::ToText() const
{
    QJsonArray fields;
    for (const TCgiField& field : Fields)
        fields.append(QJsonArray {field.Name, field.Value});
    const QJsonObject object {{QStringLiteral("method"), Post ? QStringLiteral("POST") : QStringLiteral("GET")},
        {QStringLiteral("query"), Query}, {QStringLiteral("fields"), fields}, {QStringLiteral("body"), Body},
        {QStringLiteral("cookie"), Cookie}, {QStringLiteral("extra"), Extra}, {QStringLiteral("pathInfo"), PathInfo}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

TCgiForm TCgiForm::FromText(const QString& text)
{
    const QJsonObject object = QJsonDocument::fromJson(text.toUtf8()).object();
    TCgiForm form;
    form.Post = object.value(QStringLiteral("method")).toString() == QLatin1String("POST");
    form.Query = object.value(QStringLiteral("query")).toString();
    for (const QJsonValue& row : object.value(QStringLiteral("fields")).toArray()) {
        const QJsonArray pair = row.toArray();
        form.Fields.push_back({pair.at(0).toString(), pair.at(1).toString()});
    }
    form.Body = object.value(QStringLiteral("body")).toString();
    form.Cookie = object.value(QStringLiteral("cookie")).toString();
    form.Extra = object.value(QStringLiteral("extra")).toString();
    form.PathInfo = object.value(QStringLiteral("pathInfo")).toString();
    return form;
}

std::string FormUrlEncode(const std::vector<std::pair<std::string, std::string>>& pairs)
{
    std::string out;
    for (const auto& [name, value] : pairs) {
        if (!out.empty())
            out += '&';
        AppendEncoded(out, name);
        out += '=';
        AppendEncoded(out, value);
    }
    return out;
}

TCgiRequestBuild BuildCgiRequest(const TCgiForm& form, const TCgiTarget& target)
{
    const TDocumentChars& chars = target.Chars ? *target.Chars : NoDocumentChars();
    const auto encode = [&](const QString& text) { return EncodeInCode(text, target.Code, chars); };
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const TCgiField& field : form.Fields) {
        if (field.Name.isEmpty() && field.Value.isEmpty())
            continue;
        auto name = encode(field.Name);
        auto value = encode(field.Value);
        if (!name || !value)
            return {std::nullopt, NoFormMessage(QStringLiteral("項目「%1」").arg(field.Name))};
        pairs.emplace_back(std::move(*name), std::move(*value));
    }
    const std::string fields = FormUrlEncode(pairs);
    const auto query = encode(form.Query.trimmed());
    const auto body = encode(form.Body);
    const auto cookie = encode(form.Cookie);
    if (!query || !body || !cookie)
        return {std::nullopt, NoFormMessage(!query ? QStringLiteral("クエリ文字列") : !body ? QStringLiteral("POST の本文") : QStringLiteral("Cookie"))};

    std::string queryString = *query;
    std::string input;
    if (form.Post) {
        input = pairs.empty() ? *body : fields;
    } else if (!fields.empty()) {
        queryString += (queryString.empty() ? "" : "&") + fields;
    }

    const QFileInfo script(target.ScriptPath);
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), target.System.value(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin")));
    const auto set = [&](const char* name, const QString& value) { environment.insert(QLatin1String(name), value); };
    // An environment value reaches the child through the locale's codec (UTF-8), never as raw
    // bytes of another code, so bytes beyond ASCII go percent-encoded, as a browser sends them in
    // an address.
    const auto setBytes = [&](const char* name, const std::string& bytes) {
        environment.insert(QLatin1String(name), QString::fromLatin1(PercentBeyondAscii(bytes)));
    };
    set("GATEWAY_INTERFACE", QStringLiteral("CGI/1.1"));
    set("SERVER_PROTOCOL", QStringLiteral("HTTP/1.1"));
    set("SERVER_SOFTWARE", QStringLiteral("Brenvik-local"));
    set("SERVER_NAME", QStringLiteral("localhost"));
    set("SERVER_PORT", QStringLiteral("80"));
    set("REMOTE_ADDR", QStringLiteral("127.0.0.1"));
    set("REMOTE_HOST", QStringLiteral("localhost"));
    set("HTTP_HOST", QStringLiteral("localhost"));
    set("HTTP_USER_AGENT", QStringLiteral("Mozilla/5.0 (X11; Linux x86_64) Brenvik-local"));
    set("REQUEST_METHOD", form.Post ? QStringLiteral("POST") : QStringLiteral("GET"));
    setBytes("QUERY_STRING", queryString);
    set("SCRIPT_NAME", QLatin1Char('/') + script.fileName());
    set("SCRIPT_FILENAME", script.absoluteFilePath());
    set("DOCUMENT_ROOT", script.absolutePath());
    const QString uri = QLatin1Char('/') + script.fileName() + form.PathInfo;
    setBytes("REQUEST_URI", uri.toUtf8().toStdString() + (queryString.empty() ? "" : "?" + queryString));
    if (!form.PathInfo.isEmpty()) {
        set("PATH_INFO", form.PathInfo);
        set("PATH_TRANSLATED", script.absolutePath() + form.PathInfo);
    }
    if (!cookie->empty())
        setBytes("HTTP_COOKIE", *cookie);
    if (form.Post) {
        set("CONTENT_TYPE", QStringLiteral("application/x-www-form-urlencoded"));
        set("CONTENT_LENGTH", QString::number(input.size()));
    }
    for (QStringView line : QStringView(form.Extra).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        line = line.trimmed();
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (line.isEmpty())
            continue;
        if (equals <= 0)
            return {std::nullopt, QStringLiteral("環境変数の行「%1」に「=」がありません。").arg(line)};
        // Extra lines go as typed: the environment carries text in the locale's code.
        environment.insert(line.left(equals).toString(), line.mid(equals + 1).toString());
    }
    return {TCgiRequest {environment, QByteArray::fromStdString(input)}, {}};
}

} // namespace brenvik
