// A per-user settings folder of the test's own for the find dialogs' store.
#pragma once

#include <QSettings>
#include <QTemporaryDir>

namespace brenvik::test {

class TTempSearchStore {
public:
    TTempSearchStore()
    {
        qputenv("XDG_CONFIG_HOME", FFolder.path().toLocal8Bit());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FFolder.path());
    }
    ~TTempSearchStore() { qunsetenv("XDG_CONFIG_HOME"); }

    // The store as the dialogs see it, for reading and planting values.
    QString Value(const QString& key) const
    {
        QSettings settings(File(), QSettings::NativeFormat);
        return settings.value(QStringLiteral("TStrings Property Editor/") + key).toString();
    }
    void SetValue(const QString& key, const QString& value) const
    {
        QSettings settings(File(), QSettings::NativeFormat);
        settings.setValue(QStringLiteral("TStrings Property Editor/") + key, value);
    }
    QString File() const { return FFolder.path() + QStringLiteral("/tolvane/Ombra.conf"); }

private:
    QTemporaryDir FFolder;
};

} // namespace brenvik::test
