// One script: its text (the editing model with its undo history), the characters a UTF-8 file's
// codes stand for, the file it came from and the codes it is written in; reading and writing it,
// its find session and its side file. Headless: it asks nobody; results say what happened and why,
// and the window turns them into questions and messages. Editors showing it share its text and table.
#pragma once

#include "jcode/DocumentChars.h"
#include "jcode/LineCodec.h"
#include "jcode/OwnChars.h"
#include "model/EditorModel.h"
#include "model/FindSession.h"
#include "model/ScriptFileCheck.h"
#include "model/SideFileSession.h"

#include <QString>

#include <memory>
#include <optional>

namespace brenvik {

// What a read or a write came to: empty Error on success, else why not (the file layer's words).
struct TRecoveredText;
struct TRecoverySnapshot;

struct TFileResult {
    QString Error;
    QString Note; // what the status bar says of the side file, empty when nothing
    explicit operator bool() const { return Error.isEmpty(); }
};

class TScriptDocument {
public:
    TScriptDocument();
    TScriptDocument(const TScriptDocument&) = delete;
    TScriptDocument& operator=(const TScriptDocument&) = delete;

    TEditorModel& Model() { return FModel; }
    const TEditorModel& Model() const { return FModel; }
    const TDocumentChars& Chars() const { return *FChars; }
    TDocumentChars& Chars() { return *FChars; }
    // Replaces the table (a new file's characters).
    void SetChars(TDocumentChars chars) { *FChars = std::move(chars); }
    // Leaves this document's text and table for those of other, with its undo history.
    void ShareText(TScriptDocument& other);

    // The file, absolute; empty for a new document.
    const QString& FileName() const { return FFileName; }
    JCode DocumentJCode() const { return FCodes.jcode; }
    RCode DocumentRCode() const { return FCodes.rcode; }
    bool Bom() const { return FCodes.bom; }
    const TStatedCodes& Codes() const { return FCodes; }
    // Written in Shift_JIS, the only code where Perl reads a trail byte 0x5C as a backslash.
    bool WrittenInShiftJis() const { return FCodes.jcode == jcSjis; }
    // A UTF-8 document takes typed characters without a Shift_JIS code into its table.
    bool TakesNewChars() const { return FCodes.jcode == jcUtf8; }
    // The codes a new document is written in.
    void SetCodes(const TStatedCodes& codes) { FCodes = codes; }
    // No file and no change: a window may replace it by another script without asking.
    bool IsEmpty() const { return FFileName.isEmpty() && !FModel.Modified(); }
    // The folder of the file, or fallback for a new document.
    QString Folder(const QString& fallback) const;

    // Reads fileName (made absolute) by detection, or in the stated codes. Text, table, codes,
    // name, modified flag and undo change together, and only when the read succeeded; the side
    // file of the script being replaced is written first when it changed. The caller checked the
    // file (ScriptFileCheck) and asked about binary content; check.FirstBreak is kept for saving.
    TFileResult Load(const QString& fileName, std::optional<TStatedCodes> stated, const TScriptFileCheck& check);
    // The first character that only UTF-8 writes as itself, when saving in jcode would lose it.
    std::optional<TOwnCharsFound> CharsLostIn(JCode jcode) const;
    // Writes the text to fileName (through a link to its target; the old file kept on failure);
    // rcNone writes the file's first break, else defaultRCode. On success the document takes the
    // name and codes and is unmodified, and the side file is written under the name.
    TFileResult Save(const QString& fileName, TStatedCodes codes, RCode defaultRCode);
    // The text, table and codes as they stand, for the recovery writer; copying the rows is the
    // whole cost on the caller's thread. The header's stamp and time are the caller's.
    // into, when given, is a snapshot taken before whose memory the copy reuses.
    std::shared_ptr<TRecoverySnapshot> Snapshot(std::shared_ptr<TRecoverySnapshot> into = nullptr) const;
    // Takes the text of a recovery file in place of the document's, with its file's name and codes,
    // modified: the file itself is neither read nor written. The side file is read as after Load.
    TFileResult Restore(const TRecoveredText& recovered);
    // A UTF-8 file's characters beyond the user-defined area: the document was made read-only.
    const std::optional<TUnheldChar>& Unheld() const { return FChars->Unheld(); }

    TFindSession& Find() { return FFind; }
    const TFindSession& Find() const { return FFind; }
    TSideFileSession& Side() { return FSide; }
    const TSideFileSession& Side() const { return FSide; }

private:
    TEditorModel FModel;
    std::shared_ptr<TDocumentChars> FChars = std::make_shared<TDocumentChars>();
    QString FFileName;
    TStatedCodes FCodes;
    // The code of the file's first line break, for saving a document read with RCode 0.
    RCode FFirstBreak = rcNone;
    bool FUnheldReadOnly = false;
    TFindSession FFind;
    TSideFileSession FSide;
};

} // namespace brenvik
