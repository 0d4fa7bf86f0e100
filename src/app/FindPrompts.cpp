// The real find prompts: the two dialogs and the replacement question placed by the caret.
#include "app/FindPrompts.h"

#include "app/FindDialog.h"
#include "app/UserPrompts.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace brenvik {

QPoint ConfirmBoxPlace(QRect caret, int rowHeight, QSize box, QRect screen)
{
    int top = caret.top() - box.height() - rowHeight;
    if (top < screen.top())
        top = caret.top() + rowHeight;
    int left = caret.left() + 2;
    if (left + box.width() > screen.left() + screen.width())
        left = screen.left() + screen.width() - box.width() - 4;
    return {left, top};
}

bool TDialogPrompts::RunFind(
    QWidget* parent, const std::string& initial, const TDocumentChars& chars, TFindRequest& request)
{
    return SearchDialogRun(parent, initial, chars, request);
}

bool TDialogPrompts::RunReplace(
    QWidget* parent, const std::string& initial, const TDocumentChars& chars, TFindRequest& request)
{
    return ReplaceDialogRun(parent, initial, chars, request);
}

TAnswer TDialogPrompts::AskReplace(QWidget* parent, const QString& question, const QRect& caret, int rowHeight)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("置換の確認"), question, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    QPushButton* all = box.addButton(QStringLiteral("すべて(&A)"), QMessageBox::YesRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.adjustSize();
    // The screen that holds the caret.
    const QScreen* screen = QGuiApplication::screenAt(caret.center());
    if (!screen)
        screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    box.move(ConfirmBoxPlace(caret, rowHeight, box.sizeHint(), screen->geometry()));
    box.exec();
    if (box.clickedButton() == yes)
        return TAnswer::Yes;
    if (box.clickedButton() == no)
        return TAnswer::No;
    if (box.clickedButton() == all)
        return TAnswer::All;
    return TAnswer::Cancel;
}

} // namespace brenvik
