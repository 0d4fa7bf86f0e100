// The variable explorer in the main window: the four name lists and the keyword list, their
// popup menus and default commands, the rebuild (at once, or in the background as
// "ListUpdate" asks), go to use, the keyword search and the keyword highlight.
#include "app/ExplorerState.h"
#include "app/frmMain.h"

#include "editor/Editor.h"
#include "editor/EditorCharset.h"
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
    return TEditorCharset::ToUnicode(bytes, chars);
}

} // namespace

const TExplorerListModel& TfrmMain::ListModel(int list) const
{
    return *FExplorer->Models[size_t(list)];
}

const TRowHighlighter& TfrmMain::RowHighlighter() const
{
    return FExplorer->Highlighter;
}

QListView* TfrmMain::ListView(int list) const
{
    const std::array<QListView*, kListCount> views {
        lbxSubRoutine, lbxVariable, lbxArrangement, lbxAssocArr, lbxKeyWord};
    return views[size_t(list)];
}

int& TfrmMain::DefaultMenu(int list)
{
    static constexpr int TMainOptions::*kDefaultMenus[kListCount] = {&TMainOptions::SubRoutineDefaultMenu,
        &TMainOptions::VariableDefaultMenu, &TMainOptions::ArrangementDefaultMenu,
        &TMainOptions::AssocArrDefaultMenu, &TMainOptions::KeyWordDefaultMenu};
    return FOptions.*kDefaultMenus[list];
}

bool& TfrmMain::SortFlag(int list)
{
    static constexpr bool TMainOptions::*kSortFlags[kExplorerListCount] = {&TMainOptions::SubRoutineSorted,
        &TMainOptions::VariableSorted, &TMainOptions::ArrangementSorted, &TMainOptions::AssocArrSorted};
    return FOptions.*kSortFlags[list];
}

void TfrmMain::CreateExplorer()
{
    FExplorer = std::make_unique<TExplorerState>();
    for (int list = 0; list < kListCount; ++list) {
        QListView* view = ListView(list);
        auto* model = new TExplorerListModel(edrMain->DocumentChars(), view);
        FExplorer->Models[size_t(list)] = model;
        view->setModel(model);
        view->setUniformItemSizes(true);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        connect(view, &QListView::doubleClicked, this,
            [this, list] { RunCommand([this, list] { RunListCommand(list, DefaultMenu(list)); }); });
        CreateListMenu(list);
    }

    AddAction("actSortSubRoutine", "ソート表示(&S)", nullptr, "表示時のソート指定");
    AddAction("actSortVariable", "ソート表示(&S)", nullptr, "表示時のソート指定");
    AddAction("actSortArrangement", "ソート表示(&S)", nullptr, "表示時のソート指定");
    AddAction("actSortAssocArr", "ソート表示(&S)", nullptr, "表示時のソート指定");
    for (int list = 0; list < kExplorerListCount; ++list) {
        QAction* sort = Action(QLatin1String(kSortActions[list]));
        connect(sort, &QAction::triggered, this, [this, list] {
            RunCommand([this, list] {
                SortFlag(list) = !SortFlag(list);
                MakeList();
            });
        });
        AddRule(
            kSortActions[list], [] { return true; }, [this, list] { return SortFlag(list); });
        findChild<QMenu*>(QLatin1String(kMenuNames[list]))->addSeparator();
        findChild<QMenu*>(QLatin1String(kMenuNames[list]))->addAction(sort);
    }

    const auto bind = [this](const char* name, auto handler) {
        connect(
            Action(QLatin1String(name)), &QAction::triggered, this, [this, handler] { RunCommand(handler); });
    };
    bind("actMakeList", [this] { MakeList(); });
    bind("actKeyWordAdd", [this] { KeyWordAdd(); });
    bind("actKeyWordViewOFF", [this] { SetHighlight(FExplorer->Highlighter.Keyword(), false); });
    AddRule("actMakeList", [] { return true; });
    AddRule("actKeyWordAdd", [this] { return edrMain->HasSelection(); });
    AddRule("actKeyWordViewOFF", [this] { return FExplorer->Highlighter.KeywordOn(); });

    FExplorer->Job = new TExplorerJob(
        [this] {
            TExplorerJob::TSource source;
            source.Rows = &edrMain->ListRows();
            source.Fountain = edrMain->ActiveFountain();
            for (int list = 0; list < kExplorerListCount; ++list)
                source.Sorted[size_t(list)] = SortFlag(list);
            return source;
        },
        [this](TExplorerNames names, TExplorerStates states) {
            FExplorer->States = std::move(states);
            ApplyNames(std::move(names));
        },
        this);
    edrMain->OnChange = [this](TEditor*) { ExplorerTextChanged(); };
    // The window sees Enter before the editor does.
    edrMain->installEventFilter(new TEventWatcher(
        QEvent::KeyPress, [this](QEvent* event) { ExplorerKey(static_cast<QKeyEvent*>(event)->key()); },
        this));
    memMemo->installEventFilter(new TEventWatcher(
        QEvent::FocusOut, [this](QEvent*) { RunCommand([this] { WriteChangedSideFile(); }); }, this));
    memMemo->setReadOnly(false);
    connect(memMemo, &QPlainTextEdit::textChanged, this, [this] { RunCommand([this] { MemoChanged(); }); });
}

void TfrmMain::CreateListMenu(int list)
{
    QListView* view = ListView(list);
    auto* menu = new QMenu(this);
    const QString name = QLatin1String(kMenuNames[list]);
    menu->setObjectName(name);
    const std::vector<TListCommand>& commands = CommandsOf(list);
    for (int command = 0; command < int(commands.size()); ++command) {
        QAction* item = menu->addAction(QString::fromUtf8(commands[size_t(command)].Caption));
        item->setObjectName(name + QLatin1String(commands[size_t(command)].Suffix));
        connect(item, &QAction::triggered, this,
            [this, list, command] { RunCommand([this, list, command] { ListCommand(list, command); }); });
    }
    if (list == kKeyWordList) {
        menu->addSeparator();
        QAction* remove = menu->addAction(QStringLiteral("項目削除(&D)"));
        remove->setObjectName(QStringLiteral("mnuKeyWordDelete"));
        connect(remove, &QAction::triggered, this, [this] {
            RunCommand([this] {
                const int row = lbxKeyWord->currentIndex().row();
                if (row < 0)
                    return;
                FExplorer->Models[kKeyWordList]->RemoveAt(row);
                FExplorer->SideChanged = true;
            });
        });
        QAction* clear = menu->addAction(QStringLiteral("リスト全削除(&A)"));
        clear->setObjectName(QStringLiteral("mnuKeyWordClear"));
        connect(clear, &QAction::triggered, this, [this] {
            RunCommand([this] {
                FExplorer->Models[kKeyWordList]->SetNames({});
                FExplorer->SideChanged = true;
            });
        });
    }
    menu->setDefaultAction(menu->actions().at(DefaultMenu(list)));
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QListView::customContextMenuRequested, this,
        [menu, view](const QPoint& point) { menu->popup(view->viewport()->mapToGlobal(point)); });
}

void TfrmMain::ListCommand(int list, int command)
{
    if (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) {
        if (FPrompts->AskOkCancel(this, QStringLiteral("デフォルトに指定しますか？"))) {
            DefaultMenu(list) = command;
            QMenu* menu = findChild<QMenu*>(QLatin1String(kMenuNames[list]));
            menu->setDefaultAction(menu->actions().at(command));
            return;
        }
    }
    RunListCommand(list, command);
}

std::string TfrmMain::SelectedName(int list) const
{
    const QModelIndexList selected = ListView(list)->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? std::string()
                              : FExplorer->Models[size_t(list)]->NameAt(selected.front().row());
}

void TfrmMain::RunListCommand(int list, int command)
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

void TfrmMain::GoToUse(int list, bool forward, bool definitionsOnly)
{
    const TUseQuery query {TExplorerList(list), SelectedName(list), definitionsOnly};
    TUseFinder finder(edrMain->ListRows(), edrMain->ActiveFountain(), FExplorer->States);
    const TLinePos from = TUseFinder::CaretPos(edrMain->Model());
    const std::optional<TUseHit> hit = forward ? finder.Forward(query, from) : finder.Upward(query, from);
    if (hit) {
        SelectUse(edrMain->Model(), *hit);
        edrMain->setFocus();
        return;
    }
    const TDocumentChars& chars = edrMain->DocumentChars();
    QString miss;
    if (list == elSubRoutine)
        miss = QStringLiteral("サブルーチン") + Decoded(query.Name, chars)
            + QStringLiteral(" は見つかりませんでした");
    else if (query.First() != query.Second())
        miss = Decoded(query.First(), chars) + QStringLiteral("、") + Decoded(query.Second(), chars)
            + QStringLiteral("は見つかりませんでした");
    else
        miss = Decoded(query.First(), chars) + QStringLiteral("は見つかりませんでした");
    ShowMessage(miss);
}

void TfrmMain::SetHighlight(const std::string& keyword, bool on)
{
    if (FExplorer->Highlighter.SetKeyword(keyword, on))
        edrMain->viewport()->update();
}

void TfrmMain::HighlightEntry(int list)
{
    SetHighlight(SelectedName(list), true);
}

void TfrmMain::SearchKeyWord(bool forward)
{
    // Go-to-use searches for the entry; "move and highlight" for the word it just highlighted.
    const std::string keyword = SelectedName(kKeyWordList);
    const std::string text = edrMain->ListRows().Text();
    const TSearchRange selection {std::int32_t(edrMain->SelStart()), std::int32_t(edrMain->SelLength())};
    const std::optional<TSearchRange> found = FindKeyword(text, selection, keyword, forward);
    if (!found) {
        ShowMessage(Decoded(keyword, edrMain->DocumentChars()) + QStringLiteral("は見つかりませんでした"));
        return;
    }
    edrMain->SetSelStart(found->Start);
    edrMain->SetSelLength(found->Length);
    edrMain->setFocus();
    if (const std::optional<int> top
        = KeywordScrollTop(edrMain->Row(), edrMain->TopRow(), edrMain->VisibleRows()))
        edrMain->SetTopRow(*top);
}

void TfrmMain::KeyWordAdd()
{
    std::vector<std::string> keywords = FExplorer->Models[kKeyWordList]->Names();
    const std::string keyword = AddKeyword(keywords, edrMain->SelText());
    if (keyword.empty())
        return;
    FExplorer->Models[kKeyWordList]->SetNames(std::move(keywords));
    SetHighlight(keyword, true);
    FExplorer->SideChanged = true;
    WriteSideFile();
}

void TfrmMain::MakeListSoon()
{
    // After an open or a save the lists are rebuilt in slices between events, so the window
    // shows the script first and stays responsive on a long one.
    FExplorer->Job->StartNow();
}

bool TfrmMain::ListsPending() const
{
    return FExplorer->Job->Active();
}

void TfrmMain::MakeList()
{
    FExplorer->Job->Cancel();
    TExplorerSorted sorted {};
    for (int list = 0; list < kExplorerListCount; ++list)
        sorted[size_t(list)] = SortFlag(list);
    ApplyNames(
        BuildExplorerNames(edrMain->ListRows(), edrMain->ActiveFountain(), sorted, &FExplorer->States));
}

void TfrmMain::ApplyNames(TExplorerNames names)
{
    for (int list = 0; list < kExplorerListCount; ++list)
        ApplyListNames(list, std::move(names[size_t(list)]));
}

void TfrmMain::ApplyListNames(int list, std::vector<std::string> names)
{
    // The list keeps its focus and scroll; the same name stays selected, else the same index
    // (the last entry when the list became shorter).
    QListView* view = ListView(list);
    TExplorerListModel& model = *FExplorer->Models[size_t(list)];
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

void TfrmMain::ExplorerTextChanged()
{
    const TEditorScreenStrings& rows = edrMain->ListRows();
    const TPendingChange& change = rows.PendingChange();
    FExplorer->States.InvalidateFrom(change.Pending ? rows.LineOfRow(change.FirstRow) : 0);
    FExplorer->Job->TextChanged();
    if (FOptions.ListUpdate == 2)
        FExplorer->Job->StartQuiet();
}

void TfrmMain::ExplorerKey(int key)
{
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && FOptions.ListUpdate >= 1)
        FExplorer->Job->StartNow();
}

} // namespace brenvik
