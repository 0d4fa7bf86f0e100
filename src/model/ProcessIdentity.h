// Which running process owns a recovery file: its id alone is not enough, since ids are reused
// after the process ends and after every restart of the machine.
#pragma once

#include <QString>

namespace brenvik {

struct TProcessIdentity {
    qint64 Pid = 0;
    // When the process started, in clock ticks since boot (/proc/<pid>/stat, field 22).
    quint64 StartTicks = 0;
    // /proc/sys/kernel/random/boot_id: a new one at every start of the machine.
    QString BootId;

    friend bool operator==(const TProcessIdentity&, const TProcessIdentity&) = default;
};

// This process.
TProcessIdentity CurrentProcess();
// Whether the process identity names is still running: same boot, same id, same start time.
bool IsRunning(const TProcessIdentity& identity);

} // namespace brenvik
