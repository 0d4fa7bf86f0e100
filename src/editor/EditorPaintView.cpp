// TEditor's view properties that belong to painting, its paint event and its change handler.
#include "editor/Editor.h"

#include "editor/EditorFont.h"
#include "editor/EditorPainter.h"
#include "editor/EditorViewInfo.h"
#include "text/EditorScreenStrings.h"

#include <QPaintEvent>
#include <QPainter>

namespace brenvik {

TEditorPainter* TEditor::CreatePainter(TEditor& editor)
{
    // Runs while the editor's members are being built: it may only make the painter's own
    // objects and touch the widget base, which exists already.
    auto* painter = new TEditorPainter(editor);
    editor.setFont(painter->Font()->ToQFont());
    editor.viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    return painter;
}

void TEditor::TPainterDeleter::operator()(TEditorPainter* painter) const
{
    delete painter;
}

TEditorPainter& TEditor::Painter() const
{
    return *FPainter;
}

TEditorViewInfo* TEditor::View() const
{
    return FPainter->View();
}

void TEditor::SetView(TEditorViewInfo* value)
{
    FPainter->View()->Assign(*value);
}

TEditorFont* TEditor::Font() const
{
    return FPainter->Font();
}

void TEditor::SetFont(TEditorFont* value)
{
    FPainter->Font()->Assign(*value);
}

quint32 TEditor::Color() const
{
    return FPainter->Color();
}

void TEditor::SetColor(quint32 value)
{
    if (value == FPainter->Color())
        return;
    FPainter->SetColor(value);
    viewport()->update();
}

TBorderStyle TEditor::BorderStyle() const
{
    return FPainter->BorderStyle();
}

void TEditor::SetBorderStyle(TBorderStyle value)
{
    FPainter->SetBorderStyle(value);
    setFrameShape(value == bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
}

TStringList* TEditor::ReserveWordList() const
{
    return View()->Fountain()->ReserveWordList();
}

void TEditor::SetReserveWordList(TStringList* value)
{
    TStringList* own = ReserveWordList();
    if (own->Items() == value->Items())
        return;
    own->Assign(*value);
    ListRows().RescanAll();
    viewport()->update();
}

TEditorWrapOption* TEditor::WrapOption() const
{
    return &FModel.Rows().WrapOption();
}

void TEditor::SetWrapOption(TEditorWrapOption* value)
{
    ListRows().WrapOption().Assign(*value);
}

TFountain* TEditor::ActiveFountain() const
{
    return FFountain ? FFountain : View()->Fountain();
}

void TEditor::FountainChanged(QObject* sender)
{
    if (sender == View() || sender == ActiveFountain())
        ListRows().RescanAll();
    if (sender == Font())
        setFont(Font()->ToQFont());
    UpdateMetrics();
}

QPainter* TEditor::Canvas() const
{
    return FPainter->Canvas();
}

void TEditor::DrawCells(const QRect& clip, int x, bool opaque, std::string_view text, int y)
{
    TEditorPainter& painter = *FPainter;
    // Only an owner's OnDrawLine handler has a canvas to draw on.
    if (!painter.Canvas())
        return;
    painter.DrawCells(clip, x, opaque, text, y, painter.ColorOr(Font()->Color(), clBlack),
        painter.ColorOr(Color(), clWhite), Font()->Style());
}

void TEditor::paintEvent(QPaintEvent* event)
{
    // Rows edited or rewrapped since the last scan get their states before painting, so the
    // painter only reads them.
    const int last = std::min(RowCount(), FTopRow + FVisibleRows + 1);
    for (int row = FTopRow; row < last; ++row)
        if (ListRows().RowState(row).BracketIndex == -2)
            ListRows().Rescan(row, false);
    QPainter canvas(viewport());
    FPainter->Paint(canvas, event->rect());
}

} // namespace brenvik
