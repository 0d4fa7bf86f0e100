// Hexadecimal lines of a property stream under numbered keys of a settings-file section.
#include "support/IniStorage.h"

#include "support/PropertyStream.h"

#include <QSettings>
#include <map>

namespace brenvik {

namespace {

constexpr qsizetype kDigitsPerLine = 64;

QString CountKey(const QString& name)
{
    return name + "_c";
}
QString LineKey(const QString& name, int i)
{
    return name + "_d" + QString::number(i);
}

int StoredCount(const QSettings& settings, const QString& name)
{
    bool ok = false;
    const int count = settings.value(CountKey(name), QStringLiteral("0")).toString().trimmed().toInt(&ok);
    return ok ? count : 0;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

QStringList BytesToHexLines(const QByteArray& bytes)
{
    const QString digits = QString::fromLatin1(bytes.toHex().toUpper());
    QStringList lines;
    for (qsizetype start = 0; start < digits.size(); start += kDigitsPerLine)
        lines << digits.mid(start, kDigitsPerLine);
    return lines;
}

QByteArray HexLinesToBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        const QByteArray digits = line.toLatin1();
        for (qsizetype i = 0; i + 1 < digits.size(); i += 2) {
            const int high = HexDigit(digits[i]);
            const int low = HexDigit(digits[i + 1]);
            bytes.append(static_cast<char>(high < 0 || low < 0 ? 0 : high * 16 + low));
        }
    }
    return bytes;
}

void WriteStreamToIni(const QByteArray& bytes, QSettings& settings, const QString& section, const QString& name)
{
    const QStringList lines = BytesToHexLines(bytes);
    const int count = static_cast<int>(lines.size());
    settings.beginGroup(section);
    const int oldCount = StoredCount(settings, name);
    if (oldCount > count) {
        for (int i = oldCount - 1; i >= count; --i)
            settings.remove(LineKey(name, i));
        if (count == 0)
            settings.remove(CountKey(name));
    }
    if (count > 0) {
        settings.setValue(CountKey(name), QString::number(count));
        for (int i = 0; i < count; ++i)
            settings.setValue(LineKey(name, i), lines[i]);
    }
    settings.endGroup();
}

QByteArray ReadStreamFromIni(QSettings& settings, const QString& section, const QString& name)
{
    settings.beginGroup(section);
    const int count = StoredCount(settings, name);
    if (count <= 0) {
        settings.endGroup();
        return {};
    }
    // Walk the keys that exist rather than the count, which may be damaged and huge.
    std::map<int, QString> lines;
    const QString prefix = name + "_d";
    for (const QString& key : settings.childKeys()) {
        bool ok = false;
        const int i = key.startsWith(prefix) ? key.mid(prefix.size()).toInt(&ok) : -1;
        if (ok && i >= 0 && i < count && key == LineKey(name, i))
            lines[i] = settings.value(key).toString();
    }
    settings.endGroup();
    QStringList ordered;
    for (const auto& [index, line] : lines)
        ordered << line;
    return HexLinesToBytes(ordered);
}

void WriteComponentToIni(const QObject& component, QSettings& settings, const QString& section, const QString& name)
{
    WriteStreamToIni(SaveProperties(component), settings, section, name);
}

bool ReadComponentFromIni(QObject& component, QSettings& settings, const QString& section, const QString& name)
{
    const QByteArray bytes = ReadStreamFromIni(settings, section, name);
    return bytes.isEmpty() || LoadProperties(component, bytes);
}

} // namespace brenvik
