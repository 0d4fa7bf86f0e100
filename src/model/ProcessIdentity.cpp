// Process identities read from /proc.
#include "model/ProcessIdentity.h"

#include <QCoreApplication>
#include <QFile>

#include <optional>

namespace brenvik {

namespace {

QString ReadBootId()
{
    QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).trimmed() : QString();
}

// Field 22 of /proc/<pid>/stat; the command name (field 2) may hold spaces and parentheses, so
// the fields are counted from the last ')'.
std::optional<quint64> StartTicksOf(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray stat = file.readAll();
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    // The fields after the name start with field 3 (the state): field 22 is the 20th of them.
    if (fields.size() < 20)
        return std::nullopt;
    bool ok = false;
    const quint64 ticks = fields[19].toULongLong(&ok);
    return ok ? std::optional<quint64>(ticks) : std::nullopt;
}

} // namespace

TProcessIdentity CurrentProcess()
{
    static const TProcessIdentity self {
        QCoreApplication::applicationPid(), StartTicksOf(QCoreApplication::applicationPid()).value_or(0), ReadBootId()};
    return self;
}

bool IsRunning(const TProcessIdentity& identity)
{
    if (identity.Pid <= 0 || identity.BootId != CurrentProcess().BootId)
        return false;
    const std::optional<quint64> ticks = StartTicksOf(identity.Pid);
    return ticks && *ticks == identity.StartTicks;
}

} // namespace brenvik
