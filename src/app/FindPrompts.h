// What the window's find and replace commands ask the user, behind one interface, so that tests
// answer the dialogs and the confirmation box.
#pragma once

#include "app/FindDialog.h"
#include "model/FindSession.h"

#include <QRect>
#include <QString>

class QWidget;

namespace brenvik {

class TFindPrompts {
public:
    virtual ~TFindPrompts() = default;
    virtual bool RunFind(QWidget* parent, const std::string& initial, const TDocumentChars& chars, TFindRequest& request) = 0;
    virtual bool RunReplace(QWidget* parent, const std::string& initial, const TDocumentChars& chars, TFindRequest& request) = 0;
    // caret: the caret's rectangle on the screen; rowHeight: the editor's row height.
    virtual TReplaceAnswer AskReplace(QWidget* parent, const QString& question, QRect caret, int rowHeight) = 0;
};

// The dialogs of FindDialog.h and a message box with はい, いいえ, キャンセル and すべて.
class TDialogFindPrompts final : public TFindPrompts {
public:
    bool RunFind(QWidget* parent, const std::string& initial, const TDocumentChars& chars, TFindRequest& request) override;
    bool RunReplace(QWidget* parent, const std::string& initial, const TDocumentChars& chars, TFindRequest& request) override;
    TReplaceAnswer AskReplace(QWidget* parent, const QString& question, QRect caret, int rowHeight) override;
};

// Where the confirmation box stands: above the caret's row with a row between, or below it when
// that would leave the screen at the top; right of the caret, or against the screen's right edge
// when it would leave the screen there.
QPoint ConfirmBoxPlace(QRect caret, int rowHeight, QSize box, QRect screen);

} // namespace brenvik
