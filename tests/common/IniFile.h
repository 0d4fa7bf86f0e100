// The settings-file storage helpers on a file by name, for tests of the layers below the
// program's settings owner: each call opens the file, and a write is synced and checked.
#pragma once

#include "support/IniStorage.h"
#include "support/PropertyStream.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace brenvik {

inline void WriteStreamToIni(
    const QByteArray& bytes, const QString& fileName, const QString& section, const QString& name)
{
    QSettings settings(fileName, QSettings::IniFormat);
    WriteStreamToIni(bytes, settings, section, name);
    settings.sync();
    EXPECT_EQ(settings.status(), QSettings::NoError) << fileName.toStdString();
}

inline QByteArray ReadStreamFromIni(const QString& fileName, const QString& section, const QString& name)
{
    QSettings settings(fileName, QSettings::IniFormat);
    return ReadStreamFromIni(settings, section, name);
}

inline void WriteComponentToIni(
    const QObject& component, const QString& fileName, const QString& section, const QString& name)
{
    WriteStreamToIni(SaveProperties(component), fileName, section, name);
}

inline bool ReadComponentFromIni(
    QObject& component, const QString& fileName, const QString& section, const QString& name)
{
    QSettings settings(fileName, QSettings::IniFormat);
    return ReadComponentFromIni(component, settings, section, name);
}

} // namespace brenvik
