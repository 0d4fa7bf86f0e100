// The explorer's dock panels: five lists and the memo as dock widgets on the left, right and
// bottom of the window, the tabbed container pnlTab, the four layouts and the view commands.
#include "app/DockPanels.h"

#include "app/frmMain.h"

#include <QAction>
#include <QDockWidget>
#include <QListView>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace brenvik {

TDockPanels::TDockPanels(TfrmMain& window, const std::array<QListView*, kListCount>& lists, QPlainTextEdit* memo)
    : QObject(&window)
    , FWindow(window)
{
    FWindow.setDockNestingEnabled(true);
    pgcDock = new QTabWidget(&FWindow);
    pgcDock->setObjectName(QStringLiteral("pgcDock"));

    pnlSubRoutine = AddPanel("pnlSubRoutine", QStringLiteral("＆ﾙｰﾁﾝ"), lists[0]);
    pnlVariable = AddPanel("pnlVariable", QStringLiteral("$変数"), lists[1]);
    pnlArrangement = AddPanel("pnlArrangement", QStringLiteral("@配列"), lists[2]);
    pnlAssocArr = AddPanel("pnlAssocArr", QStringLiteral("%連想"), lists[3]);
    pnlKeyWord = AddPanel("pnlKeyWord", QStringLiteral("ｷｰﾜｰﾄﾞ"), lists[4]);
    pnlMemo = AddPanel("pnlMemo", QStringLiteral(" メモ"), memo);
    pnlTab = AddPanel("pnlTab", QStringLiteral("タブシート"), pgcDock);

    const std::pair<const char*, QDockWidget*> views[] = {{"actViewListSubRoutine", pnlSubRoutine},
        {"actViewListVariable", pnlVariable}, {"actViewListArrangement", pnlArrangement},
        {"actViewListAssocArr", pnlAssocArr}, {"actViewListKeyWord", pnlKeyWord}, {"actViewMemo", pnlMemo},
        {"actViewListTabPage", pnlTab}};
    for (const auto& [name, panel] : views) {
        QDockWidget* target = panel;
        connect(FWindow.Action(QLatin1String(name)), &QAction::triggered, this, [this, target] { TogglePanel(target); });
        FWindow.AddRule(name, [] { return true; }, [this, target] { return PanelShown(target); });
    }
}

QDockWidget* TDockPanels::AddPanel(const char* name, const QString& caption, QWidget* content)
{
    auto* panel = new QDockWidget(caption, &FWindow);
    panel->setObjectName(QLatin1String(name));
    panel->setWidget(content);
    FWindow.addDockWidget(Qt::LeftDockWidgetArea, panel);
    return panel;
}

bool TDockPanels::IsTabPage(QDockWidget* panel) const
{
    return pgcDock->indexOf(panel) >= 0;
}

bool TDockPanels::PanelShown(QDockWidget* panel) const
{
    if (IsTabPage(panel))
        return pnlTab->isVisible() && pgcDock->isTabVisible(pgcDock->indexOf(panel));
    return panel->isVisible();
}

void TDockPanels::PutIntoTabs(QDockWidget* panel)
{
    if (IsTabPage(panel))
        return;
    FWindow.removeDockWidget(panel);
    // Inside the tabs the page's caption is its tab; its own title bar would only repeat it.
    panel->setTitleBarWidget(new QWidget(panel));
    pgcDock->addTab(panel, panel->windowTitle());
    panel->show();
}

void TDockPanels::TakeOutOfTabs(QDockWidget* panel)
{
    const int index = pgcDock->indexOf(panel);
    if (index < 0)
        return;
    pgcDock->removeTab(index);
    QWidget* titleBar = panel->titleBarWidget();
    panel->setTitleBarWidget(nullptr);
    delete titleBar;
    FWindow.addDockWidget(Qt::LeftDockWidgetArea, panel);
    // The tabs hid it unless it was the current page.
    panel->show();
}

void TDockPanels::TogglePanel(QDockWidget* panel)
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

void TDockPanels::ApplyLayout(int layout)
{
    QDockWidget* const lists[] = {pnlVariable, pnlArrangement, pnlAssocArr};
    for (QDockWidget* panel : {pnlSubRoutine, pnlVariable, pnlArrangement, pnlAssocArr, pnlKeyWord, pnlMemo, pnlTab}) {
        if (!IsTabPage(panel))
            panel->setFloating(false);
        panel->show();
    }
    FWindow.addDockWidget(Qt::LeftDockWidgetArea, pnlSubRoutine);
    if (layout == 1 || layout == 3) {
        for (QDockWidget* panel : lists)
            TakeOutOfTabs(panel);
        FWindow.splitDockWidget(pnlSubRoutine, pnlKeyWord, Qt::Vertical);
        if (layout == 1) {
            FWindow.splitDockWidget(pnlSubRoutine, pnlVariable, Qt::Horizontal);
            FWindow.splitDockWidget(pnlVariable, pnlArrangement, Qt::Vertical);
            FWindow.splitDockWidget(pnlArrangement, pnlAssocArr, Qt::Vertical);
            FWindow.splitDockWidget(pnlAssocArr, pnlMemo, Qt::Vertical);
        } else {
            FWindow.addDockWidget(Qt::BottomDockWidgetArea, pnlVariable);
            FWindow.splitDockWidget(pnlVariable, pnlArrangement, Qt::Horizontal);
            FWindow.splitDockWidget(pnlArrangement, pnlAssocArr, Qt::Horizontal);
            FWindow.splitDockWidget(pnlAssocArr, pnlMemo, Qt::Horizontal);
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
    FWindow.splitDockWidget(pnlSubRoutine, pnlTab, Qt::Vertical);
    for (QDockWidget* panel : lists) {
        PutIntoTabs(panel);
        pgcDock->setTabVisible(pgcDock->indexOf(panel), true);
    }
    FWindow.addDockWidget(Qt::BottomDockWidgetArea, pnlKeyWord);
    FWindow.splitDockWidget(pnlKeyWord, pnlMemo, Qt::Horizontal);
    if (layout == 0)
        for (QDockWidget* panel : {pnlSubRoutine, pnlKeyWord, pnlMemo, pnlTab})
            panel->hide();
}

void TDockPanels::ForEachPanel(const std::function<void(const QString& name, bool shown)>& visit) const
{
    for (QDockWidget* panel : {pnlSubRoutine, pnlVariable, pnlArrangement, pnlAssocArr, pnlKeyWord, pnlMemo, pnlTab})
        visit(panel->objectName(), PanelShown(panel));
}

} // namespace brenvik
