// A full copy of an editor's view settings, kept apart from any editor and stored in the settings file.
#pragma once

#include "editor/EditorCaret.h"
#include "editor/EditorEnums.h"
#include "editor/EditorFont.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorMargin.h"
#include "editor/EditorMarks.h"
#include "editor/EditorRuler.h"
#include "editor/EditorViewInfo.h"
#include "highlight/Colors.h"
#include "support/StoreComponent.h"
#include "text/EditorWrapOption.h"

namespace brenvik {

class TEditor;

// Invariant: every object property is owned for the component's whole life; setters copy.
class TEditorProp : public TFileExtComponent {
    Q_OBJECT
    Q_PROPERTY(quint32 Color READ Color WRITE SetColor)
    Q_PROPERTY(brenvik::TEditorCaret* Caret READ Caret WRITE SetCaret)
    Q_PROPERTY(brenvik::TEditorFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(brenvik::TEditorLeftbar* Leftbar READ Leftbar WRITE SetLeftbar)
    Q_PROPERTY(brenvik::TEditorMargin* Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(brenvik::TEditorMarks* Marks READ Marks WRITE SetMarks)
    Q_PROPERTY(brenvik::TStringList* ReserveWordList READ ReserveWordList WRITE SetReserveWordList)
    Q_PROPERTY(brenvik::TEditorRuler* Ruler READ Ruler WRITE SetRuler)
    Q_PROPERTY(brenvik::TEditorEnums::TScrollStyle ScrollBars READ ScrollBars WRITE SetScrollBars)
    Q_PROPERTY(brenvik::TEditorViewInfo* View READ View WRITE SetView)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(brenvik::TEditorWrapOption* WrapOption READ WrapOption WRITE SetWrapOption)
public:
    explicit TEditorProp(QObject* parent = nullptr);
    ~TEditorProp() override;

    TColor Color() const { return FColor; }
    TEditorCaret* Caret() const { return FCaret; }
    TEditorFont* Font() const { return FFont; }
    TEditorLeftbar* Leftbar() const { return FLeftbar; }
    TEditorMargin* Margin() const { return FMargin; }
    TEditorMarks* Marks() const { return FMarks; }
    TStringList* ReserveWordList() const { return FReserveWordList.get(); }
    TEditorRuler* Ruler() const { return FRuler; }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    TEditorViewInfo* View() const { return FView; }
    bool WordWrap() const { return FWordWrap; }
    TEditorWrapOption* WrapOption() const { return FWrapOption; }

    void SetColor(TColor value) { FColor = value; }
    void SetCaret(TEditorCaret* value);
    void SetFont(TEditorFont* value);
    void SetLeftbar(TEditorLeftbar* value);
    void SetMargin(TEditorMargin* value);
    void SetMarks(TEditorMarks* value);
    void SetReserveWordList(TStringList* value);
    void SetRuler(TEditorRuler* value);
    void SetScrollBars(TScrollStyle value) { FScrollBars = value; }
    void SetView(TEditorViewInfo* value);
    void SetWordWrap(bool value) { FWordWrap = value; }
    void SetWrapOption(TEditorWrapOption* value);

    // Copies the editor's settings in the stored order; a failing step ends the copy and the
    // settings after it keep their values.
    void AssignFromEditor(const TEditor& editor);
    // The same settings in the same order into an editor.
    void AssignToEditor(TEditor& editor) const;
    // From another TEditorProp: the same settings and FileExtList.
    void Assign(const TEditorProp& source);

private:
    TColor FColor = clWindow;
    TEditorCaret* FCaret;
    TEditorLeftbar* FLeftbar;
    TEditorMargin* FMargin;
    TEditorMarks* FMarks;
    TEditorRuler* FRuler;
    TEditorViewInfo* FView;
    TEditorWrapOption* FWrapOption;
    TEditorFont* FFont;
    std::unique_ptr<TStringList> FReserveWordList;
    TScrollStyle FScrollBars = ssBoth;
    bool FWordWrap = false;
};

} // namespace brenvik
