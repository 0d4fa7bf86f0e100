// What a document learns about a file before it reads it.
#pragma once

#include "jcode/JCodeTypes.h"

#include <QString>

namespace brenvik {

struct TScriptFileCheck {
    // Empty when the file can be read as a script; else why not, in Japanese
    // ("見つかりません", "フォルダです", ...).
    QString Refusal;
    // A NUL byte among the first 64 KiB, or first 512 bytes that detect as binary.
    bool LooksBinary = false;
    // The line-break code of the first line break anywhere in the file; rcNone without one.
    RCode FirstBreak = rcNone;
};

// Reads the file's first piece, and on only as far as its first line break (nothing of it stays in
// memory).
TScriptFileCheck CheckScriptFile(const QString& fileName);

} // namespace brenvik
