// Reading and rewriting the recent-files section.
#include "app/FileHistory.h"

#include <QSettings>
#include <algorithm>

namespace brenvik {

namespace {
const QString kGroup = QStringLiteral("Hist");
}

QStringList ReadHistory(QSettings& settings)
{
    settings.beginGroup(kGroup);
    bool ok = false;
    const int count = std::clamp(settings.value(QStringLiteral("Count")).toString().trimmed().toInt(&ok), 0, kHistoryCapacity);
    QStringList entries;
    for (int i = 0; ok && i < count; ++i) {
        const QString entry = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!entry.isEmpty() && !entries.contains(entry))
            entries.append(entry);
    }
    settings.endGroup();
    return entries;
}

void AddHistory(QSettings& settings, const QString& fileName)
{
    QStringList entries = ReadHistory(settings);
    entries.removeAll(fileName);
    entries.prepend(fileName);
    while (entries.size() > kHistoryCapacity)
        entries.removeLast();
    settings.remove(kGroup);
    settings.beginGroup(kGroup);
    settings.setValue(QStringLiteral("Count"), entries.size());
    for (int i = 0; i < entries.size(); ++i)
        settings.setValue(QStringLiteral("File%1").arg(i), entries[i]);
    settings.endGroup();
}

} // namespace brenvik
