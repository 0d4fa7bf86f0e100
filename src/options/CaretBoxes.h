// The eight caret check boxes of the "エディタ" tab and the caret flag each one edits.
#pragma once

#include "editor/EditorCaret.h"

#include <array>

namespace brenvik {

struct TCaretBox {
    const char* Name;
    const char* Caption;
    bool (TEditorCaret::*Get)() const;
    void (TEditorCaret::*Set)(bool);
};

inline constexpr std::array<TCaretBox, 8> kCaretBoxes {{
    {"cbxCaretFreeCaret", "フリーキャレット", &TEditorCaret::FreeCaret, &TEditorCaret::SetFreeCaret},
    {"cbxCaretAutoIndent", "オートインデント", &TEditorCaret::AutoIndent, &TEditorCaret::SetAutoIndent},
    {"cbxCaretBackSpaceUnIndent", "バックスペースでインデント解除", &TEditorCaret::BackSpaceUnIndent,
        &TEditorCaret::SetBackSpaceUnIndent},
    {"cbxCaretInTab", "タブ文字内移動", &TEditorCaret::InTab, &TEditorCaret::SetInTab},
    {"cbxCaretKeepCaret", "キャレット位置の保持", &TEditorCaret::KeepCaret, &TEditorCaret::SetKeepCaret},
    {"cbxCaretTabIndent", "タブインデント", &TEditorCaret::TabIndent, &TEditorCaret::SetTabIndent},
    {"cbxCaretPrevSpaceIndent", "行を遡ってインデント", &TEditorCaret::PrevSpaceIndent,
        &TEditorCaret::SetPrevSpaceIndent},
    {"cbxCaretSoftTab", "ソフトタブ", &TEditorCaret::SoftTab, &TEditorCaret::SetSoftTab},
}};

} // namespace brenvik
