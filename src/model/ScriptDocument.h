// One script: its text (the editing model with its undo history), the characters a UTF-8 file's
// codes stand for, the file it came from and the codes it is written in; reading and writing it,
// its find session and its side file. Headless: it asks nobody; results say what happened and why,
// and the window turns them into questions and messages. Editors showing it share its text and table.
#pragma once

#include "jcode/DocumentChars.h"
#include "jcode/LineCodec.h"
#include "jcode/OwnChars.h"
#include "jcode/ScriptFile.h"
#include "model/EditorModel.h"
#include "model/FindSession.h"
#include "model/ScriptFileCheck.h"
#include "model/ScriptTextCopy.h"
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
    QString Warning; // what the user is told after a read or write that succeeded, empty when nothing
    explicit operator bool() const { return Error.isEmpty(); }
};

// How a save writes lines: wfAsFound keeps each unedited line, its break, the last break or its absence and
// the JIS escapes as the file had them when the codes are the document's; wfRules writes every line anew.
enum class TWriteForms { wfAsFound, wfRules };

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
    // progress, when given, is told how far the read has come and may cancel it (nothing changes then).
    TFileResult Load(const QString& fileName, std::optional<TStatedCodes> stated, const TScriptFileCheck& check,
        const TReadProgress& progress = {});
    // The first character that only UTF-8 writes as itself, when saving in jcode would lose it.
    std::optional<TOwnCharsFound> CharsLostIn(JCode jcode) const;
    // Writes the text to fileName (through a link to its target; the old file kept on failure);
    // rcNone writes the file's first break, else defaultRCode. On success the document takes the
    // name and codes and is unmodified, and the side file is written under the name. A file that
    // looked binary gets a warning at its first save.
    TFileResult Save(const QString& fileName, TStatedCodes codes, RCode defaultRCode,
        TWriteForms forms = TWriteForms::wfAsFound);
    // The text as it stands now, with the codes and first break Save would write it in; the
    // document keeps its name, codes and modified flag.
    TScriptTextCopy CopyText() const;
    // Writes a copy to fileName as Save writes the text; safe on any thread.
    static TFileResult WriteCopy(const QString& fileName, const TScriptTextCopy& copy);
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
    TStatedCodes WrittenCodes(TStatedCodes codes, RCode defaultRCode) const;
    // forms, when given, writes each unedited line as the file had it.
    static TFileResult WriteLines(const QString& fileName, const TSaveLines& lines, const TStatedCodes& codes,
        const TDocumentChars& chars, const TFileForms* forms = nullptr);

    TEditorModel FModel;
    std::shared_ptr<TDocumentChars> FChars = std::make_shared<TDocumentChars>();
    QString FFileName;
    TStatedCodes FCodes;
    // The code of the file's first line break, for saving a document read with RCode 0.
    RCode FFirstBreak = rcNone;
    // How the file's lines stood, while the document is written in the codes it was read in; null for a
    // new document and after a save in other codes.
    std::shared_ptr<TFileForms> FForms;
    // Opened though it looked binary, and not saved since.
    bool FBinaryUnsaved = false;
    bool FUnheldReadOnly = false;
    TFindSession FFind;
    TSideFileSession FSide;
};

} // namespace brenvik
