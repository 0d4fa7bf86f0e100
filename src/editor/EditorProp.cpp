// A full copy of an editor's view settings, kept apart from any editor and stored in the settings file.
#include "editor/EditorProp.h"

#include "editor/Editor.h"
#include "editor/EditorCaret.h"
#include "editor/EditorFont.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorMargin.h"
#include "editor/EditorMarks.h"
#include "editor/EditorRuler.h"
#include "editor/EditorViewInfo.h"
#include "text/EditorWrapOption.h"

namespace brenvik {

namespace {

// Runs the copy steps in order; the first that throws ends the copy, and the error is dropped.
template <typename... Steps> void CopyInOrder(Steps&&... steps)
{
    try {
        (steps(), ...);
    } catch (...) {
    }
}

} // namespace

TEditorProp::TEditorProp(QObject* parent)
    : TFileExtComponent(parent)
    , FCaret(new TEditorCaret(this))
    , FLeftbar(new TEditorLeftbar(this))
    , FMargin(new TEditorMargin(this))
    , FMarks(new TEditorMarks(this))
    , FRuler(new TEditorRuler(this))
    , FView(new TEditorViewInfo(this))
    , FWrapOption(new TEditorWrapOption(this))
    , FFont(new TEditorFont(this))
    , FReserveWordList(CreateSortedList())
{
    FFont->SetColor(clWindowText);
}

TEditorProp::~TEditorProp() = default;

void TEditorProp::SetCaret(TEditorCaret* value)
{
    FCaret->Assign(*value);
}
void TEditorProp::SetFont(TEditorFont* value)
{
    FFont->Assign(*value);
}
void TEditorProp::SetLeftbar(TEditorLeftbar* value)
{
    FLeftbar->Assign(*value);
}
void TEditorProp::SetMargin(TEditorMargin* value)
{
    FMargin->Assign(*value);
}
void TEditorProp::SetMarks(TEditorMarks* value)
{
    FMarks->Assign(*value);
}
void TEditorProp::SetReserveWordList(TStringList* value)
{
    FReserveWordList->Assign(*value);
}
void TEditorProp::SetRuler(TEditorRuler* value)
{
    FRuler->Assign(*value);
}
void TEditorProp::SetView(TEditorViewInfo* value)
{
    FView->Assign(*value);
}
void TEditorProp::SetWrapOption(TEditorWrapOption* value)
{
    FWrapOption->Assign(*value);
}

void TEditorProp::AssignFromEditor(const TEditor& editor)
{
    CopyInOrder([&] { SetColor(editor.Color()); }, [&] { SetCaret(editor.Caret()); },
        [&] { SetFont(editor.Font()); }, [&] { SetLeftbar(editor.Leftbar()); },
        [&] { SetMargin(editor.Margin()); }, [&] { SetMarks(editor.Marks()); },
        [&] { SetReserveWordList(editor.ReserveWordList()); }, [&] { SetRuler(editor.Ruler()); },
        [&] { SetScrollBars(editor.ScrollBars()); }, [&] { SetView(editor.View()); },
        [&] { SetWordWrap(editor.WordWrap()); }, [&] { SetWrapOption(editor.WrapOption()); });
}

void TEditorProp::AssignToEditor(TEditor& editor) const
{
    CopyInOrder([&] { editor.SetColor(FColor); }, [&] { editor.Caret()->Assign(*FCaret); },
        [&] { editor.SetFont(FFont); }, [&] { editor.Leftbar()->Assign(*FLeftbar); },
        [&] { editor.Margin()->Assign(*FMargin); }, [&] { editor.Marks()->Assign(*FMarks); },
        [&] { editor.SetReserveWordList(FReserveWordList.get()); }, [&] { editor.Ruler()->Assign(*FRuler); },
        [&] { editor.SetScrollBars(FScrollBars); }, [&] { editor.SetView(FView); },
        [&] { editor.SetWordWrap(FWordWrap); }, [&] { editor.SetWrapOption(FWrapOption); });
}

void TEditorProp::Assign(const TEditorProp& source)
{
    CopyInOrder([&] { SetColor(source.Color()); }, [&] { SetCaret(source.Caret()); },
        [&] { SetFont(source.Font()); }, [&] { SetLeftbar(source.Leftbar()); },
        [&] { SetMargin(source.Margin()); }, [&] { SetMarks(source.Marks()); },
        [&] { SetReserveWordList(source.ReserveWordList()); }, [&] { SetRuler(source.Ruler()); },
        [&] { SetScrollBars(source.ScrollBars()); }, [&] { SetView(source.View()); },
        [&] { SetWordWrap(source.WordWrap()); }, [&] { SetWrapOption(source.WrapOption()); },
        [&] { SetFileExtList(source.FileExtList()); });
}

} // namespace brenvik
