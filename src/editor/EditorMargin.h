// The margins around the editor's text grid, in pixels.
#pragma once

#include "support/NotifyPersistent.h"

namespace brenvik {

// Invariant: Character, Left, Line and Top lie in 0..100; UnderlineSpace() is 0 or 1.
class TEditorMargin : public TNotifyPersistent {
    Q_OBJECT
    Q_PROPERTY(int Character READ Character WRITE SetCharacter)
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Line READ Line WRITE SetLine)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
public:
    explicit TEditorMargin(QObject* parent = nullptr);

    int Character() const { return FCharacter; }
    int Left() const { return FLeft; }
    int Line() const { return FLine; }
    int Top() const { return FTop; }
    // The pixel the caret row's underline needs below the text; set by the editor.
    int UnderlineSpace() const { return FUnderlineSpace; }

    void SetCharacter(int value) { SetField(FCharacter, Clamp(value)); }
    void SetLeft(int value) { SetField(FLeft, Clamp(value)); }
    void SetLine(int value) { SetField(FLine, Clamp(value)); }
    void SetTop(int value) { SetField(FTop, Clamp(value)); }
    void SetUnderlineSpace(int value) { SetField(FUnderlineSpace, value > 0 ? 1 : 0); }

private:
    static int Clamp(int value);

    int FCharacter = 0;
    int FLeft = 19;
    int FLine = 0;
    int FTop = 2;
    int FUnderlineSpace = 0;
};

} // namespace brenvik
