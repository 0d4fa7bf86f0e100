// TfrmMain's print-statement builder, and the fixed phrases and line tools it starts.
#include "app/PhraseCommands.h"
#include "app/PhraseInsert.h"
#include "app/frmMain.h"
#include "app/frmPrint.h"
#include "editor/Editor.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace brenvik {

void TfrmMain::CreateBuilderParts()
{
    connect(Action(QStringLiteral("actfrmPrint")), &QAction::triggered, this, [this] { RunCommand([this] { ToggleBuilder(); }); });
    AddRule(
        "actfrmPrint", [] { return true; }, [this] { return frmPrint->isVisible(); });
    new TPhraseCommands(*this);
    frmPrint = std::make_unique<TfrmPrint>(*this);
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
