// Registry keys as QSettings scopes.
#include "support/RegistryKey.h"

#include <QStringList>

namespace brenvik {

std::unique_ptr<QSettings> OpenRegistryKey(const QString& keyName)
{
    const QStringList parts = keyName.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    const QString organisation = parts.value(0);
    const QString application = parts.value(1);
    auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation, application);
    const QString group = parts.mid(2).join(QLatin1Char('/'));
    if (!group.isEmpty())
        settings->beginGroup(group);
    return settings;
}

} // namespace brenvik
