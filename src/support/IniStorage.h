// Stores a component's published properties in a section of an INI settings file as hex lines.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QObject;
class QSettings;

namespace brenvik {

// Two upper-case hexadecimal digits per byte, cut into lines of 64 digits.
QStringList BytesToHexLines(const QByteArray& bytes);
// A pair that is no hexadecimal number gives 0; an odd last digit is dropped.
QByteArray HexLinesToBytes(const QStringList& lines);

// On settings the program's settings file owner (app/SettingsFile.h) opened; it syncs them and
// checks their status.

// Writes the lines under Name + "_c" (count) and Name + "_d" + i, deleting surplus old lines.
void WriteStreamToIni(const QByteArray& bytes, QSettings& settings, const QString& section, const QString& name);
// The bytes stored under Name; empty when the count is absent, not a number or not positive.
QByteArray ReadStreamFromIni(QSettings& settings, const QString& section, const QString& name);

void WriteComponentToIni(const QObject& component, QSettings& settings, const QString& section, const QString& name);
// Leaves the component untouched when nothing is stored; returns false when the stored bytes
// were damaged (the properties read before the damage are kept).
bool ReadComponentFromIni(QObject& component, QSettings& settings, const QString& section, const QString& name);

} // namespace brenvik
