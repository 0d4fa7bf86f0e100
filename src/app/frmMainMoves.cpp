// The main window's moves: to a line, back and forward through the caret's jumps, to the
// partner of a bracket, selecting to it, the bookmarks, and the box mode's shortcut. Their logic
// lives in the editor, its line marks and the go-to-line dialog; this file only makes the commands
// and places them in the menus.
#include "app/frmMain.h"

#include "app/GoToLineDialog.h"
#include "app/WindowParts.h"
#include "editor/Editor.h"
#include "text/EditorStrings.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace brenvik {

void TfrmMain::CreateMoveCommands()
{
    AddAction("actGoToBracket", "対応する括弧へ移動(&M)", "Ctrl+]", "対応する括弧へ移動|カーソル位置の括弧と対になる括弧へ移動");
    AddAction("actSelectToBracket", "対応する括弧まで選択", "Ctrl+Shift+]", "対応する括弧まで選択|カーソル位置の括弧から対になる括弧までを選択");
    AddAction("actGoToLine", "指定行へ移動(&J)...", "Ctrl+J", "指定行へ移動|指定した行(行:桁)へカーソルを移動");
    BindCommand("actGoToLine", [this] {
        TLineTarget target;
        const int lines = std::max(edrMain->Lines().GetCount(), 1);
        if (!RunGoToLine(this, lines, target))
            return;
        // A line past the end goes to the last; the column counts bytes of the line, as the
        // status bar's 桁 does.
        const int row = edrMain->Lines().LineToRow(std::min(target.Line, lines) - 1);
        edrMain->CancelSelection();
        edrMain->PlaceCaretAfter(row, target.Column - 1);
        edrMain->setFocus();
    });
    AddAction("actGoBack", "戻る(&B)", "Alt+Left", "戻る|ジャンプする前のカーソル位置へ戻る");
    AddAction("actGoForward", "進む(&W)", "Alt+Right", "進む|戻る前のカーソル位置へ進む");
    BindCommand("actGoBack", [this] { edrMain->GoBack(); });
    BindCommand("actGoForward", [this] { edrMain->GoForward(); });
    AddRule("actGoBack", [this] { return edrMain->CanGoBack(); });
    AddRule("actGoForward", [this] { return edrMain->CanGoForward(); });
    Action(QStringLiteral("actGoBack"))->setIcon(ToolIcon("go-previous", QStyle::SP_ArrowLeft));
    Action(QStringLiteral("actGoForward"))->setIcon(ToolIcon("go-next", QStyle::SP_ArrowRight));
    if (auto* bar = findChild<QToolBar*>(QStringLiteral("ToolBar"))) {
        bar->addSeparator();
        bar->addAction(Action(QStringLiteral("actGoBack")));
        bar->addAction(Action(QStringLiteral("actGoForward")));
    }
    BindCommand("actGoToBracket", [this] { edrMain->GoToMatchingBracket(false); });
    BindCommand("actSelectToBracket", [this] { edrMain->GoToMatchingBracket(true); });
    CreateBookmarkCommands();
    Action(QStringLiteral("actSelectMode"))->setShortcut(QKeySequence(QStringLiteral("Alt+Shift+B")));

    if (QMenu* find = MenuTitled(*this, QStringLiteral("検索(&S)"))) {
        find->addSeparator();
        find->addAction(Action(QStringLiteral("actGoToLine")));
        find->addAction(Action(QStringLiteral("actGoBack")));
        find->addAction(Action(QStringLiteral("actGoForward")));
        find->addAction(Action(QStringLiteral("actGoToBracket")));
        find->addAction(Action(QStringLiteral("actSelectToBracket")));
        find->addSeparator();
        for (const char* name : {"actBookmark", "actBookmarkNext", "actBookmarkPrevious", "actBookmarkClear"})
            find->addAction(Action(QString::fromLatin1(name)));
    }
}

void TfrmMain::CreateBookmarkCommands()
{
    AddAction("actBookmark", "ブックマークの設定/解除(&K)", "Ctrl+F2",
        "ブックマークの設定/解除|カーソル行のブックマークを設定または解除");
    AddAction("actBookmarkNext", "次のブックマーク(&N)", "F2", "次のブックマーク|次のブックマークの行へ移動");
    AddAction("actBookmarkPrevious", "前のブックマーク(&P)", "Shift+F2",
        "前のブックマーク|前のブックマークの行へ移動");
    AddAction("actBookmarkClear", "すべてのブックマークを解除", "Ctrl+Shift+F2",
        "すべてのブックマークを解除|このファイルのブックマークをすべて解除");
    const auto marks = [this]() -> TMarkedLines& { return edrMain->Model().Marks(); };
    const auto caretLine = [this] { return edrMain->Model().LineOfRow(edrMain->Row()); };
    const auto goTo = [this](std::optional<int> line) {
        if (!line)
            return;
        edrMain->CancelSelection();
        edrMain->PlaceCaretAfter(edrMain->Lines().LineToRow(*line), 0);
        edrMain->setFocus();
    };
    constexpr TMarkKind kind = TMarkKind::Bookmark;
    BindCommand("actBookmark", [=] { marks().Toggle(kind, caretLine()); });
    BindCommand("actBookmarkNext", [=] { goTo(marks().Next(kind, caretLine())); });
    BindCommand("actBookmarkPrevious", [=] { goTo(marks().Previous(kind, caretLine())); });
    BindCommand("actBookmarkClear", [=] { marks().Clear(kind); });
    const auto any = [=] { return !marks().Lines(kind).empty(); };
    for (const char* name : {"actBookmarkNext", "actBookmarkPrevious", "actBookmarkClear"})
        AddRule(name, any);
}

} // namespace brenvik
