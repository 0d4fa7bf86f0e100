// The script document: its text, table and codes, and the reads and writes of its file.
#include "model/ScriptDocument.h"

#include "jcode/FileBytes.h"
#include "jcode/FileForms.h"
#include "jcode/ScriptFile.h"
#include "model/RecoveryFile.h"
#include "model/ScriptLines.h"
#include "text/EditorStrings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <new>

namespace brenvik {

namespace {

std::string NativeName(const QString& fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

// The reason of a failed read or write, in the words of the file layer.
QString ReasonOf(const std::exception& error)
{
    if (const auto* fileError = dynamic_cast<const EScriptFileError*>(&error))
        return QString::fromStdString(fileError->Reason());
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return QStringLiteral("メモリが足りません。");
    return QString::fromLocal8Bit(error.what());
}

} // namespace

TScriptDocument::TScriptDocument()
    : FFind(*this)
    , FSide(*this)
{
}

void TScriptDocument::ShareText(TScriptDocument& other)
{
    FModel.ShareRows(other.FModel);
    FChars = other.FChars;
    FForms = other.FForms;
}

QString TScriptDocument::Folder(const QString& fallback) const
{
    return FFileName.isEmpty() ? fallback : QFileInfo(FFileName).absolutePath();
}

TFileResult TScriptDocument::Load(
    const QString& fileName, std::optional<TStatedCodes> stated, const TScriptFileCheck& check, const TReadProgress& progress)
{
    const QString name = QFileInfo(fileName).absoluteFilePath();
    TStatedCodes codes;
    TDocumentChars chars;
    std::unique_ptr<TFileForms> forms;
    // The script being replaced keeps what changed in its side file, before its lines and their
    // bookmarks give way to the new text.
    TFileResult result {{}, FSide.WriteChanged(), {}};
    try {
        // The decoder hands each line straight to the row list, which wraps it as it arrives.
        FModel.Lines().LoadLines(
            [&](const TLineSink& sink) {
                codes = DecodeScriptFileTo(NativeName(name), stated, sink, &chars, &forms, progress);
            },
            FileEndsWithBreak(NativeName(name)));
    } catch (const std::exception& error) {
        return {ReasonOf(error), result.Note, {}};
    }
    // Each line's form goes with the row that ends it, so that it follows the line through edits.
    TEditorScreenStrings& rows = FModel.Rows();
    rows.SetLineData(forms->TakeLineForms());
    forms->SetFinalBreak(rows.Count() == 0 || rows.RowAttribute(rows.Count() - 1) != raEndOfText);
    if (forms->StrayBytes() > 0)
        result.Warning = QStringLiteral("UTF-8 として読めないバイトが %1 個あります。そのままのバイトとして残し、"
                                        "保存でも元のとおりに書きます。")
                             .arg(forms->StrayBytes());
    // Only now, with the text in place, does the document take the file's name, codes and table.
    SetChars(std::move(chars));
    FFileName = name;
    // The document's line end is the file's own, whatever was stated or fell outside the first bytes.
    if (check.FirstBreak != rcNone)
        codes.rcode = check.FirstBreak;
    FCodes = codes;
    FFirstBreak = check.FirstBreak;
    FForms = std::move(forms);
    FBinaryUnsaved = check.LooksBinary;
    // A file whose characters the user-defined area cannot all hold is opened read-only, so that
    // no save can lose them.
    if (FUnheldReadOnly || Unheld())
        FModel.SetReadOnly(Unheld().has_value());
    FUnheldReadOnly = Unheld().has_value();
    FModel.SetModified(false);
    FModel.SetRowCol(0, 0);
    if (const QString note = FSide.Read(); !note.isEmpty())
        result.Note = note;
    FModel.Marks().SetLines(TMarkKind::Bookmark, FSide.Bookmarks());
    return result;
}

std::optional<TOwnCharsFound> TScriptDocument::CharsLostIn(JCode jcode) const
{
    if (jcode == jcUtf8)
        return std::nullopt;
    return FindOwnChars(TScriptLines(FModel.Rows()), *FChars);
}

TFileResult TScriptDocument::Save(const QString& fileName, TStatedCodes codes, RCode defaultRCode, TWriteForms forms)
{
    const QString name = QFileInfo(fileName).absoluteFilePath();
    codes = WrittenCodes(codes, defaultRCode);
    // The file's own forms are kept only in the codes it was read in (any line end for a file without one).
    const bool asFound = FForms && forms == TWriteForms::wfAsFound && codes.jcode == FCodes.jcode
        && codes.bom == FCodes.bom && (codes.rcode == FCodes.rcode || FCodes.rcode == rcNone);
    // A link is written through: its target gets the text, the link stays a link.
    const QFileInfo info(name);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : name;
    if (TFileResult written
        = WriteLines(target, TScriptLines(FModel.Rows()), codes, *FChars, asFound ? FForms.get() : nullptr);
        !written)
        return written;
    TFileResult result {{}, {}, {}};
    if (FBinaryUnsaved)
        result.Warning = QStringLiteral("バイナリファイルとして開いたファイルを保存しました。"
                                        "編集しなかった部分は元のバイトのまま書きました。");
    FBinaryUnsaved = false;
    FFileName = name;
    if (!asFound)
        FForms.reset();
    FCodes = codes;
    FFirstBreak = codes.rcode;
    FModel.SetModified(false);
    result.Note = FSide.Write();
    return result;
}

TStatedCodes TScriptDocument::WrittenCodes(TStatedCodes codes, RCode defaultRCode) const
{
    // A document read without a line break in its first bytes keeps the file's own first break.
    if (codes.rcode == rcNone)
        codes.rcode = FFirstBreak != rcNone ? FFirstBreak : defaultRCode;
    return codes;
}

TFileResult TScriptDocument::WriteLines(const QString& fileName, const TSaveLines& lines, const TStatedCodes& codes,
    const TDocumentChars& chars, const TFileForms* forms)
{
    try {
        SaveScriptFile(NativeName(fileName), lines, codes, chars, forms);
    } catch (const std::exception& error) {
        return {ReasonOf(error), {}, {}};
    }
    return {};
}

TScriptTextCopy TScriptDocument::CopyText() const
{
    return TScriptTextCopy(FModel.Rows(), WrittenCodes(FCodes, rcLf), *FChars);
}

TFileResult TScriptDocument::WriteCopy(const QString& fileName, const TScriptTextCopy& copy)
{
    return WriteLines(fileName, copy, copy.Codes(), copy.Chars());
}

std::shared_ptr<TRecoverySnapshot> TScriptDocument::Snapshot(std::shared_ptr<TRecoverySnapshot> into) const
{
    std::shared_ptr<TRecoverySnapshot> snapshot = into ? std::move(into) : std::make_shared<TRecoverySnapshot>();
    snapshot->Rows = FModel.Rows().RowList();
    snapshot->Chars = *FChars;
    snapshot->Header = {};
    snapshot->Header.Owner = CurrentProcess();
    snapshot->Header.FileName = FFileName;
    snapshot->Header.Codes = FCodes;
    snapshot->Header.FirstBreak = FFirstBreak;
    const int rows = snapshot->Rows.Count();
    snapshot->Header.FinalBreak = rows > 0 && snapshot->Rows.RowAttribute(rows - 1) != raEndOfText;
    return snapshot;
}

TFileResult TScriptDocument::Restore(const TRecoveredText& recovered)
{
    const TRecoveryHeader& header = recovered.Header;
    TDocumentChars chars;
    try {
        FModel.Lines().LoadLines([&](const TLineSink& sink) {
            DecodeFileTo(recovered.Body, RecoveryBodyCodes(header.Codes.jcode), sink, &chars);
        }, header.FinalBreak);
    } catch (const std::exception& error) {
        return {ReasonOf(error), {}, {}};
    }
    TFileResult result {{}, FSide.WriteChanged(), {}};
    SetChars(std::move(chars));
    FFileName = header.FileName;
    FCodes = header.Codes;
    FFirstBreak = header.FirstBreak;
    // The recovered text is written by the rules: the file's own line forms are not known for it.
    FForms.reset();
    FBinaryUnsaved = false;
    if (FUnheldReadOnly || Unheld())
        FModel.SetReadOnly(Unheld().has_value());
    FUnheldReadOnly = Unheld().has_value();
    FModel.SetModified(true);
    FModel.SetRowCol(0, 0);
    if (const QString note = FSide.Read(); !note.isEmpty())
        result.Note = note;
    return result;
}

} // namespace brenvik
