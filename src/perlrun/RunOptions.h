// The options of the check and the CGI run: which perl, and how long a run may take.
#pragma once

#include <QString>

class QSettings;

namespace brenvik {

struct TRunOptions {
    QString PerlPath;     // empty: the first "perl" on PATH
    int TimeLimit = 10;   // seconds, 1 to 600

    // The keys "PerlPath" and "RunTimeLimit" of the group the caller has begun; a missing or
    // malformed value keeps the default.
    void Read(QSettings& settings);
    void Write(QSettings& settings) const;
    friend bool operator==(const TRunOptions&, const TRunOptions&) = default;
};

} // namespace brenvik
