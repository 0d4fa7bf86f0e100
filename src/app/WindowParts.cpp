// Commands, icons, wheel and the editor's look shared by the windows.
#include "app/WindowParts.h"

#include "editor/Editor.h"
#include "editor/EditorFont.h"
#include "editor/EditorPainter.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QWheelEvent>

#include <algorithm>

namespace brenvik {

namespace {
// One notch of a wheel in eighths of a degree.
constexpr int kWheelNotch = 120;
} // namespace

QAction* AddHintedAction(
    QWidget& owner, const char* name, const char* caption, const char* shortcut, const char* hint)
{
    auto* action = new QAction(QString::fromUtf8(caption), &owner);
    action->setObjectName(QLatin1String(name));
    if (shortcut)
        action->setShortcut(QKeySequence(QLatin1String(shortcut)));
    if (hint) {
        const QString text = QString::fromUtf8(hint);
        action->setToolTip(text.section(QLatin1Char('|'), 0, 0));
        // A tool button without an icon shows this short name rather than the menu caption.
        action->setIconText(action->toolTip());
        action->setStatusTip(text.contains(QLatin1Char('|')) ? text.section(QLatin1Char('|'), 1) : text);
    }
    owner.addAction(action);
    return action;
}

void AddEditCommands(QWidget& owner)
{
    AddHintedAction(owner, "actUndo", "元に戻す(&U)", "Ctrl+Z", "元に戻す|直前の操作を元に戻す");
    AddHintedAction(owner, "actRedo", "やり直し(&R)", "Ctrl+Y", "やり直し|直前の操作をやり直す");
    AddHintedAction(
        owner, "actCut", "切り取り(&T)", "Ctrl+X", "切り取り|選択範囲を切り取ってクリップボードに保存");
    AddHintedAction(
        owner, "actCopy", "コピー(&C)", "Ctrl+C", "コピー|選択範囲をコピーしてクリップボードに保存");
    AddHintedAction(owner, "actPaste", "貼り付け(&P)", "Ctrl+V", "貼り付け|クリップボードの内容を貼り付け");
    AddHintedAction(owner, "actSelectAll", "全て選択(&A)", "Ctrl+A", "ファイル全体を選択");
}

QIcon ToolIcon(const char* themeName, QStyle::StandardPixmap fallback)
{
    const QIcon themed = QIcon::fromTheme(QLatin1String(themeName));
    if (!themed.isNull() || fallback == QStyle::SP_CustomBase)
        return themed;
    return QApplication::style()->standardIcon(fallback);
}

void AddCommands(QWidget& target, const QWidget& owner, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        if (name[0] == '-') {
            auto* separator = new QAction(&target);
            separator->setSeparator(true);
            target.addAction(separator);
        } else {
            target.addAction(owner.findChild<QAction*>(QLatin1String(name), Qt::FindDirectChildrenOnly));
        }
    }
}

void ReplaceEditorPopup(TEditor& editor, QWidget& owner, std::initializer_list<const char*> names)
{
    if (QMenu* own = editor.PopupMenu())
        for (QAction* item : own->actions())
            editor.removeAction(item);
    auto* popup = new QMenu(&owner);
    popup->setObjectName(QStringLiteral("pmnEditor"));
    AddCommands(*popup, owner, names);
    editor.SetPopupMenu(popup);
}

void ScrollWheelRows(TEditor& editor, const QWheelEvent& event, int& pending, int rows)
{
    pending += event.angleDelta().y();
    const int notches = pending / kWheelNotch;
    pending -= notches * kWheelNotch;
    if (notches != 0)
        editor.SetTopRow(std::max(0, editor.TopRow() - notches * std::max(rows, 1)));
}

QMenu* MenuTitled(QMainWindow& window, const QString& title)
{
    for (QAction* item : window.menuBar()->actions())
        if (item->menu() && item->menu()->title() == title)
            return item->menu();
    return nullptr;
}

void ApplyEditorLook(const TEditor& editor, const QList<QWidget*>& views)
{
    const auto shown = [](TColor color, TColor fallback, const QPalette& palette) {
        return ToQColor(color == clNone ? fallback : color, palette);
    };
    for (QWidget* view : views) {
        QPalette colors = view->palette();
        colors.setColor(QPalette::Base, shown(editor.Color(), clWhite, colors));
        colors.setColor(QPalette::Text, shown(editor.Font()->Color(), clBlack, colors));
        view->setPalette(colors);
        view->setFont(editor.Font()->ToQFont());
    }
}

} // namespace brenvik
