// A recovery file: the unsaved text of a document with what it takes to bring it back (its file,
// codes, the owning process and the file's disk stamp), written whole or not at all.
//
// Format: the line "Brenvik recovery 1", "key=value" lines in UTF-8, an empty line, then the
// text's bytes ("bytes=" says how many): each line followed by LF, in Shift_JIS as the editor
// holds it, or in UTF-8 for a UTF-8 document, whose own characters only UTF-8 names.
#pragma once

#include "jcode/DocumentChars.h"
#include "jcode/LineCodec.h"
#include "model/DiskStamp.h"
#include "model/ProcessIdentity.h"
#include "text/EditorStringList.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <string>

namespace brenvik {

struct TRecoveryHeader {
    TProcessIdentity Owner;
    QString FileName; // absolute; empty for a new document
    TStatedCodes Codes;
    RCode FirstBreak = rcNone; // the file's first break, for a document read with RCode 0
    bool FinalBreak = true;    // the text ends with a line break
    std::optional<TDiskStamp> Stamp; // the file as the document last read or wrote it
    QDateTime Written;
};

// A document's text and codes as they stood at one moment, handed to the writer thread.
struct TRecoverySnapshot {
    TRecoveryHeader Header;
    TEditorStringList Rows;
    TDocumentChars Chars;
};

// The header and the text's bytes, as read back.
struct TRecoveredText {
    TRecoveryHeader Header;
    std::string Body;
};

// The codes the text's bytes are in: LF breaks; UTF-8 for a UTF-8 document, else Shift_JIS.
TStatedCodes RecoveryBodyCodes(JCode documentJCode);

// Writes a temporary file beside path, then renames it over path. Empty on success, else why not.
QString WriteRecoveryFile(const QString& path, const TRecoverySnapshot& snapshot);
// The header alone (cheap: for listing); none when path is no recovery file.
std::optional<TRecoveryHeader> ReadRecoveryHeader(const QString& path);
// Header and text; none when path is no complete recovery file.
std::optional<TRecoveredText> ReadRecoveryFile(const QString& path);

} // namespace brenvik
