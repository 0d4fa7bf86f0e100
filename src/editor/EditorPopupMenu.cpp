// The editor's context menu: its captions, shortcuts, actions and enable rules.
#include "editor/EditorPopupMenu.h"

#include "editor/Editor.h"
#include "editor/EditorGuard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace brenvik {

namespace {

bool ClipboardHasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

} // namespace

struct TEditorPopupMenu::TItem {
    const char* Caption; // UTF-8; "-" for a separator
    const char* Shortcut;
    void (*Action)(TEditor&);
    TRule Enabled;
};

namespace {

bool Writable(const TEditor& editor)
{
    return !editor.ReadOnly();
}

bool HasSelected(const TEditor& editor)
{
    return editor.SelLength() > 0;
}

bool Always(const TEditor&)
{
    return true;
}

} // namespace

TEditorPopupMenu::TEditorPopupMenu(TEditor& editor)
    : QMenu(&editor)
    , FEditor(editor)
{
    static const TItem items[] = {
        {"元に戻す(&U)", "Ctrl+Z", [](TEditor& e) { e.Undo(); },
            [](const TEditor& e) { return e.CanUndo() && Writable(e); }},
        {"やり直し(&R)", "Ctrl+A", [](TEditor& e) { e.Redo(); },
            [](const TEditor& e) { return e.CanRedo() && Writable(e); }},
        {"-", nullptr, nullptr, nullptr},
        {"切り取り(&T)", "Ctrl+X", [](TEditor& e) { e.CutToClipboard(); },
            [](const TEditor& e) { return HasSelected(e) && Writable(e); }},
        {"コピー(&C)", "Ctrl+C", [](TEditor& e) { e.CopyToClipboard(); }, HasSelected},
        {"貼り付け(&P)", "Ctrl+V", [](TEditor& e) { e.PasteFromClipboard(); },
            [](const TEditor& e) { return ClipboardHasText() && Writable(e); }},
        {"Box貼り付け(&B)", "Ctrl+B", [](TEditor& e) { e.PasteBoxFromClipboard(); },
            [](const TEditor& e) { return ClipboardHasText() && Writable(e); }},
        {"削除(&D)", nullptr, [](TEditor& e) { e.ClearSelection(); },
            [](const TEditor& e) { return HasSelected(e) && Writable(e); }},
        {"-", nullptr, nullptr, nullptr},
        {"すべて選択(&A)", nullptr, [](TEditor& e) { e.SelectAll(); },
            [](const TEditor& e) { return e.TextLength() > 0; }},
        {"-", nullptr, nullptr, nullptr},
        {"Box選択モード(&K)", "Ctrl+K", [](TEditor& e) { e.SetBoxSelection(!e.BoxSelection()); }, Always},
    };
    for (const TItem& item : items)
        AddItem(item);
    actions().last()->setCheckable(true);
    connect(this, &QMenu::aboutToShow, this, &TEditorPopupMenu::UpdateItems);
    connect(this, &QMenu::aboutToHide, this, [this] {
        for (const auto& [action, rule] : FRules)
            action->setEnabled(true);
    });
}

void TEditorPopupMenu::AddItem(const TItem& item)
{
    if (QString(item.Caption) == "-") {
        addSeparator();
        return;
    }
    QAction* action = addAction(QString::fromUtf8(item.Caption));
    if (item.Shortcut) {
        action->setShortcut(QKeySequence(QString::fromLatin1(item.Shortcut)));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        // The shortcuts work as the editor's keys even while the menu is closed.
        FEditor.addAction(action);
    }
    const TRule rule = item.Enabled;
    const auto run = item.Action;
    connect(action, &QAction::triggered, this, [this, rule, run] {
        GuardInput(FEditor, [&] {
            if (rule(FEditor))
                run(FEditor);
            return true;
        });
    });
    FRules.emplace_back(action, rule);
}

void TEditorPopupMenu::UpdateItems()
{
    for (const auto& [action, rule] : FRules)
        action->setEnabled(rule(FEditor));
    actions().last()->setChecked(FEditor.BoxSelection());
}

} // namespace brenvik
