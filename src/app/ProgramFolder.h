// Where the program keeps its settings file and its folders of phrases and side files.
#pragma once

#include <QString>

namespace brenvik {

// The folder of the executable when it is writable and the program runs from its build tree or
// a folder of its own; for an installed copy (one with shared data, see below), and wherever the
// executable's folder is not writable, the per-user data folder (created on demand). The
// environment variable BRENVIK_HOME overrides both, so tests and a portable set-up can point the
// program elsewhere.
QString ProgramFolder();
QString ProgramFolderOf(const QString& executableFolder);

// ProgramFolder() + "/brenvik.ini".
QString SettingsFileName();

// The data installed with the program (the example script, the phrase folders a new program
// folder starts with): share/brenvik beside the bin folder that holds the executable. Empty
// when there is none, as in a build tree.
QString SharedDataFolder();
QString SharedDataFolderOf(const QString& executableFolder);

} // namespace brenvik
