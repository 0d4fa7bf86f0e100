// The side file of the script in the main window: its keywords and memo are read after a
// load, written after a save, after a keyword is added and when a changed memo loses the
// focus, and written before the script is replaced or the window closes when they changed.
// A side file that exists but could not be read is never overwritten.
#include "app/ExplorerState.h"
#include "app/ProgramFolder.h"
#include "app/frmMain.h"

#include "editor/EditorCharset.h"
#include "model/ExplorerKeywords.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace brenvik {

namespace {

QString MemoText(const std::string& bytes)
{
    return TEditorCharset::ToUnicode(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::optional<std::string> MemoBytes(const QString& text)
{
    QString lines = text;
    return TEditorCharset::FromUnicode(lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

} // namespace

QString TfrmMain::SideFileName() const
{
    return FFileName.isEmpty() ? QString()
                               : SideFilePath(ProgramFolder() + QStringLiteral("/ini"), FFileName);
}

void TfrmMain::ReadSideFile()
{
    // A script without a side file starts with no keywords and an empty memo.
    FExplorer->BlockedPath.clear();
    TSideFileContent content;
    if (!FFileName.isEmpty()) {
        TSideFileRead read = brenvik::ReadSideFile(SideFileName());
        if (read.State == TSideFileState::Unreadable) {
            FExplorer->BlockedPath = SideFileName();
            ShowMessage(read.Reason + QStringLiteral(" このファイルには書き込みません。"));
        }
        content = std::move(read.Content);
    }
    std::erase(content.Keywords, std::string());
    if (content.Keywords.size() > size_t(kKeywordCapacity))
        content.Keywords.resize(size_t(kKeywordCapacity));
    FExplorer->Models[kKeyWordList]->SetNames(std::move(content.Keywords));
    SetMemo(content.Memo);
    FExplorer->SideChanged = false;
}

void TfrmMain::SetMemo(const std::string& bytes)
{
    const QString text = MemoText(bytes);
    // Bytes that do not decode would change on the way back: such a memo is only shown.
    const bool locked = MemoBytes(text) != bytes;
    FExplorer->MemoLocked = locked;
    FExplorer->MemoBytes = locked ? bytes : std::string();
    FExplorer->MemoReverting = true;
    memMemo->setPlainText(text);
    FExplorer->MemoReverting = false;
    memMemo->setReadOnly(locked);
    if (locked)
        ShowMessage(
            QStringLiteral("メモにShift_JISとして読めないバイトがあるため、読み取り専用で表示します。"));
}

void TfrmMain::MemoChanged()
{
    if (FExplorer->MemoReverting)
        return;
    if (!MemoBytes(memMemo->toPlainText())) {
        // Text with no Shift_JIS form is refused, as the editor refuses it.
        FExplorer->MemoReverting = true;
        memMemo->undo();
        FExplorer->MemoReverting = false;
        ShowMessage(TEditorCharset::NoShiftJisMessage());
        return;
    }
    FExplorer->SideChanged = true;
}

void TfrmMain::WriteSideFile()
{
    const QString path = SideFileName();
    if (path.isEmpty() || path == FExplorer->BlockedPath)
        return;
    TSideFileContent content;
    content.Keywords = FExplorer->Models[kKeyWordList]->Names();
    if (FExplorer->MemoLocked) {
        content.Memo = FExplorer->MemoBytes;
    } else if (const std::optional<std::string> memo = MemoBytes(memMemo->toPlainText())) {
        content.Memo = *memo;
    } else {
        ShowMessage(TEditorCharset::NoShiftJisMessage());
        return;
    }
    const QString error = brenvik::WriteSideFile(path, content);
    if (!error.isEmpty()) {
        ShowMessage(error);
        return;
    }
    FExplorer->SideChanged = false;
}

void TfrmMain::WriteChangedSideFile()
{
    if (FExplorer->SideChanged)
        WriteSideFile();
}

} // namespace brenvik
