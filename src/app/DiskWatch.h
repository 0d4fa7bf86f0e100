// Watches the document's file on disk: the file system's notices, and a look whenever the window
// is activated, against the stamp the document took when it last read or wrote the file.
#pragma once

#include "model/DiskStamp.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

namespace brenvik {

class TDiskWatch : public QObject {
public:
    // onChange runs (from the event loop, never inside a notice) when the file may have changed.
    TDiskWatch(std::function<void()> onChange, QObject* parent);

    // The document now shows fileName as stamp says (after a load or a save); empty: no file.
    void Follow(const QString& fileName, const std::optional<TDiskStamp>& stamp);
    const QString& FileName() const { return FFileName; }
    const std::optional<TDiskStamp>& Stamp() const { return FStamp; }
    // How the file stands now against the stamp; Same for no file.
    TDiskState State() const;
    // Takes the file as it is now as known (the user said to keep the document as it is).
    void Acknowledge();
    // Looks again soon (the window was activated).
    void LookSoon() { FSoon.start(); }

private:
    void Rewatch();

    QFileSystemWatcher FWatcher;
    QTimer FSoon;
    QString FFileName;
    std::optional<TDiskStamp> FStamp;
};

} // namespace brenvik
