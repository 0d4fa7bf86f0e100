// Where the program keeps its settings file and its folders of phrases and side files.
#pragma once

#include <QString>

namespace brenvik {

// The folder of the executable when it is writable, else the per-user data folder (created on
// demand). The environment variable BRENVIK_HOME overrides both, so tests and a portable set-up
// can point the program elsewhere.
QString ProgramFolder();

// ProgramFolder() + "/brenvik.ini".
QString SettingsFileName();

} // namespace brenvik
