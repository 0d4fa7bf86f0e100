// The marks drawn at row ends, at the end of the text and under the caret row.
#pragma once

#include "highlight/Colors.h"
#include "support/NotifyPersistent.h"

namespace brenvik {

class TEditorMark : public TNotifyPersistent {
    Q_OBJECT
    Q_PROPERTY(quint32 Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
public:
    explicit TEditorMark(QObject* parent = nullptr);

    TColor Color() const { return FColor; }
    bool Visible() const { return FVisible; }
    void SetColor(TColor value) { SetField(FColor, value); }
    void SetVisible(bool value) { SetField(FVisible, value); }

private:
    TColor FColor = clGray;
    bool FVisible = false;
};

// Invariant: the five marks are owned and each reports its changes as a change of this object.
class TEditorMarks : public TNotifyPersistent {
    Q_OBJECT
    Q_PROPERTY(brenvik::TEditorMark* EofMark READ EofMark WRITE SetEofMark)
    Q_PROPERTY(brenvik::TEditorMark* RetMark READ RetMark WRITE SetRetMark)
    Q_PROPERTY(brenvik::TEditorMark* WrapMark READ WrapMark WRITE SetWrapMark)
    Q_PROPERTY(brenvik::TEditorMark* HideMark READ HideMark WRITE SetHideMark)
    Q_PROPERTY(brenvik::TEditorMark* Underline READ Underline WRITE SetUnderline)
public:
    explicit TEditorMarks(QObject* parent = nullptr);

    TEditorMark* EofMark() const { return FEofMark; }
    TEditorMark* RetMark() const { return FRetMark; }
    TEditorMark* WrapMark() const { return FWrapMark; }
    TEditorMark* HideMark() const { return FHideMark; }
    TEditorMark* Underline() const { return FUnderline; }
    // The setters copy into the owned marks.
    void SetEofMark(TEditorMark* value) { FEofMark->Assign(*value); }
    void SetRetMark(TEditorMark* value) { FRetMark->Assign(*value); }
    void SetWrapMark(TEditorMark* value) { FWrapMark->Assign(*value); }
    void SetHideMark(TEditorMark* value) { FHideMark->Assign(*value); }
    void SetUnderline(TEditorMark* value) { FUnderline->Assign(*value); }

private:
    TEditorMark* CreateMark();

    TEditorMark* FEofMark;
    TEditorMark* FRetMark;
    TEditorMark* FWrapMark;
    TEditorMark* FHideMark;
    TEditorMark* FUnderline;
};

} // namespace brenvik
