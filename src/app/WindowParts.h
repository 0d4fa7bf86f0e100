// Pieces the main window and the builder both build from: hinted commands, tool icons, the
// wheel rule and the editor's look on the views beside it.
#pragma once

#include <QList>
#include <QStyle>

#include <initializer_list>

class QAction;
class QMainWindow;
class QMenu;
class QString;
class QWheelEvent;
class QWidget;

namespace brenvik {

class TEditor;

// A command of owner named name; hint is "tip|status", and a hint without "|" serves as both.
QAction* AddHintedAction(
    QWidget& owner, const char* name, const char* caption, const char* shortcut, const char* hint);

// The edit commands both windows have: actUndo, actRedo, actCut, actCopy, actPaste and
// actSelectAll, with their captions, shortcuts and hints.
void AddEditCommands(QWidget& owner);

// The desktop theme's icon, else the style's where it has one (not SP_CustomBase); without
// either the tool button shows its text, so no button is ever blank.
QIcon ToolIcon(const char* themeName, QStyle::StandardPixmap fallback);

// Adds the commands of owner named in names to target in order; "-" adds a separator.
void AddCommands(QWidget& target, const QWidget& owner, std::initializer_list<const char*> names);

// A popup of owner's commands named in names takes the place of the editor's own popup, whose
// items go with their shortcuts (they would make Ctrl+Z and its kin ambiguous).
void ReplaceEditorPopup(TEditor& editor, QWidget& owner, std::initializer_list<const char*> names);

// The menu of window's menu bar captioned title; null when none.
QMenu* MenuTitled(QMainWindow& window, const QString& title);

// Scrolls editor rows rows per wheel notch; pending keeps the movement short of a notch.
void ScrollWheelRows(TEditor& editor, const QWheelEvent& event, int& pending, int rows = 1);

// The explorer lists and the memo take the editor's font, text colour and background.
void ApplyEditorLook(const TEditor& editor, const QList<QWidget*>& views);

} // namespace brenvik
