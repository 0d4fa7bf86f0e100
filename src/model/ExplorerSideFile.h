// The side file of a script: "<ini folder>/<file name>.dat", line 1 the keyword list as
// comma text, the rest the memo, in the script's own bytes. Same-named scripts of different
// folders share one side file.
#pragma once

#include <QString>

#include <string>
#include <vector>

namespace brenvik {

struct TSideFileContent {
    std::vector<std::string> Keywords;
    std::string Memo; // lines joined by CR LF
    friend bool operator==(const TSideFileContent&, const TSideFileContent&) = default;
};

enum class TSideFileState {
    Missing, // no side file yet: one is written when there is something to keep
    Read,
    Unreadable, // present but not taken: it must not be overwritten
};

struct TSideFileRead {
    TSideFileState State = TSideFileState::Missing;
    TSideFileContent Content;
    QString Reason; // why an existing side file was not taken
};

// Files above this size are not side files this program wrote.
constexpr qint64 kSideFileLimit = 16 * 1024 * 1024;

// The file name is the script's own (with its extension), eight hex digits of a hash of its full
// path and ".dat"; folders are never split at a backslash, which is an ordinary character of a
// Linux name. The files kept beside it (bookmarks, the CGI run's form) differ in extension only.
QString SideFilePath(
    const QString& iniFolder, const QString& scriptFileName, const QString& extension = QStringLiteral(".dat"));
// Where side files were kept by the script's name alone, shared by every script of that name; read once and
// moved to the script's own side file.
QString SharedSideFilePath(const QString& iniFolder, const QString& scriptFileName);

// A file of at most kSideFileLimit bytes without NUL bytes, read whole: the side file and the
// bookmark file beside it.
struct TSmallFileRead {
    TSideFileState State = TSideFileState::Missing;
    std::string Bytes;
    QString Reason; // why an existing file was not taken
};
TSmallFileRead ReadSmallFile(const QString& path);
// Creates the folder when missing and replaces the file whole; empty on success, else why not.
QString WriteWholeFile(const QString& path, const std::string& bytes);

TSideFileRead ReadSideFile(const QString& path);
std::string SideFileBytes(const TSideFileContent& content);
TSideFileContent ParseSideFile(const std::string& bytes);
// Creates the folder when missing and replaces the file whole; empty on success, else why not.
QString WriteSideFile(const QString& path, const TSideFileContent& content);

} // namespace brenvik
