// TEditor's view properties that belong to painting, what its painter reads of them, the caret
// blink, its paint event and its change handler.
#include "editor/Editor.h"

#include "editor/EditorFont.h"
#include "editor/EditorPainter.h"
#include "editor/EditorViewInfo.h"
#include "highlight/Fountain.h"
#include "text/EditorScreenStrings.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>

namespace brenvik {

TEditorPainter* TEditor::CreatePainter(TEditor& editor)
{
    // Runs while the editor's members are being built: it may only touch the view objects, the
    // blink timer and the widget base, which exist already. The painter keeps references to the
    // model, which it does not use until the first paint.
    const auto handler = [&editor](QObject* sender) { editor.FountainChanged(sender); };
    editor.FView->OnChange = handler;
    editor.FFont->OnChange = handler;
    editor.FBlink.setInterval(std::max(100, QApplication::cursorFlashTime() / 2));
    editor.FBlink.callOnTimeout([&editor] {
        editor.FCaretOn = !editor.FCaretOn;
        editor.viewport()->update(editor.FCaretPainted);
    });
    editor.setFont(editor.FFont->ToQFont());
    editor.viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    return new TEditorPainter(*editor.FModel, editor.FViewProperties);
}

void TEditor::TPainterDeleter::operator()(TEditorPainter* painter) const
{
    delete painter;
}

TEditorPainter& TEditor::Painter() const
{
    return *FPainter;
}

void TEditor::SetView(TEditorViewInfo* value)
{
    FView->Assign(*value);
}

void TEditor::SetFont(TEditorFont* value)
{
    FFont->Assign(*value);
}

quint32 TEditor::Color() const
{
    return FColor;
}

void TEditor::SetColor(quint32 value)
{
    if (value == FColor)
        return;
    FColor = value;
    viewport()->update();
}

TBorderStyle TEditor::BorderStyle() const
{
    return FBorderStyle;
}

void TEditor::SetBorderStyle(TBorderStyle value)
{
    FBorderStyle = value;
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
    return &FModel->Rows().WrapOption();
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
    // Whatever part of the highlighting changed, the next rescan's parser is made afresh.
    ListRows().ReleaseScanner();
    ForgetBracketMatch();
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
    FPainter->Paint(canvas, event->rect(), Geometry(), BlinkingCaret());
    PaintBrackets(canvas);
}

QRect TEditor::BlinkingCaret()
{
    if (!CaretVisible()) {
        FBlink.stop();
        return {};
    }
    const QRect caret = CaretRect();
    if (caret != FCaretPainted || !FBlink.isActive()) {
        FCaretPainted = caret;
        FCaretOn = true;
        if (QApplication::cursorFlashTime() > 0)
            FBlink.start();
    }
    return FCaretOn ? caret : QRect();
}

// ---- what the painter reads -----------------------------------------------------------------

const TEditorViewInfo& TEditor::TViewProperties::View() const
{
    return *FEditor.FView;
}

const TEditorFont& TEditor::TViewProperties::Font() const
{
    return *FEditor.FFont;
}

TColor TEditor::TViewProperties::Color() const
{
    return FEditor.FColor;
}

const TEditorLeftbar& TEditor::TViewProperties::Leftbar() const
{
    return *FEditor.FLeftbar;
}

const TEditorRuler& TEditor::TViewProperties::Ruler() const
{
    return *FEditor.FRuler;
}

const TEditorMarks& TEditor::TViewProperties::Marks() const
{
    return *FEditor.FMarks;
}

const TEditorMargin& TEditor::TViewProperties::Margin() const
{
    return *FEditor.FMargin;
}

TFountain& TEditor::TViewProperties::PaintFountain() const
{
    return *FEditor.ActiveFountain();
}

const QFont& TEditor::TViewProperties::TextFont() const
{
    return FEditor.font();
}

const QPalette& TEditor::TViewProperties::Palette() const
{
    return FEditor.palette();
}

TEditorGeometry TEditor::TViewProperties::Geometry() const
{
    return FEditor.Geometry();
}

bool TEditor::TViewProperties::WantsPaintedRows() const
{
    return static_cast<bool>(FEditor.OnDrawLine);
}

void TEditor::TViewProperties::RowPainted(
    const std::string& text, int x, int y, int row, const QRect& rect, bool selected) const
{
    FEditor.OnDrawLine(&FEditor, text, x, y, row, rect, selected);
}

} // namespace brenvik
