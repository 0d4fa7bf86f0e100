// The script document: its text, table and codes, and the reads and writes of its file.
#include "model/ScriptDocument.h"

#include "jcode/FileBytes.h"
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
}

QString TScriptDocument::Folder(const QString& fallback) const
{
    return FFileName.isEmpty() ? fallback : QFileInfo(FFileName).absolutePath();
}

TFileResult TScriptDocument::Load(const QString& fileName, std::optional<TStatedCodes> stated, const TScriptFileCheck& check)
{
    const QString name = QFileInfo(fileName).absoluteFilePath();
    TStatedCodes codes;
    TDocumentChars chars;
    try {
        // The decoder hands each line straight to the row list, which wraps it as it arrives.
        FModel.Lines().LoadLines(
            [&](const TLineSink& sink) { codes = DecodeScriptFileTo(NativeName(name), stated, sink, &chars); });
    } catch (const std::exception& error) {
        return {ReasonOf(error), {}};
    }
    // The script being replaced keeps what changed in its side file.
    TFileResult result {{}, FSide.WriteChanged()};
    // Only now, with the text in place, does the document take the file's name, codes and table.
    SetChars(std::move(chars));
    FFileName = name;
    FCodes = codes;
    FFirstBreak = check.FirstBreak;
    // A file whose characters the user-defined area cannot all hold is opened read-only, so that
    // no save can lose them.
    if (FUnheldReadOnly || Unheld())
        FModel.SetReadOnly(Unheld().has_value());
    FUnheldReadOnly = Unheld().has_value();
    FModel.SetModified(false);
    FModel.SetRowCol(0, 0);
    if (const QString note = FSide.Read(); !note.isEmpty())
        result.Note = note;
    return result;
}

std::optional<TOwnCharsFound> TScriptDocument::CharsLostIn(JCode jcode) const
{
    if (jcode == jcUtf8)
        return std::nullopt;
    return FindOwnChars(TScriptLines(FModel.Rows()), *FChars);
}

TFileResult TScriptDocument::Save(const QString& fileName, TStatedCodes codes, RCode defaultRCode)
{
    const QString name = QFileInfo(fileName).absoluteFilePath();
    // A document read without a line break in its first bytes keeps the file's own first break.
    if (codes.rcode == rcNone)
        codes.rcode = FFirstBreak != rcNone ? FFirstBreak : defaultRCode;
    // A link is written through: its target gets the text, the link stays a link.
    const QFileInfo info(name);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : name;
    try {
        SaveScriptFile(NativeName(target), TScriptLines(FModel.Rows()), codes, *FChars);
    } catch (const std::exception& error) {
        return {ReasonOf(error), {}};
    }
    FFileName = name;
    FCodes = codes;
    FFirstBreak = codes.rcode;
    FModel.SetModified(false);
    return {{}, FSide.Write()};
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
        return {ReasonOf(error), {}};
    }
    TFileResult result {{}, FSide.WriteChanged()};
    SetChars(std::move(chars));
    FFileName = header.FileName;
    FCodes = header.Codes;
    FFirstBreak = header.FirstBreak;
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
