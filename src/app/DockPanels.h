// The explorer's dock panels around the editor: each list and the memo in a dock widget, the
// tabbed container "タブシート", the four layouts of "ListDefaultSet" and the view commands.
#pragma once

#include "app/ExplorerState.h"

#include <QObject>

#include <array>
#include <functional>

class QDockWidget;
class QListView;
class QPlainTextEdit;
class QTabWidget;
class QWidget;

namespace brenvik {

class TfrmMain;

class TDockPanels : public QObject {
public:
    // lists: the four built lists and the keyword list (TExplorerList order); binds actViewList*.
    TDockPanels(TfrmMain& window, const std::array<QListView*, kListCount>& lists, QPlainTextEdit* memo);

    // Layout 0 only the editor, 1 lists side by side, 2 the tab sheet, 3 lists at the bottom.
    void ApplyLayout(int layout);
    // Each panel's name and whether it shows, for the "Panel" section.
    void ForEachPanel(const std::function<void(const QString& name, bool shown)>& visit) const;

private:
    QDockWidget* AddPanel(const char* name, const QString& caption, QWidget* content);
    void TogglePanel(QDockWidget* panel);
    bool PanelShown(QDockWidget* panel) const;
    bool IsTabPage(QDockWidget* panel) const;
    void PutIntoTabs(QDockWidget* panel);
    void TakeOutOfTabs(QDockWidget* panel);

    TfrmMain& FWindow;
    QDockWidget* pnlSubRoutine = nullptr;
    QDockWidget* pnlVariable = nullptr;
    QDockWidget* pnlArrangement = nullptr;
    QDockWidget* pnlAssocArr = nullptr;
    QDockWidget* pnlKeyWord = nullptr;
    QDockWidget* pnlMemo = nullptr;
    QDockWidget* pnlTab = nullptr;
    QTabWidget* pgcDock = nullptr;
};

} // namespace brenvik
