// A local CGI/1.1 request: the form the user fills in (method, query, fields, body, cookie, extra
// environment lines), kept per script as text, and turned into the environment and standard
// input a web server would give the script, with values in the script's own code.
#pragma once

#include "jcode/DocumentChars.h"
#include "jcode/JCodeTypes.h"

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brenvik {

struct TCgiField {
    QString Name;
    QString Value;
    friend bool operator==(const TCgiField&, const TCgiField&) = default;
};

struct TCgiForm {
    bool Post = false;
    QString Query;                 // sent as typed (already encoded), before the fields of a GET
    std::vector<TCgiField> Fields; // encoded as a browser sends a form
    QString Body;                  // a POST's body as typed, when it has no fields
    QString Cookie;                // HTTP_COOKIE
    QString Extra;                 // "NAME=value" lines added to the environment as typed
    QString PathInfo;

    // The form as one text (JSON) for the script's side file, and back; a damaged text gives the empty form.
    QString ToText() const;
    static TCgiForm FromText(const QString& text);
    friend bool operator==(const TCgiForm&, const TCgiForm&) = default;
};

// application/x-www-form-urlencoded of name/value byte pairs: letters, digits and "*-._" as
// they are, a space as "+", every other byte as %XX.
std::string FormUrlEncode(const std::vector<std::pair<std::string, std::string>>& pairs);

// Where the request runs.
struct TCgiTarget {
    QString ScriptPath; // the script's own file (SCRIPT_FILENAME), not the copy run
    JCode Code = jcSjis;
    const TDocumentChars* Chars = nullptr;
    QProcessEnvironment System = QProcessEnvironment::systemEnvironment(); // PATH is taken from it
};

struct TCgiRequest {
    QProcessEnvironment Environment;
    QByteArray Input;
};

// The request, or why not (a value with no form in the script's code, an extra line without "=").
struct TCgiRequestBuild {
    std::optional<TCgiRequest> Request;
    QString Error;
};
TCgiRequestBuild BuildCgiRequest(const TCgiForm& form, const TCgiTarget& target);

} // namespace brenvik
