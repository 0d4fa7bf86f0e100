// The editor's own context menu: undo, clipboard, select all and the box mode.
#pragma once

#include <QMenu>

#include <utility>
#include <vector>

namespace brenvik {

class TEditor;

// Invariant: the items' enabled and checked states are refreshed each time the menu pops up;
// while it is closed every item is enabled and its action checks its own rule, since its
// shortcut works as a key of the editor at any time.
class TEditorPopupMenu : public QMenu {
    Q_OBJECT
public:
    explicit TEditorPopupMenu(TEditor& editor);

    // The twelve items in order, separators included.
    QList<QAction*> Items() const { return actions(); }
    void UpdateItems();

private:
    using TRule = bool (*)(const TEditor&);
    struct TItem;
    void AddItem(const TItem& item);

    TEditor& FEditor;
    std::vector<std::pair<QAction*, TRule>> FRules;
};

} // namespace brenvik
