// Reading and writing the run options.
#include "perlrun/RunOptions.h"

#include <QSettings>

namespace brenvik {

void TRunOptions::Read(QSettings& settings)
{
    PerlPath = settings.value(QStringLiteral("PerlPath"), PerlPath).toString().trimmed();
    bool ok = false;
    const int limit = settings.value(QStringLiteral("RunTimeLimit")).toString().trimmed().toInt(&ok);
    if (ok && limit >= 1 && limit <= 600)
        TimeLimit = limit;
}

void TRunOptions::Write(QSettings& settings) const
{
    settings.setValue(QStringLiteral("PerlPath"), PerlPath);
    settings.setValue(QStringLiteral("RunTimeLimit"), TimeLimit);
}

} // namespace brenvik
