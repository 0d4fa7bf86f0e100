// The explorer panels: five lists and the memo as dock widgets on the left, right and bottom
// of the window, the tabbed container pnlTab, the four layouts and the view commands.
#include "app/frmMain.h"

#include <QAction>
#include <QDockWidget>
#include <QListView>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace brenvik {

namespace {

QListView* NewList(const char* name, QWidget* parent)
{
    auto* list = new QListView(parent);
    list->setObjectName(QLatin1String(name));
    return list;
}

} // namespace

QDockWidget* TfrmMain::AddPanel(const char* name, const QString& caption, QWidget* content)
{
    auto* panel = new QDockWidget(caption, this);
    panel->setObjectName(QLatin1String(name));
    panel->setWidget(content);
    addDockWidget(Qt::LeftDockWidgetArea, panel);
    return panel;
}

void TfrmMain::CreatePanels()
{
    setDockNestingEnabled(true);
    lbxSubRoutine = NewList("lbxSubRoutine", this);
    lbxVariable = NewList("lbxVariable", this);
    lbxArrangement = NewList("lbxArrangement", this);
    lbxAssocArr = NewList("lbxAssocArr", this);
    lbxKeyWord = NewList("lbxKeyWord", this);
    memMemo = new QPlainTextEdit(this);
    memMemo->setObjectName(QStringLiteral("memMemo"));
    pgcDock = new QTabWidget(this);
    pgcDock->setObjectName(QStringLiteral("pgcDock"));

    pnlSubRoutine = AddPanel("pnlSubRoutine", QStringLiteral("＆ﾙｰﾁﾝ"), lbxSubRoutine);
    pnlVariable = AddPanel("pnlVariable", QStringLiteral("$変数"), lbxVariable);
    pnlArrangement = AddPanel("pnlArrangement", QStringLiteral("@配列"), lbxArrangement);
    pnlAssocArr = AddPanel("pnlAssocArr", QStringLiteral("%連想"), lbxAssocArr);
    pnlKeyWord = AddPanel("pnlKeyWord", QStringLiteral("ｷｰﾜｰﾄﾞ"), lbxKeyWord);
    pnlMemo = AddPanel("pnlMemo", QStringLiteral(" メモ"), memMemo);
    pnlTab = AddPanel("pnlTab", QStringLiteral("タブシート"), pgcDock);

    const std::pair<const char*, QDockWidget*> views[] = {{"actViewListSubRoutine", pnlSubRoutine},
        {"actViewListVariable", pnlVariable}, {"actViewListArrangement", pnlArrangement},
        {"actViewListAssocArr", pnlAssocArr}, {"actViewListKeyWord", pnlKeyWord}, {"actViewMemo", pnlMemo},
        {"actViewListTabPage", pnlTab}};
    for (const auto& [name, panel] : views) {
        QDockWidget* target = panel;
        connect(Action(QLatin1String(name)), &QAction::triggered, this, [this, target] { TogglePanel(target); });
        AddRule(name, [] { return true; }, [this, target] { return PanelShown(target); });
    }
}

bool TfrmMain::IsTabPage(QDockWidget* panel) const
{
    return pgcDock->indexOf(panel) >= 0;
}

bool TfrmMain::PanelShown(QDockWidget* panel) const
{
    if (IsTabPage(panel))
        return pnlTab->isVisible() && pgcDock->isTabVisible(pgcDock->indexOf(panel));
    return panel->isVisible();
}

void TfrmMain::PutIntoTabs(QDockWidget* panel)
{
    if (IsTabPage(panel))
        return;
    removeDockWidget(panel);
    // Inside the tabs the page's caption is its tab; its own title bar would only repeat it.
    panel->setTitleBarWidget(new QWidget(panel));
    pgcDock->addTab(panel, panel->windowTitle());
    panel->show();
}

void TfrmMain::TakeOutOfTabs(QDockWidget* panel)
{
    const int index = pgcDock->indexOf(panel);
    if (index < 0)
        return;
    pgcDock->removeTab(index);
    QWidget* titleBar = panel->titleBarWidget();
    panel->setTitleBarWidget(nullptr);
    delete titleBar;
    addDockWidget(Qt::LeftDockWidgetArea, panel);
    // The tabs hid it unless it was the current page.
    panel->show();
}

void TfrmMain::TogglePanel(QDockWidget* panel)
{
    if (!IsTabPage(panel)) {
        panel->setVisible(!panel->isVisible());
        return;
    }
    if (pnlTab->isVisible()) {
        const int index = pgcDock->indexOf(panel);
        pgcDock->setTabVisible(index, !pgcDock->isTabVisible(index));
        return;
    }
    // A page of a hidden tab sheet floats on its own where it was.
    const QRect bounds(panel->mapToGlobal(QPoint(0, 0)), panel->size());
    TakeOutOfTabs(panel);
    panel->setFloating(true);
    panel->setGeometry(bounds);
    panel->show();
}

void TfrmMain::ApplyLayout(int layout)
{
    QDockWidget* const lists[] = {pnlVariable, pnlArrangement, pnlAssocArr};
    for (QDockWidget* panel : {pnlSubRoutine, pnlVariable, pnlArrangement, pnlAssocArr, pnlKeyWord, pnlMemo, pnlTab}) {
        if (!IsTabPage(panel))
            panel->setFloating(false);
        panel->show();
    }
    addDockWidget(Qt::LeftDockWidgetArea, pnlSubRoutine);
    if (layout == 1 || layout == 3) {
        for (QDockWidget* panel : lists)
            TakeOutOfTabs(panel);
        splitDockWidget(pnlSubRoutine, pnlKeyWord, Qt::Vertical);
        if (layout == 1) {
            splitDockWidget(pnlSubRoutine, pnlVariable, Qt::Horizontal);
            splitDockWidget(pnlVariable, pnlArrangement, Qt::Vertical);
            splitDockWidget(pnlArrangement, pnlAssocArr, Qt::Vertical);
            splitDockWidget(pnlAssocArr, pnlMemo, Qt::Vertical);
        } else {
            addDockWidget(Qt::BottomDockWidgetArea, pnlVariable);
            splitDockWidget(pnlVariable, pnlArrangement, Qt::Horizontal);
            splitDockWidget(pnlArrangement, pnlAssocArr, Qt::Horizontal);
            splitDockWidget(pnlAssocArr, pnlMemo, Qt::Horizontal);
        }
        pnlTab->setFloating(true);
        pnlTab->hide();
        if (layout == 1)
            for (QDockWidget* panel : {pnlVariable, pnlArrangement, pnlAssocArr, pnlMemo})
                panel->hide();
        return;
    }
    // Layouts 0 and 2: routines above the tab sheet of scalars, arrays and hashes on the left,
    // keywords and memo side by side at the bottom; 0 then hides all but the editor.
    splitDockWidget(pnlSubRoutine, pnlTab, Qt::Vertical);
    for (QDockWidget* panel : lists) {
        PutIntoTabs(panel);
        pgcDock->setTabVisible(pgcDock->indexOf(panel), true);
    }
    addDockWidget(Qt::BottomDockWidgetArea, pnlKeyWord);
    splitDockWidget(pnlKeyWord, pnlMemo, Qt::Horizontal);
    if (layout == 0)
        for (QDockWidget* panel : {pnlSubRoutine, pnlKeyWord, pnlMemo, pnlTab})
            panel->hide();
}

} // namespace brenvik
