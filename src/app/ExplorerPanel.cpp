// The variable explorer beside the editor: the four name lists and the keyword list, their popup
// menus and default commands, the rebuild (at once, or in the background as "ListUpdate" asks),
// go to use, the keyword search and highlight, and the side file's keywords and memo.
#include "app/ExplorerPanel.h"

#include "app/frmMain.h"

#include "editor/Editor.h"
#include "jcode/SjisUnicode.h"
#include "highlight/PERLFountain.h"
#include "model/ExplorerKeywords.h"
#include "model/ExplorerNavigation.h"
#include "model/KeywordSearch.h"
#include "text/EditorScreenStrings.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace brenvik {

namespace {

struct TListCommand {
    const char* Suffix;
    const char* Caption;
};

// The popup items of each list, by command number.
const std::vector<TListCommand> kSubRoutineCommands {{"A", "定義へ移動(&D)"}, {"B", "使用先へ移動(&M)"},
    {"C", "キーワード表示(&K)"}, {"D", "移動＆キーワード表示(&N)"}, {"E", "使用先に上へ移動(&U)"}};
const std::vector<TListCommand> kNameCommands {{"A", "使用先へ移動(&M)"}, {"B", "キーワード表示(&K)"},
    {"C", "移動＆キーワード表示(&N)"}, {"D", "使用先に上へ移動(&U)"}};

constexpr const char* kMenuNames[kListCount]
    = {"mnuSubRoutine", "mnuVariable", "mnuArrangement", "mnuAssocArr", "mnuKeyWord"};
constexpr const char* kSortActions[kExplorerListCount]
    = {"actSortSubRoutine", "actSortVariable", "actSortArrangement", "actSortAssocArr"};

const std::vector<TListCommand>& CommandsOf(int list)
{
    return list == elSubRoutine ? kSubRoutineCommands : kNameCommands;
}

// Calls back on one type of event of the watched object, which then goes on as usual.
class TEventWatcher : public QObject {
public:
    TEventWatcher(QEvent::Type type, std::function<void(QEvent*)> onEvent, QObject* parent)
        : QObject(parent)
        , FType(type)
        , FOnEvent(std::move(onEvent))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == FType)
            FOnEvent(event);
        return QObject::eventFilter(watched, event);
    }

private:
    QEvent::Type FType;
    std::function<void(QEvent*)> FOnEvent;
};

QString Decoded(const std::string& bytes, const TDocumentChars& chars)
{
    return SjisToUnicode(bytes, chars);
}

} // namespace

const TExplorerListModel& TExplorerPanel::ListModel(int list) const
{
    return *FState.Models[size_t(list)];
}

const TRowHighlighter& TExplorerPanel::RowHighlighter() const
{
    return FState.Highlighter;
}

QListView* TExplorerPanel::ListView(int list) const
{
    return FLists[size_t(list)];
}

int& TExplorerPanel::DefaultMenu(int list)
{
    static constexpr int TMainOptions::*kDefaultMenus[kListCount] = {&TMainOptions::SubRoutineDefaultMenu,
        &TMainOptions::VariableDefaultMenu, &TMainOptions::ArrangementDefaultMenu,
        &TMainOptions::AssocArrDefaultMenu, &TMainOptions::KeyWordDefaultMenu};
    return FWindow.FOptions.*kDefaultMenus[list];
}

bool& TExplorerPanel::SortFlag(int list)
{
    static constexpr bool TMainOptions::*kSortFlags[kExplorerListCount] = {&TMainOptions::SubRoutineSorted,
        &TMainOptions::VariableSorted, &TMainOptions::ArrangementSorted, &TMainOptions::AssocArrSorted};
    return FWindow.FOptions.*kSortFlags[list];
}

TExplorerPanel::TExplorerPanel(TfrmMain& window, const std::array<QListView*, kListCount>& lists, QPlainTextEdit* memo)
    : QObject(&window)
    , FWindow(window)
    , FLists(lists)
    , FMemo(memo)
{
    for (int list = 0; list < kListCount; ++list) {
        QListView* view = ListView(list);
        auto* model = new TExplorerListModel(Document().Chars(), view);
        FState.Models[size_t(list)] = model;
        view->setModel(model);
        view->setUniformItemSizes(true);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        connect(view, &QListView::doubleClicked, this,
            [this, list] { FWindow.RunCommand([this, list] { RunListCommand(list, DefaultMenu(list)); }); });
        CreateListMenu(list);
    }

    FWindow.AddAction("actSortSubRoutine", "ソート表示(&S)", nullptr, "表示時のソート指定");
    FWindow.AddAction("actSortVariable", "ソート表示(&S)", nullptr, "表示時のソート指定");
    FWindow.AddAction("actSortArrangement", "ソート表示(&S)", nullptr, "表示時のソート指定");
    FWindow.AddAction("actSortAssocArr", "ソート表示(&S)", nullptr, "表示時のソート指定");
    for (int list = 0; list < kExplorerListCount; ++list) {
        QAction* sort = FWindow.Action(QLatin1String(kSortActions[list]));
        connect(sort, &QAction::triggered, this, [this, list] {
            FWindow.RunCommand([this, list] {
                SortFlag(list) = !SortFlag(list);
                MakeList();
            });
        });
        FWindow.AddRule(
            kSortActions[list], [] { return true; }, [this, list] { return SortFlag(list); });
        FWindow.findChild<QMenu*>(QLatin1String(kMenuNames[list]))->addSeparator();
        FWindow.findChild<QMenu*>(QLatin1String(kMenuNames[list]))->addAction(sort);
    }

    const auto bind = [this](const char* name, auto handler) {
        connect(
            FWindow.Action(QLatin1String(name)), &QAction::triggered, this, [this, handler] { FWindow.RunCommand(handler); });
    };
    bind("actMakeList", [this] { MakeList(); });
    bind("actKeyWordAdd", [this] { KeyWordAdd(); });
    bind("actKeyWordViewOFF", [this] { SetHighlight(FState.Highlighter.Keyword(), false); });
    FWindow.AddRule("actMakeList", [] { return true; });
    FWindow.AddRule("actKeyWordAdd", [this] { return Editor().HasSelection(); });
    FWindow.AddRule("actKeyWordViewOFF", [this] { return FState.Highlighter.KeywordOn(); });

    FState.Job = new TExplorerJob(
        [this] {
            TExplorerJob::TSource source;
            source.Rows = &Editor().ListRows();
            source.Fountain = Editor().ActiveFountain();
            for (int list = 0; list < kExplorerListCount; ++list)
                source.Sorted[size_t(list)] = SortFlag(list);
            return source;
        },
        [this](TExplorerNames names, TExplorerStates states) {
            FState.States = std::move(states);
            ApplyNames(std::move(names));
        },
        this);
    Editor().OnChange = [this](TEditor*) { ExplorerTextChanged(); };
    // The window sees Enter before the editor does.
    Editor().installEventFilter(new TEventWatcher(
        QEvent::KeyPress, [this](QEvent* event) { ExplorerKey(static_cast<QKeyEvent*>(event)->key()); },
        this));
    FMemo->installEventFilter(new TEventWatcher(
        QEvent::FocusOut, [this](QEvent*) { FWindow.RunCommand([this] { WriteChangedSideFile(); }); }, this));
    FMemo->setReadOnly(false);
    connect(FMemo, &QPlainTextEdit::textChanged, this, [this] { FWindow.RunCommand([this] { MemoChanged(); }); });
}

void TExplorerPanel::CreateListMenu(int list)
{
    QListView* view = ListView(list);
    auto* menu = new QMenu(&FWindow);
    const QString name = QLatin1String(kMenuNames[list]);
    menu->setObjectName(name);
    const std::vector<TListCommand>& commands = CommandsOf(list);
    for (int command = 0; command < int(commands.size()); ++command) {
        QAction* item = menu->addAction(QString::fromUtf8(commands[size_t(command)].Caption));
        item->setObjectName(name + QLatin1String(commands[size_t(command)].Suffix));
        connect(item, &QAction::triggered, this,
            [this, list, command] { FWindow.RunCommand([this, list, command] { ListCommand(list, command); }); });
    }
    if (list == kKeyWordList) {
        menu->addSeparator();
        QAction* remove = menu->addAction(QStringLiteral("項目削除(&D)"));
        remove->setObjectName(QStringLiteral("mnuKeyWordDelete"));
        connect(remove, &QAction::triggered, this, [this] {
            FWindow.RunCommand([this] {
                const int row = ListView(kKeyWordList)->currentIndex().row();
                if (row < 0)
                    return;
                FState.Models[kKeyWordList]->RemoveAt(row);
                KeywordsChanged(false);
            });
        });
        QAction* clear = menu->addAction(QStringLiteral("リスト全削除(&A)"));
        clear->setObjectName(QStringLiteral("mnuKeyWordClear"));
        connect(clear, &QAction::triggered, this, [this] {
            FWindow.RunCommand([this] {
                FState.Models[kKeyWordList]->SetNames({});
                KeywordsChanged(false);
            });
        });
    }
    menu->setDefaultAction(menu->actions().at(DefaultMenu(list)));
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QListView::customContextMenuRequested, this,
        [menu, view](const QPoint& point) { menu->popup(view->viewport()->mapToGlobal(point)); });
}

void TExplorerPanel::ListCommand(int list, int command)
{
    if (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) {
        if (FWindow.FPrompts->AskOkCancel(&FWindow, QStringLiteral("デフォルトに指定しますか？"))) {
            DefaultMenu(list) = command;
            QMenu* menu = FWindow.findChild<QMenu*>(QLatin1String(kMenuNames[list]));
            menu->setDefaultAction(menu->actions().at(command));
            return;
        }
    }
    RunListCommand(list, command);
}

std::string TExplorerPanel::SelectedName(int list) const
{
    const QModelIndexList selected = ListView(list)->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? std::string()
                              : FState.Models[size_t(list)]->NameAt(selected.front().row());
}

void TExplorerPanel::RunListCommand(int list, int command)
{
    if (SelectedName(list).empty())
        return;
    if (list == kKeyWordList) {
        switch (command) {
        case 0:
            return SearchKeyWord(true);
        case 1:
            return HighlightEntry(list);
        case 2:
            HighlightEntry(list);
            return SearchKeyWord(true);
        default:
            return SearchKeyWord(false);
        }
    }
    // The subroutine list has go-to-definition in front of the commands of the other lists.
    if (list == elSubRoutine) {
        if (command == 0)
            return GoToUse(list, true, true);
        --command;
    }
    switch (command) {
    case 0:
        return GoToUse(list, true, false);
    case 1:
        return HighlightEntry(list);
    case 2:
        GoToUse(list, true, false);
        return HighlightEntry(list);
    default:
        return GoToUse(list, false, false);
    }
}

void TExplorerPanel::GoToUse(int list, bool forward, bool definitionsOnly)
{
    const TUseQuery query {TExplorerList(list), SelectedName(list), definitionsOnly};
    TUseFinder finder(Editor().ListRows(), Editor().ActiveFountain(), FState.States);
    const TLinePos from = TUseFinder::CaretPos(Editor().Model());
    const std::optional<TUseHit> hit = forward ? finder.Forward(query, from) : finder.Upward(query, from);
    if (hit) {
        SelectUse(Editor().Model(), *hit);
        Editor().setFocus();
        return;
    }
    const TDocumentChars& chars = Document().Chars();
    QString miss;
    if (list == elSubRoutine)
        miss = QStringLiteral("サブルーチン") + Decoded(query.Name, chars)
            + QStringLiteral(" は見つかりませんでした");
    else if (query.First() != query.Second())
        miss = Decoded(query.First(), chars) + QStringLiteral("、") + Decoded(query.Second(), chars)
            + QStringLiteral("は見つかりませんでした");
    else
        miss = Decoded(query.First(), chars) + QStringLiteral("は見つかりませんでした");
    FWindow.ShowMessage(miss);
}

void TExplorerPanel::SetHighlight(const std::string& keyword, bool on)
{
    if (FState.Highlighter.SetKeyword(keyword, on))
        Editor().viewport()->update();
}

void TExplorerPanel::HighlightEntry(int list)
{
    SetHighlight(SelectedName(list), true);
}

void TExplorerPanel::SearchKeyWord(bool forward)
{
    // Go-to-use searches for the entry; "move and highlight" for the word it just highlighted.
    const std::string keyword = SelectedName(kKeyWordList);
    const std::string text = Editor().ListRows().Text();
    const TSearchRange selection {std::int32_t(Editor().SelStart()), std::int32_t(Editor().SelLength())};
    const std::optional<TSearchRange> found = FindKeyword(text, selection, keyword, forward);
    if (!found) {
        FWindow.ShowMessage(Decoded(keyword, Document().Chars()) + QStringLiteral("は見つかりませんでした"));
        return;
    }
    Editor().SetSelStart(found->Start);
    Editor().SetSelLength(found->Length);
    Editor().setFocus();
    if (const std::optional<int> top
        = KeywordScrollTop(Editor().Row(), Editor().TopRow(), Editor().VisibleRows()))
        Editor().SetTopRow(*top);
}

void TExplorerPanel::KeyWordAdd()
{
    std::vector<std::string> keywords = FState.Models[kKeyWordList]->Names();
    const std::string keyword = AddKeyword(keywords, Editor().SelText());
    if (keyword.empty())
        return;
    FState.Models[kKeyWordList]->SetNames(std::move(keywords));
    SetHighlight(keyword, true);
    KeywordsChanged(true);
}

void TExplorerPanel::MakeListSoon()
{
    // After an open or a save the lists are rebuilt in slices between events, so the window
    // shows the script first and stays responsive on a long one.
    FState.Job->StartNow();
}

bool TExplorerPanel::ListsPending() const
{
    return FState.Job->Active();
}

void TExplorerPanel::MakeList()
{
    FState.Job->Cancel();
    TExplorerSorted sorted {};
    for (int list = 0; list < kExplorerListCount; ++list)
        sorted[size_t(list)] = SortFlag(list);
    ApplyNames(
        BuildExplorerNames(Editor().ListRows(), Editor().ActiveFountain(), sorted, &FState.States));
}

void TExplorerPanel::ApplyNames(TExplorerNames names)
{
    for (int list = 0; list < kExplorerListCount; ++list)
        ApplyListNames(list, std::move(names[size_t(list)]));
}

void TExplorerPanel::ApplyListNames(int list, std::vector<std::string> names)
{
    // The list keeps its focus and scroll; the same name stays selected, else the same index
    // (the last entry when the list became shorter).
    QListView* view = ListView(list);
    TExplorerListModel& model = *FState.Models[size_t(list)];
    const int oldRow = view->currentIndex().isValid() ? view->currentIndex().row() : -1;
    const std::string oldName = model.NameAt(oldRow);
    const int scroll = view->verticalScrollBar()->value();
    model.SetNames(std::move(names));
    if (oldRow < 0 || model.rowCount() == 0)
        return;
    const std::vector<std::string>& fresh = model.Names();
    const auto same = std::find(fresh.begin(), fresh.end(), oldName);
    const int row = same != fresh.end() ? int(same - fresh.begin()) : std::min(oldRow, model.rowCount() - 1);
    view->selectionModel()->setCurrentIndex(model.index(row), QItemSelectionModel::ClearAndSelect);
    view->verticalScrollBar()->setValue(scroll);
}

void TExplorerPanel::ExplorerTextChanged()
{
    const TEditorScreenStrings& rows = Editor().ListRows();
    const TPendingChange& change = rows.PendingChange();
    FState.States.InvalidateFrom(change.Pending ? rows.LineOfRow(change.FirstRow) : 0);
    FState.Job->TextChanged();
    if (FWindow.FOptions.ListUpdate == 2)
        FState.Job->StartQuiet();
}

void TExplorerPanel::ExplorerKey(int key)
{
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && FWindow.FOptions.ListUpdate >= 1)
        FState.Job->StartNow();
}

void TExplorerPanel::ShowSideFile()
{
    const TSideFileSession& side = Document().Side();
    FState.Models[kKeyWordList]->SetNames(side.Keywords());
    FState.MemoReverting = true;
    FMemo->setPlainText(side.MemoText());
    FState.MemoReverting = false;
    FMemo->setReadOnly(side.MemoLocked());
}

void TExplorerPanel::MemoChanged()
{
    if (FState.MemoReverting || Document().Side().SetMemoText(FMemo->toPlainText()))
        return;
    // Text with no Shift_JIS form is refused, as the editor refuses it.
    FState.MemoReverting = true;
    FMemo->undo();
    FState.MemoReverting = false;
    FWindow.ShowMessage(NoShiftJisMessage());
}

void TExplorerPanel::KeywordsChanged(bool write)
{
    TSideFileSession& side = Document().Side();
    side.SetKeywords(FState.Models[kKeyWordList]->Names());
    if (const QString error = write ? side.Write() : QString(); !error.isEmpty())
        FWindow.ShowMessage(error);
}

void TExplorerPanel::WriteChangedSideFile()
{
    if (const QString error = Document().Side().WriteChanged(); !error.isEmpty())
        FWindow.ShowMessage(error);
}

TEditor& TExplorerPanel::Editor() const
{
    return FWindow.Editor();
}

TScriptDocument& TExplorerPanel::Document() const
{
    return FWindow.Document();
}

} // namespace brenvik
