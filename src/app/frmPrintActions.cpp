// The builder's commands: the action table, menus, tool bar, popup, idle rules and insertion.
#include "app/frmPrint.h"

#include "app/PhraseInsert.h"
#include "app/PhraseMenu.h"
#include "app/WindowParts.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "highlight/HTMLFountain.h"
#include "text/EditorStrings.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

namespace brenvik {

namespace {

struct TFormItem {
    const char* Name;
    const char* Caption;
    TPrintForm Form;
};

constexpr TFormItem kForms[] = {
    {"mnuDoubleQuotation", "”～”：変数展開有り(&1)", TPrintForm::pfDoubleQuoted},
    {"mnuSingleQuotation", "’～’：変数展開無し(&2)", TPrintForm::pfSingleQuoted},
    {"mnuHearDoubleQuotation", "”ヒアドキュメント”：変数展開有り(&3)", TPrintForm::pfHereDouble},
    {"mnuHearSingleQuotation", "’ヒアドキュメント’：変数展開無し(&4)", TPrintForm::pfHereSingle},
};

} // namespace

QAction* TfrmPrint::AddAction(const char* name, const char* caption, const char* shortcut, const char* hint)
{
    return AddHintedAction(*this, name, caption, shortcut, hint);
}

QAction* TfrmPrint::Action(const QString& name) const
{
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void TfrmPrint::RunCommand(const std::function<void()>& command)
{
    FMain.RunBuilderCommand(command);
}

void TfrmPrint::CreateActions()
{
    // Ctrl+Shift+I: Shift+I alone would take the capital I away from typing.
    AddAction("actInsert", "挿入(&I)", "Ctrl+Shift+I");
    AddAction("actInsertClose", "挿入して閉じる(&C)", "Ctrl+I");
    AddAction("actClose", "閉じる(&X)", nullptr);
    AddEditCommands(*this);
    AddAction("actMakeConst", "更新", nullptr, "定型文メニューを更新");
    AddAction("mnuViewHTML", "HTMLビュー(&H)", nullptr)->setCheckable(true);
    Action(QStringLiteral("mnuViewHTML"))->setChecked(true);
    AddAction("mnuViewTop", "常に前面に表示(&T)", nullptr)->setCheckable(true);
    // The builder's settings dialog comes with the options dialog.
    AddAction("O2", "設定(&O)", nullptr)->setEnabled(false);

    FForms = new QActionGroup(this);
    FForms->setExclusive(true);
    for (const TFormItem& item : kForms) {
        QAction* action = AddAction(item.Name, item.Caption, nullptr);
        action->setCheckable(true);
        action->setData(static_cast<int>(item.Form));
        FForms->addAction(action);
    }
    Action(QStringLiteral("mnuDoubleQuotation"))->setChecked(true);

    const auto bind = [this](const char* name, auto handler) {
        connect(
            Action(QLatin1String(name)), &QAction::triggered, this, [this, handler] { RunCommand(handler); });
    };
    bind("actInsert", [this] { Insert(); });
    bind("actInsertClose", [this] { InsertClose(); });
    bind("actClose", [this] { CloseBuilder(); });
    bind("actUndo", [this] { edrPrint->Undo(); });
    bind("actRedo", [this] { edrPrint->Redo(); });
    bind("actCut", [this] { edrPrint->CutToClipboard(); });
    bind("actCopy", [this] { edrPrint->CopyToClipboard(); });
    bind("actPaste", [this] { edrPrint->PasteFromClipboard(); });
    bind("actSelectAll", [this] { edrPrint->SelectAll(); });
    bind("actMakeConst", [this] { MakeConst(); });
    bind("mnuViewHTML", [this] {
        edrPrint->SetFountain(
            Action(QStringLiteral("mnuViewHTML"))->isChecked() ? FHTMLFountain.get() : nullptr);
    });
    bind("mnuViewTop", [this] {
        const bool wasVisible = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, Action(QStringLiteral("mnuViewTop"))->isChecked());
        // Changing a window flag hides the window.
        if (wasVisible)
            show();
    });

    FRules = {
        {Action(QStringLiteral("actUndo")), [this] { return edrPrint->CanUndo(); }},
        {Action(QStringLiteral("actRedo")), [this] { return edrPrint->CanRedo(); }},
        {Action(QStringLiteral("actCut")), [this] { return edrPrint->HasSelection(); }},
        {Action(QStringLiteral("actCopy")), [this] { return edrPrint->HasSelection(); }},
    };
}

void TfrmPrint::CreateMenus()
{
    const auto fill = [this](QWidget* target, std::initializer_list<const char*> names) {
        AddCommands(*target, *this, names);
    };
    fill(menuBar()->addMenu(QStringLiteral("挿入(&I)")), {"actInsert", "actInsertClose", "-", "actClose"});
    fill(menuBar()->addMenu(QStringLiteral("形式(&F)")),
        {"mnuDoubleQuotation", "mnuSingleQuotation", "mnuHearDoubleQuotation", "mnuHearSingleQuotation"});
    const std::initializer_list<const char*> editItems {
        "actUndo", "actRedo", "-", "actCut", "actCopy", "actPaste", "-", "actSelectAll"};
    fill(menuBar()->addMenu(QStringLiteral("編集(&E)")), editItems);
    mnuConst = menuBar()->addMenu(QStringLiteral("書式"));
    mnuConst->setObjectName(QStringLiteral("mnuConst"));
    fill(menuBar()->addMenu(QStringLiteral("設定(&O)")), {"mnuViewHTML", "-", "mnuViewTop", "-", "O2"});

    QToolBar* bar = addToolBar(QStringLiteral("ツールバー"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    const auto icon = [this](const char* name, const char* theme, QStyle::StandardPixmap fallback) {
        Action(QLatin1String(name))->setIcon(ToolIcon(theme, fallback));
    };
    icon("actCut", "edit-cut", QStyle::SP_CustomBase);
    icon("actCopy", "edit-copy", QStyle::SP_CustomBase);
    icon("actPaste", "edit-paste", QStyle::SP_CustomBase);
    icon("actUndo", "edit-undo", QStyle::SP_ArrowBack);
    icon("actRedo", "edit-redo", QStyle::SP_ArrowForward);
    fill(bar, {"actCut", "actCopy", "actPaste", "-", "actUndo", "actRedo"});

    ReplaceEditorPopup(*edrPrint, *this, editItems);
}

void TfrmPrint::MakeConst()
{
    RebuildPhraseMenu(*mnuConst, Action(QStringLiteral("actMakeConst")), PhraseFolder(),
        [this](const QString& path) { RunCommand([this, path] { InsertPhrase(path); }); });
}

void TfrmPrint::InsertPhrase(const QString& path)
{
    QString error;
    if (!InsertPhraseFile(*edrPrint, path, error))
        FMain.ShowBuilderError(error);
}

TPrintForm TfrmPrint::Form() const
{
    const QAction* checked = FForms->checkedAction();
    return checked ? static_cast<TPrintForm>(checked->data().toInt()) : TPrintForm::pfDoubleQuoted;
}

std::string TfrmPrint::Statements() const
{
    // Logical lines: a line wrapped on screen is still one statement.
    return PrintStatements(
        BuilderLines(edrPrint->Lines().GetTextStr()), Form(), CaretAlignment(FMain.Editor()));
}

bool TfrmPrint::Insert()
{
    return FMain.InsertStatements(Statements());
}

void TfrmPrint::InsertClose()
{
    if (Insert())
        CloseBuilder();
}

void TfrmPrint::IdleUpdate()
{
    for (const TUpdateRule& rule : FRules) {
        const bool enabled = rule.Enabled();
        if (rule.Action->isEnabled() != enabled)
            rule.Action->setEnabled(enabled);
    }
    if (FWrapPending && isVisible()) {
        FWrapPending = false;
        FollowWindowWidth();
        UpdateScrollBars();
    }
}

} // namespace brenvik
