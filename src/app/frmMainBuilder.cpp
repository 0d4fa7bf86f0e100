// TfrmMain's fixed phrases, line tools, print-statement builder and tab and full-width-space
// marks.
#include "app/LineTools.h"
#include "app/PhraseInsert.h"
#include "app/PhraseMenu.h"
#include "app/ProgramFolder.h"
#include "app/frmMain.h"
#include "app/frmPrint.h"
#include "editor/Editor.h"
#include "editor/EditorCaret.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace brenvik {

void TfrmMain::CreateBuilderParts()
{
    const auto bind = [this](const char* name, auto handler) {
        connect(
            Action(QLatin1String(name)), &QAction::triggered, this, [this, handler] { RunCommand(handler); });
    };
    bind("actMakeConst", [this] { MakeConst(); });
    bind("actfrmPrint", [this] { ToggleBuilder(); });
    bind("actToolIndent", [this] { ToolIndent(); });
    bind("actToolComment", [this] { ToolComment(); });
    AddRule("actMakeConst", [] { return true; });
    AddRule(
        "actfrmPrint", [] { return true; }, [this] { return frmPrint->isVisible(); });
    AddRule("actToolIndent", [this] { return edrMain->HasSelection(); });
    AddRule("actToolComment", [this] { return edrMain->HasSelection(); });

    MakeConst();
    frmPrint = std::make_unique<TfrmPrint>(*this);
}

QString TfrmMain::PhraseFolder() const
{
    return ProgramFolder() + QStringLiteral("/Const");
}

void TfrmMain::MakeConst()
{
    auto* mnuConst = menuBar()->findChild<QMenu*>(QStringLiteral("mnuConst"));
    RebuildPhraseMenu(*mnuConst, Action(QStringLiteral("actMakeConst")), PhraseFolder(),
        [this](const QString& path) { RunCommand([this, path] { InsertPhrase(path); }); });
}

void TfrmMain::InsertPhrase(const QString& path)
{
    QString error;
    if (!InsertPhraseFile(*edrMain, path, error))
        FPrompts->ShowError(this, error);
}

void TfrmMain::ToolIndent()
{
    PrefixSelectedLines(edrMain->Model(), IndentUnit(edrMain->Caret()->SoftTab(), edrMain->TabSpaceCount()));
}

void TfrmMain::ToolComment()
{
    PrefixSelectedLines(edrMain->Model(), "#");
}

void TfrmMain::ToggleBuilder()
{
    if (frmPrint->isVisible()) {
        frmPrint->hide();
        return;
    }
    frmPrint->show();
    frmPrint->raise();
    frmPrint->activateWindow();
    frmPrint->Editor().setFocus();
}

bool TfrmMain::InsertStatements(const std::string& text)
{
    if (edrMain->ReadOnly()) {
        ShowMessage(ReadOnlyInsertMessage());
        return false;
    }
    // No statements (an empty builder) must not delete the selection.
    if (!text.empty())
        edrMain->SetSelText(text);
    activateWindow();
    raise();
    edrMain->setFocus();
    return true;
}

void TfrmMain::ShowBuilderError(const QString& message)
{
    FPrompts->ShowError(
        frmPrint && frmPrint->isVisible() ? static_cast<QWidget*>(frmPrint.get()) : this, message);
}

} // namespace brenvik
