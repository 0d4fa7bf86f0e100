// What a CGI script printed, read as a web server reads it: the header lines up to the first
// blank line, the status they give (Status:, Location:, else 200), and the body decoded by the
// charset of its Content-Type or else by detection.
#pragma once

#include "jcode/JCodeTypes.h"

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace brenvik {

struct TCgiResponse {
    std::vector<std::pair<QString, QString>> Headers;
    int StatusCode = 200;
    QString StatusText = QStringLiteral("OK");
    QString Problem;    // why a server would answer 500 (no blank line, a line that is no header)
    QByteArray Body;
    JCode BodyCode = jcSjis;
    bool CodeFromCharset = false; // the charset named the code; else it was detected
    QString BodyText;

    // The value of the first header named name (any case); empty when none.
    QString Header(const QString& name) const;
    // "200 OK", "302 Found", "500 Internal Server Error".
    QString StatusLine() const { return QString::number(StatusCode) + QLatin1Char(' ') + StatusText; }
};

// The Japanese code a charset name stands for; jcNone when it names none of them.
JCode CharsetCode(const QString& charset);

// fallback: the code an undecided EUC-or-Shift_JIS body is taken for (the script's own).
TCgiResponse ParseCgiOutput(const QByteArray& output, JCode fallback);

} // namespace brenvik
