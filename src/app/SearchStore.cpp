// The dialogs' store: the native per-user settings of organisation "tolvane", application "Ombra",
// under "TStrings Property Editor", every value a text.
#include "app/SearchStore.h"

#include "app/SearchHistory.h"
#include "support/RegistryKey.h"

#include <QRegularExpression>
#include <QSettings>

namespace brenvik {

namespace {

const QString kRoot = QStringLiteral("TStrings Property Editor/");

QString Key(const char* section, const char* value)
{
    return kRoot + QLatin1String(section) + QLatin1Char('/') + QLatin1String(value);
}

QString Flag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QString JoinItems(const QStringList& items)
{
    QString text;
    for (const QString& item : items)
        text += item + QStringLiteral("\r\n");
    return text;
}

QStringList SplitItems(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("[\r\n]"));
    QStringList items;
    for (const QString& item : text.split(breaks, Qt::SkipEmptyParts)) {
        if (items.size() == HistoryMax)
            break;
        items.append(item);
    }
    return items;
}

TSearchStore::TSearchStore()
    : FSettings(OpenRegistryKey(QStringLiteral("tolvane\\Ombra")))
{
}

TSearchStore::~TSearchStore() = default;

TSearchOptions TSearchStore::ReadOptions() const
{
    const auto checked = [this](const char* name) {
        return FSettings->value(Key("Options", name)).toString() == QLatin1String("1");
    };
    TSearchOptions options;
    options.MatchCase = checked("MatchCase");
    options.WholeWord = checked("WholeWord");
    options.NoMatchZenkaku = checked("NoMatchZenkaku");
    options.IncludeCRLF = checked("IncludeCRLF");
    options.RegExp = checked("RegExp");
    options.Down = FSettings->value(Key("Options", "Direction")).toString() != QLatin1String("0");
    return options;
}

void TSearchStore::WriteOptions(const TSearchOptions& options)
{
    FSettings->setValue(Key("Options", "MatchCase"), Flag(options.MatchCase));
    FSettings->setValue(Key("Options", "WholeWord"), Flag(options.WholeWord));
    FSettings->setValue(Key("Options", "NoMatchZenkaku"), Flag(options.NoMatchZenkaku));
    FSettings->setValue(Key("Options", "IncludeCRLF"), Flag(options.IncludeCRLF));
    FSettings->setValue(Key("Options", "Direction"), Flag(options.Down));
    FSettings->setValue(Key("Options", "RegExp"), Flag(options.RegExp));
}

QStringList TSearchStore::ReadItems(const char* section) const
{
    return SplitItems(FSettings->value(Key(section, "Text")).toString());
}

void TSearchStore::WriteItems(const char* section, const QStringList& items)
{
    QStringList storable;
    for (const QString& item : items)
        if (!item.isEmpty() && !item.contains(QLatin1Char('\r')) && !item.contains(QLatin1Char('\n')))
            storable.append(item);
    FSettings->setValue(Key(section, "Text"), JoinItems(storable));
}

void TSearchStore::Sync()
{
    FSettings->sync();
}

} // namespace brenvik
