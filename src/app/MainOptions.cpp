// Strict reading and writing of the "Option" keys, from one table of keys.
#include "app/MainOptions.h"

#include <QDir>
#include <QSettings>
#include <array>
#include <optional>
#include <variant>

namespace brenvik {

namespace {

using TField = std::variant<bool TMainOptions::*, int TMainOptions::*, std::uint32_t TMainOptions::*>;

struct TOptionKey {
    const char* Name;
    TField Field;
    qlonglong Low = 0;
    qlonglong High = 1;
    bool (*Allowed)(qlonglong) = nullptr; // a further test inside [Low, High]
};

bool IsSavableJCode(qlonglong code)
{
    return code == jcJis || code == jcEuc || code == jcSjis || code == jcUtf8;
}

constexpr qlonglong kColorHigh = 0xFFFFFFFFLL;

const std::array<TOptionKey, 24> kKeys {{
    {"WordWrapWindow", &TMainOptions::WordWrapWindow},
    {"DefaultJCode", &TMainOptions::DefaultJCode, jcJis, jcUtf8, IsSavableJCode},
    {"DefaultRCode", &TMainOptions::DefaultRCode, rcCrLf, rcLf},
    {"SubRoutineSorted", &TMainOptions::SubRoutineSorted},
    {"VariableSorted", &TMainOptions::VariableSorted},
    {"ArrangementSorted", &TMainOptions::ArrangementSorted},
    {"AssocArrSorted", &TMainOptions::AssocArrSorted},
    {"SubRoutineDefaultMenu", &TMainOptions::SubRoutineDefaultMenu, 0, 4},
    {"VariableDefaultMenu", &TMainOptions::VariableDefaultMenu, 0, 3},
    {"ArrangementDefaultMenu", &TMainOptions::ArrangementDefaultMenu, 0, 3},
    {"AssocArrDefaultMenu", &TMainOptions::AssocArrDefaultMenu, 0, 3},
    {"KeyWordDefaultMenu", &TMainOptions::KeyWordDefaultMenu, 0, 3},
    {"TabMarkColor", &TMainOptions::TabMarkColor, 0, kColorHigh},
    {"TabMarkVisible", &TMainOptions::TabMarkVisible},
    {"DBSpaceMarkColor", &TMainOptions::DBSpaceMarkColor, 0, kColorHigh},
    {"DBSpaceMarkVisible", &TMainOptions::DBSpaceMarkVisible},
    {"ListUpdate", &TMainOptions::ListUpdate, 0, 2},
    {"ListDefaultSet", &TMainOptions::ListDefaultSet, 0, 3},
    {"WheelOneRow", &TMainOptions::WheelOneRow},
    {"UndoLimit", &TMainOptions::UndoLimit, 64, 100000},
    {"Recovery", &TMainOptions::Recovery},
    {"RecoveryIdle", &TMainOptions::RecoveryIdle, 1, 60},
    {"RecoveryLongest", &TMainOptions::RecoveryLongest, 5, 600},
    {"Backup", &TMainOptions::Backup},
}};

// The one key that is text: a folder, absolute or empty.
const QString kBackupFolder = QStringLiteral("BackupFolder");

const QString kGroup = QStringLiteral("Option");

// A whole number, or nothing for a missing or malformed value ("abc", "1.5", "").
std::optional<qlonglong> ReadNumber(const QSettings& settings, const char* key)
{
    const QVariant value = settings.value(QLatin1String(key));
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok);
    return ok ? std::optional<qlonglong>(number) : std::nullopt;
}

} // namespace

void TMainOptions::Read(QSettings& settings)
{
    settings.beginGroup(kGroup);
    for (const TOptionKey& key : kKeys) {
        const auto number = ReadNumber(settings, key.Name);
        if (!number || *number < key.Low || *number > key.High || (key.Allowed && !key.Allowed(*number)))
            continue;
        std::visit([&](auto member) { this->*member = static_cast<std::remove_reference_t<decltype(this->*member)>>(*number); },
            key.Field);
    }
    Run.Read(settings);
    const QString folder = settings.value(kBackupFolder).toString();
    if (settings.contains(kBackupFolder) && (folder.isEmpty() || QDir::isAbsolutePath(folder)))
        BackupFolder = folder;
    settings.endGroup();
}

void TMainOptions::Write(QSettings& settings) const
{
    settings.beginGroup(kGroup);
    settings.setValue(QStringLiteral("Version"), Version);
    for (const TOptionKey& key : kKeys)
        std::visit([&](auto member) { settings.setValue(QLatin1String(key.Name), static_cast<qlonglong>(this->*member)); },
            key.Field);
    Run.Write(settings);
    settings.setValue(kBackupFolder, BackupFolder);
    settings.endGroup();
}

} // namespace brenvik
