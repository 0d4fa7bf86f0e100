// Shared set-up for the editor-control tests: an editor with the main window's caret
// settings, text helpers and the checks every test runs after each step.
#pragma once

#include "editor/Editor.h"
#include "editor/EditorCaret.h"
#include "support/LeadByte.h"
#include "text/EditorScreenStrings.h"
#include "text/EditorStrings.h"
#include "text/EditorWrapOption.h"

#include <gtest/gtest.h>

#include <string>

namespace brenvik::test {

// Shift_JIS samples (UTF-8 in the comments).
inline const std::string kA = "\x82\xa0"; // あ
inline const std::string kI = "\x82\xa2"; // い
inline const std::string kHyo = "\x95\x5c"; // 表: its trail byte is a backslash
inline const std::string kSo = "\x83\x5c"; // ソ: likewise
inline const std::string kWideSpace = "\x81\x40";

class EditorTest : public ::testing::Test {
protected:
    EditorTest()
    {
        editor.resize(640, 480);
        TEditorCaret& caret = *editor.Caret();
        caret.SetFreeCaret(false);
        caret.SetKeepCaret(true);
        caret.SetInTab(false);
        caret.SetNextLine(true);
        caret.SetTabSpaceCount(4);
        caret.SetAutoIndent(true);
        caret.SetBackSpaceUnIndent(true);
        caret.SetPrevSpaceIndent(true);
        caret.SetSoftTab(false);
        caret.SetTabIndent(true);
    }

    void SetText(const std::string& text) { editor.Lines().SetTextStr(text); }
    std::string Text() const { return const_cast<TEditor&>(editor).Lines().GetTextStr(); }
    std::string Row(int row) const { return std::string(editor.RowText(row)); }
    TEditorPos Caret() const { return {editor.Row(), editor.Col()}; }
    void WrapAt(int wrapByte)
    {
        editor.ListRows().WrapOption().SetWrapByte(wrapByte);
        editor.SetWordWrap(true);
    }

    // The invariants of the editor and its rows, and no row holding half a double-byte
    // character (a lead byte whose trail is missing).
    void Check() const
    {
        EXPECT_EQ(editor.CheckInvariant(), "");
        EXPECT_EQ(editor.ListRows().CheckRows(), "");
        for (int row = 0; row < editor.RowCount(); ++row) {
            const std::string_view text = editor.RowText(row);
            for (size_t i = 0; i < text.size(); ++i)
                if (IsLeadByte(static_cast<unsigned char>(text[i]))) {
                    EXPECT_LT(i + 1, text.size()) << "row " << row << " ends in a lead byte";
                    ++i;
                }
        }
    }

    TEditor editor;
};

} // namespace brenvik::test
