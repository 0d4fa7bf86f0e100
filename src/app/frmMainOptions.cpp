// What the options dialog and the about box reach of the main window: the "Option" values,
// the explorer views, the settings written at once, and the binding of their commands.
#include "app/frmMain.h"

#include "editor/Editor.h"

#include <QAction>
#include <QListWidget>
#include <QPlainTextEdit>

namespace brenvik {

void TfrmMain::SetOptions(const TMainOptions& options)
{
    FOptions = options;
    edrMain->SetUndoListMax(FOptions.UndoLimit);
    ApplyRecoveryOptions();
    // The tab and full-width-space marks are drawn over the rows.
    edrMain->viewport()->update();
}

QList<QWidget*> TfrmMain::ExplorerViews() const
{
    return {lbxVariable, lbxArrangement, lbxAssocArr, lbxSubRoutine, lbxKeyWord, memMemo};
}

void TfrmMain::BindCommand(const char* name, std::function<void()> handler)
{
    connect(Action(QLatin1String(name)), &QAction::triggered, this,
        [this, handler = std::move(handler)] { RunCommand(handler); });
}

} // namespace brenvik
