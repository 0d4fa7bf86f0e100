// Where the replace question stands by the caret (TDialogPrompts::AskReplace).
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace brenvik {

// Above the caret's row with a row between, or below it when that would leave the screen at
// the top; right of the caret, or against the screen's right edge when it would leave the
// screen there.
QPoint ConfirmBoxPlace(QRect caret, int rowHeight, QSize box, QRect screen);

} // namespace brenvik
