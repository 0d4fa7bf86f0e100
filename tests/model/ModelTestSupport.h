// A headless editing model for tests: an owner that answers with fixed caret rules and an
// optional fountain, and text helpers.
#pragma once

#include "model/EditorModel.h"
#include "text/EditorScreenStrings.h"
#include "text/EditorStrings.h"
#include "text/EditorWrapOption.h"

#include <string>

namespace brenvik::test {

inline const std::string kA = "\x82\xa0";         // a double-byte character
inline const std::string kHyo = "\x95\x5c";       // its trail byte is a backslash
inline const std::string kWideSpace = "\x81\x40"; // the ideographic space

class TTestOwner : public TEditorModelOwner {
public:
    TCaretRules Rules;
    TFountain* Fountain = nullptr;

    TCaretRules CaretRules() const override { return Rules; }
    TFountain* TokenFountain() const override { return Fountain; }
    int ScreenHeight() const override { return 60 * 16; }
    int RowHeight() const override { return 16; }
};

struct TTestModel {
    TTestOwner Owner;
    TEditorModel Model {Owner};

    TTestModel() { Owner.Rules.TabWidth = 4; }
    void SetText(std::string_view text) { Model.Lines().SetTextStr(text); }
    std::string Text() const { return Model.Lines().GetTextStr(); }
    void WrapAt(int width)
    {
        Model.Rows().WrapOption().SetWrapByte(width);
        Model.SetWordWrap(true);
    }
    void Select(TEditorPos from, TEditorPos to)
    {
        Model.CancelSelection();
        Model.SetRowCol(from.Row, from.Col);
        Model.StartSelection();
        Model.SetRowCol(to.Row, to.Col);
        Model.ExtendSelection();
    }
};

} // namespace brenvik::test
