// The side file of the script in the main window: the keyword list and the memo box show the
// document's side-file session and hand their changes to it.
#include "app/ExplorerState.h"
#include "app/frmMain.h"

#include "jcode/SjisUnicode.h"

#include <QPlainTextEdit>

namespace brenvik {

void TfrmMain::ShowSideFile()
{
    const TSideFileSession& side = FDocument.Side();
    FExplorer->Models[kKeyWordList]->SetNames(side.Keywords());
    FExplorer->MemoReverting = true;
    memMemo->setPlainText(side.MemoText());
    FExplorer->MemoReverting = false;
    memMemo->setReadOnly(side.MemoLocked());
}

void TfrmMain::MemoChanged()
{
    if (FExplorer->MemoReverting || FDocument.Side().SetMemoText(memMemo->toPlainText()))
        return;
    // Text with no Shift_JIS form is refused, as the editor refuses it.
    FExplorer->MemoReverting = true;
    memMemo->undo();
    FExplorer->MemoReverting = false;
    ShowMessage(NoShiftJisMessage());
}

void TfrmMain::KeywordsChanged(bool write)
{
    TSideFileSession& side = FDocument.Side();
    side.SetKeywords(FExplorer->Models[kKeyWordList]->Names());
    if (const QString error = write ? side.Write() : QString(); !error.isEmpty())
        ShowMessage(error);
}

void TfrmMain::WriteChangedSideFile()
{
    if (const QString error = FDocument.Side().WriteChanged(); !error.isEmpty())
        ShowMessage(error);
}

} // namespace brenvik
