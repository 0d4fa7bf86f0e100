// Fixed phrases and line tools of the main window.
#include "app/PhraseCommands.h"

#include "app/LineTools.h"
#include "app/PhraseInsert.h"
#include "app/PhraseMenu.h"
#include "app/ProgramFolder.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "editor/EditorCaret.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace brenvik {

TPhraseCommands::TPhraseCommands(TfrmMain& window)
    : QObject(&window)
    , FWindow(window)
{
    TEditor& editor = FWindow.Editor();
    const auto bind = [this](const char* name, auto handler) {
        connect(FWindow.Action(QLatin1String(name)), &QAction::triggered, this,
            [this, handler] { FWindow.RunCommand(handler); });
    };
    bind("actMakeConst", [this] { MakeConst(); });
    bind("actToolIndent", [&editor] {
        PrefixSelectedLines(editor.Model(), IndentUnit(editor.Caret()->SoftTab(), editor.TabSpaceCount()));
    });
    bind("actToolComment", [&editor] { PrefixSelectedLines(editor.Model(), "#"); });
    FWindow.AddRule("actMakeConst", [] { return true; });
    FWindow.AddRule("actToolIndent", [&editor] { return editor.HasSelection(); });
    FWindow.AddRule("actToolComment", [&editor] { return editor.HasSelection(); });
    MakeConst();
}

void TPhraseCommands::MakeConst()
{
    auto* mnuConst = FWindow.menuBar()->findChild<QMenu*>(QStringLiteral("mnuConst"));
    RebuildPhraseMenu(*mnuConst, FWindow.Action(QStringLiteral("actMakeConst")), ProgramFolder() + QStringLiteral("/Const"),
        [this](const QString& path) { FWindow.RunCommand([this, path] { InsertPhrase(path); }); });
}

void TPhraseCommands::InsertPhrase(const QString& path)
{
    QString error;
    if (!InsertPhraseFile(FWindow.Editor(), path, error))
        FWindow.FPrompts->ShowError(&FWindow, error);
}

} // namespace brenvik
