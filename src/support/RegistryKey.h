// The per-user keys (window position, the find dialogs' memory), kept in QSettings' native user scope.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>

namespace brenvik {

// Opens the per-user key "A\B\rest" (the part below "\Software\"): organisation A,
// application B, and the settings group "rest" with its backslashes turned into "/".
// A key with fewer parts leaves the missing ones empty. The settings stay open in the group
// until the returned object goes.
std::unique_ptr<QSettings> OpenRegistryKey(const QString& keyName);

} // namespace brenvik
