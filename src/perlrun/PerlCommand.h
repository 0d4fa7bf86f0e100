// Which perl runs a script and with what: the configured program or the first "perl" on PATH,
// and the switches of the script's "#!" line that perl must also see on its command line.
#pragma once

#include <QString>
#include <QStringList>

#include <string_view>

namespace brenvik {

// The program found, or none with where it was looked for.
struct TPerlLocation {
    QString Program; // empty: not found
    QString Looked;  // the configured path, or the folders of PATH
};

// configured: a path, or a name looked for on path (a PATH value, folders joined by ':'); empty
// stands for "perl".
TPerlLocation FindPerl(const QString& configured, const QString& path);
// "perl が見つかりません" with where it was looked for.
QString PerlMissingMessage(const TPerlLocation& location);

// The switch clusters of a "#!" line naming perl that matter on the command line (-w, -W, -X,
// -T, -t, -s, alone or clustered as "-wT"); perl refuses a "#!" line's -T it was not also given.
// Other switches are left to perl, which reads them from the line itself.
QStringList ShebangSwitches(std::string_view firstLine);

} // namespace brenvik
