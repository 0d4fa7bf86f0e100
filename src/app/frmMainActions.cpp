// The main window's commands: the action table, menus, tool bar, the editor's popup menu, the
// enable rules run at idle, and the keys and wheel the window takes before the editor.
#include "app/FindCommands.h"
#include "app/DiskWatch.h"
#include "app/frmMain.h"

#include "app/WindowParts.h"
#include "editor/Editor.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

namespace brenvik {

namespace {

struct TToolIcon {
    const char* Action;
    const char* Theme;
    QStyle::StandardPixmap Fallback;
};

constexpr TToolIcon kToolIcons[] = {
    {"actFileNew", "document-new", QStyle::SP_FileIcon},
    {"actFileOpen", "document-open", QStyle::SP_DialogOpenButton},
    {"actFileSave", "document-save", QStyle::SP_DialogSaveButton},
    {"actCut", "edit-cut", QStyle::SP_CustomBase},
    {"actCopy", "edit-copy", QStyle::SP_CustomBase},
    {"actPaste", "edit-paste", QStyle::SP_CustomBase},
    {"actKeyWordAdd", "bookmark-new", QStyle::SP_CustomBase},
    {"actUndo", "edit-undo", QStyle::SP_ArrowBack},
    {"actRedo", "edit-redo", QStyle::SP_ArrowForward},
    {"actFind", "edit-find", QStyle::SP_FileDialogContentsView},
    {"actFindForward", "go-down", QStyle::SP_ArrowDown},
    {"actFindBackward", "go-up", QStyle::SP_ArrowUp},
    {"actReplace", "edit-find-replace", QStyle::SP_CustomBase},
    {"actfrmPrint", "insert-text", QStyle::SP_CustomBase},
    {"actMakeList", "view-refresh", QStyle::SP_BrowserReload},
};

} // namespace

QAction* TfrmMain::AddAction(const char* name, const char* caption, const char* shortcut, const char* hint)
{
    return AddHintedAction(*this, name, caption, shortcut, hint);
}

QAction* TfrmMain::Action(const QString& name) const
{
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void TfrmMain::AddRule(const char* name, std::function<bool()> enabled, std::function<bool()> checked)
{
    QAction* action = Action(QLatin1String(name));
    if (checked)
        action->setCheckable(true);
    FRules.push_back({action, std::move(enabled), std::move(checked)});
}

bool TfrmMain::MemoFocused() const
{
    return memMemo->hasFocus();
}

void TfrmMain::RunCommand(const std::function<void()>& command)
{
    // The backstop of every command: a failure becomes one error box, never the end of the
    // program or of the text typed so far.
    static bool showing = false;
    QString message;
    try {
        command();
        return;
    } catch (const std::bad_alloc&) {
        message = QStringLiteral("メモリが足りません。");
    } catch (const std::exception& error) {
        message = QString::fromLocal8Bit(error.what());
    } catch (...) {
        message = QStringLiteral("予期しないエラーが発生しました。");
    }
    if (showing)
        return;
    showing = true;
    FPrompts->ShowError(this, message);
    showing = false;
}

void TfrmMain::CreateActions()
{
    AddAction("actFileNew", "新規作成(&N)", "Ctrl+N", "新規作成|新規にファイルを作成");
    AddAction("actFileOpen", "開く(&O)...", "Ctrl+O", "開く|既存のファイルを開く");
    AddAction("actFileOpenClose", "閉じて開く...(&C)", nullptr, "閉じて開く|ファイルを閉じてから既存のファイルを開く");
    AddAction("actFileOpenCode", "コード指定して開く...", nullptr, "コードを指定して開く|文字コード形式を指定して既存ファイルを開く");
    AddAction("actFileSave", "上書き保存(&S)", "Ctrl+S", "保存|ファイルを保存");
    AddAction("actFileSaveAs", "名前を付けて保存(&A)...", nullptr, "ファイルに名前を付けて保存");
    AddAction("actFileSaveCode", "コード指定して保存...", nullptr, "文字コードを指定して保存");
    AddAction("actFilePrint", "印刷(&P)...", "Ctrl+P", "ファイルを印刷");
    AddAction("actReOpen", "-", nullptr, "指定のファイルを開く");
    AddAction("actFileClose", "終了(&X)", nullptr, "Brenvikを終了");
    AddEditCommands(*this);
    AddAction("actOverWrap", "上書きモード(&O)", "Ins", "上書きモード設定");
    AddAction("actSelectMode", "矩形選択モード(&B)", nullptr, "矩形選択モード設定");
    AddAction("actKeyWordAdd", "キーワード化(&K)", "Ctrl+K", "キーワード化|選択文字列をキーワードに追加");
    AddAction("actKeyWordViewOFF", "キーワードの強調解除", "Alt+K", "キーワードの強調表示を解除");
    AddAction("actFind", "検索(&F)", "Ctrl+F", "検索|指定した文字列の検索");
    AddAction("actFindForward", "次を検索", "F3", "次を検索");
    AddAction("actFindBackward", "前を検索", "Shift+F3", "前を検索");
    AddAction("actReplace", "置換(&H)", "Ctrl+H", "置換|指定した文字列を他の文字列で置換");
    AddAction("actFindViewOFF", "検索結果の強調を解除(&E)", "Ctrl+F3", "検索した文字列の強調表示を解除");
    AddAction("actGrep", "Grep(&G)...", "Ctrl+G", "Grep|フォルダ内のファイルから文字列を検索");
    AddAction("actMakeList", "最新の状態に更新", "F5", "更新|変数エクスプローラーの内容を更新");
    AddAction("actMakeConst", "更新", nullptr, "定型文メニューを更新");
    AddAction("actfrmPrint", "Print文の挿入(&P)", nullptr, "Print文|Print文挿入フォームを表示");
    AddAction("actToolIndent", "選択行をインデント(&I)", nullptr, "選択行の先頭にインデントを追加");
    AddAction("actToolComment", "選択行をコメント化(&C)", nullptr, "選択行の先頭に#マークを追加");
    AddAction("actViewListSubRoutine", "＆サブルーチン(&S)", nullptr, "変数エクスプローラー・サブルーチンパートの表示設定");
    AddAction("actViewListVariable", "＄変数(&V)", nullptr, "変数エクスプローラー・変数パートの表示設定");
    AddAction("actViewListArrangement", "＠配列(&A)", nullptr, "変数エクスプローラー・配列パートの表示設定");
    AddAction("actViewListAssocArr", "％連想配列(&S)", nullptr, "変数エクスプローラー・連想配列パートの表示設定");
    AddAction("actViewListKeyWord", "キーワード(&K)", nullptr, "変数エクスプローラー・キーワードパートの表示設定");
    AddAction("actViewMemo", "メモ(&M)", nullptr, "変数エクスプローラー・メモパートの表示設定");
    AddAction("actViewListTabPage", "タブシート(&T)", nullptr, "変数エクスプローラー・タブシートの表示設定");
    AddAction("actOption", "設定(&O)", nullptr, "設定ダイアログを開く");
    AddAction("actAbout", "バージョン情報(&A)...", nullptr, "バージョン情報を表示");
    // "-": the separator after which the history entries stand.
    Action("actReOpen")->setText(QString());
    Action("actReOpen")->setSeparator(true);

    const auto bind = [this](const char* name, auto handler) {
        connect(Action(QLatin1String(name)), &QAction::triggered, this, [this, handler] { RunCommand(handler); });
    };
    bind("actFileNew", [this] { FileNew(); });
    bind("actFileOpen", [this] { FileOpen(); });
    bind("actFileOpenClose", [this] { FileOpenClose(); });
    bind("actFileOpenCode", [this] { FileOpenCode(); });
    bind("actFileSave", [this] { FileSave(); });
    bind("actFileSaveAs", [this] { FileSaveAs(); });
    bind("actFileSaveCode", [this] { FileSaveCode(); });
    bind("actFilePrint", [this] { FilePrint(); });
    bind("actFileClose", [this] { close(); });
    bind("actUndo", [this] { MemoFocused() ? memMemo->undo() : edrMain->Undo(); });
    // The memo has no redo of its own here: Ctrl+Y always redoes in the editor.
    bind("actRedo", [this] { edrMain->Redo(); });
    bind("actCut", [this] { MemoFocused() ? memMemo->cut() : edrMain->CutToClipboard(); });
    bind("actCopy", [this] { MemoFocused() ? memMemo->copy() : edrMain->CopyToClipboard(); });
    bind("actPaste", [this] { MemoFocused() ? memMemo->paste() : edrMain->PasteFromClipboard(); });
    bind("actSelectAll", [this] { MemoFocused() ? memMemo->selectAll() : edrMain->SelectAll(); });
    bind("actOverWrap", [this] { edrMain->SetOverwrite(!edrMain->Overwrite()); });
    bind("actSelectMode", [this] { edrMain->SetBoxSelection(!edrMain->BoxSelection()); });

    AddRule("actFileSave", [this] { return edrMain->Modified(); });
    AddRule("actUndo", [this] { return MemoFocused() || edrMain->CanUndo(); });
    AddRule("actRedo", [this] { return edrMain->CanRedo(); });
    AddRule("actCut", [this] { return MemoFocused() || edrMain->HasSelection(); });
    AddRule("actCopy", [this] { return MemoFocused() || edrMain->HasSelection(); });
    AddRule("actOverWrap", [] { return true; }, [this] { return edrMain->Overwrite(); });
    AddRule("actSelectMode", [] { return true; }, [this] { return edrMain->BoxSelection(); });
    FFindCommands = new TFindCommands(*this);
}

void TfrmMain::CreateMenus()
{
    const auto fill = [this](QMenu* menu, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (name[0] == '-')
                menu->addSeparator();
            else
                menu->addAction(Action(QLatin1String(name)));
        }
    };
    mnuFile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    fill(mnuFile, {"actFileNew", "actFileOpen", "actFileOpenClose", "actFileOpenCode", "-", "actFileSave",
                      "actFileSaveAs", "actFileSaveCode", "-", "actFilePrint"});
    mnuHistorySplit = Action(QStringLiteral("actReOpen"));
    mnuFile->addAction(mnuHistorySplit);
    mnuFile->addSeparator();
    fill(mnuFile, {"actFileClose"});

    const std::initializer_list<const char*> editItems {"actUndo", "actRedo", "-", "actCut", "actCopy", "actPaste",
        "-", "actKeyWordAdd", "actKeyWordViewOFF", "-", "actSelectAll", "actOverWrap", "-", "actSelectMode"};
    fill(menuBar()->addMenu(QStringLiteral("編集(&E)")), editItems);
    fill(menuBar()->addMenu(QStringLiteral("検索(&S)")),
        {"actFind", "actFindForward", "actFindBackward", "-", "actReplace", "-", "actFindViewOFF", "-", "actGrep"});
    QMenu* mnuConst = menuBar()->addMenu(QStringLiteral("定型文(&C)"));
    mnuConst->setObjectName(QStringLiteral("mnuConst"));
    fill(mnuConst, {"actMakeConst", "-"});
    fill(menuBar()->addMenu(QStringLiteral("ツール(&T)")),
        {"actMakeList", "-", "actfrmPrint", "actToolIndent", "actToolComment"});
    fill(menuBar()->addMenu(QStringLiteral("表示(&V)")),
        {"actViewListSubRoutine", "actViewListVariable", "actViewListArrangement", "actViewListAssocArr",
            "actViewListKeyWord", "actViewMemo", "-", "actViewListTabPage", "-", "actOption"});
    fill(menuBar()->addMenu(QStringLiteral("ヘルプ(&H)")), {"actAbout"});

    // The window's edit items replace the editor's own popup.
    ReplaceEditorPopup(*edrMain, *this, editItems);
}

void TfrmMain::CreateToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("ツールバー"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    for (const TToolIcon& icon : kToolIcons)
        Action(QLatin1String(icon.Action))->setIcon(ToolIcon(icon.Theme, icon.Fallback));
    const auto add = [&](std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (name[0] == '|')
                bar->addSeparator();
            else
                bar->addAction(Action(QLatin1String(name)));
        }
    };
    add({"actFileNew", "actFileOpen"});
    FReOpenMenu = new QMenu(this);
    FReOpenSplit = FReOpenMenu->addSeparator();
    sbtReOpen = new QToolButton(bar);
    sbtReOpen->setObjectName(QStringLiteral("sbtReOpen"));
    sbtReOpen->setText(QStringLiteral("▼"));
    sbtReOpen->setToolTip(QStringLiteral("指定のファイルを開く"));
    sbtReOpen->setMenu(FReOpenMenu);
    sbtReOpen->setPopupMode(QToolButton::InstantPopup);
    sbtReOpen->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    bar->addWidget(sbtReOpen);
    add({"actFileSave", "|", "actCut", "actCopy", "actPaste", "|", "actKeyWordAdd", "|", "actUndo", "actRedo", "|",
        "actFind", "actFindForward", "actFindBackward", "|", "actReplace", "|", "actfrmPrint", "|", "actMakeList"});
}

bool TfrmMain::event(QEvent* event)
{
    // Hints go to panel 5 only; the status bar's own message line would hide the panels.
    // Another program may have changed the file while the user was away.
    if (event->type() == QEvent::WindowActivate)
        FDiskWatch->LookSoon();
    if (event->type() == QEvent::StatusTip) {
        ShowMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == memMemo && event->type() == QEvent::ShortcutOverride) {
        // Ctrl+Y is the editor's redo even while the memo has the focus.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)) {
            event->ignore();
            return true;
        }
    }
    if (watched == edrMain && event->type() == QEvent::KeyPress) {
        // Shift+Insert pastes and Shift+Delete copies before the editor sees the key (which then
        // deletes the selection: a cut, as the keys have always meant).
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::ShiftModifier && key->key() == Qt::Key_Insert)
            RunCommand([this] { edrMain->PasteFromClipboard(); });
        else if (key->modifiers() == Qt::ShiftModifier && key->key() == Qt::Key_Delete)
            RunCommand([this] { edrMain->CopyToClipboard(); });
    }
    if (watched == edrMain->viewport() && event->type() == QEvent::Wheel) {
        // The desktop's lines per notch (or one row, as chosen), whether or not the editor has
        // the focus.
        ScrollWheelRows(*edrMain, *static_cast<QWheelEvent*>(event), FWheelPending,
            FOptions.WheelOneRow ? 1 : QApplication::wheelScrollLines());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace brenvik
