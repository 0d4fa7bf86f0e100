// The tree of fixed-phrase files under a folder, and reading one phrase file. QtCore only.
#pragma once

#include <QString>

#include <string>
#include <vector>

namespace brenvik {

// One entry of a phrase folder: a sub-folder with its entries, or a phrase file.
struct TPhraseEntry {
    QString Name;
    QString Path;
    bool Folder = false;
    std::vector<TPhraseEntry> Entries; // a folder's, sub-folders first, each group by name
};

// The phrase tree under folder: sub-folders (and links to folders not already on the way down,
// at most 16 levels deep) and regular files; names starting with "." are left out, and so are
// FIFOs, sockets and devices, which would block or mean nothing. File contents are never read.
// A missing or unreadable folder gives no entries.
std::vector<TPhraseEntry> ScanPhraseFolder(const QString& folder);

// The largest phrase file inserted.
constexpr qint64 kMaxPhraseBytes = 1024 * 1024;

// The bytes of a phrase file, unconverted; false with a message for the user when the file is
// gone, not a regular file, unreadable, larger than kMaxPhraseBytes or binary (NUL bytes).
bool ReadPhraseFile(const QString& path, std::string& bytes, QString& error);

} // namespace brenvik
