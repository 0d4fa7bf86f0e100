// TEditor's bracket pair: looked for at each caret move and edit, drawn as two framed cells,
// and the moves to the partner.
#include "editor/Editor.h"

#include "editor/EditorGuard.h"
#include "highlight/Fountain.h"

#include <QPainter>

namespace brenvik {

namespace {

// A light frame that shows over any token colour and under the selection's.
const QColor kBracketFill(0x40, 0x90, 0xff, 60);
const QColor kBracketFrame(0x20, 0x60, 0xd0);

} // namespace

void TEditor::UpdateBrackets()
{
    std::optional<TBracketPair> pair;
    if (TFountain* fountain = ActiveFountain(); fountain && !HasSelection()) {
        // The matcher's parser is made once per fountain: making one costs more than a search.
        if (!FBracketMatch || FBracketFountain != fountain) {
            FBracketMatch = std::make_unique<TBracketMatch>(*FModel, *fountain);
            FBracketFountain = fountain;
        }
        pair = FBracketMatch->At({Row(), Col()});
    }
    if (pair == FBrackets)
        return;
    if (FBrackets) {
        viewport()->update(BracketCell(FBrackets->Open));
        viewport()->update(BracketCell(FBrackets->Close));
    }
    FBrackets = pair;
    if (FBrackets) {
        viewport()->update(BracketCell(FBrackets->Open));
        viewport()->update(BracketCell(FBrackets->Close));
    }
}

void TEditor::QueueBrackets()
{
    // After the event under way: an edit may still be updating the rows when the caret moves.
    if (FBracketsQueued)
        return;
    FBracketsQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FBracketsQueued = false;
            GuardInput(*this, [this] {
                UpdateBrackets();
                return true;
            });
        },
        Qt::QueuedConnection);
}

void TEditor::ForgetBracketMatch()
{
    FBracketMatch.reset();
}

QRect TEditor::BracketCell(TEditorPos position) const
{
    return QRect(FLeftOffset + (position.Col - FTopCol) * FColWidth, FTopOffset + (position.Row - FTopRow) * FRowHeight,
        FColWidth, FFontHeight);
}

void TEditor::PaintBrackets(QPainter& canvas) const
{
    if (!FBrackets)
        return;
    const QRect text(FLeftOffset, FTopOffset, viewport()->width() - FLeftOffset, viewport()->height() - FTopOffset);
    canvas.setClipRect(text);
    for (const TEditorPos& position : {FBrackets->Open, FBrackets->Close}) {
        const QRect cell = BracketCell(position);
        if (!cell.intersects(text))
            continue;
        canvas.fillRect(cell, kBracketFill);
        canvas.setPen(kBracketFrame);
        canvas.drawRect(cell.adjusted(0, 0, -1, -1));
    }
    canvas.setClipping(false);
}

bool TEditor::GoToMatchingBracket(bool select)
{
    UpdateBrackets();
    if (!FBrackets)
        return false;
    const TBracketPair pair = *FBrackets;
    const auto offsetOf = [this](TEditorPos position) { return TextOffset(0, position.Row, position.Col); };
    const qint64 open = offsetOf(pair.Open);
    const qint64 close = offsetOf(pair.Close);
    const qint64 caret = TextOffset(0, Row(), Col());
    if (select) {
        // Both brackets and what they hold.
        SetSelStart(open);
        SetSelLength(close + 1 - open);
    } else {
        // The caret keeps its side: before a bracket it goes before the partner, after it after.
        const qint64 mine = pair.CaretAtOpen ? open : close;
        const qint64 other = pair.CaretAtOpen ? close : open;
        CancelSelection();
        PlaceCaretAtOffset(caret == mine ? other : other + 1);
    }
    return true;
}

} // namespace brenvik
