// A seeded random editor of the row list checked against a plain string of the whole text: the
// rows always equal a full rewrap, and every row state the incremental rescan left computed equals
// the state that scanning every row from the first computes. Shared by the text and highlight tests.
#pragma once

#include "FakeEditor.h"
#include "QuoteScanner.h"
#include "RowsHelpers.h"
#include "text/EditorStrings.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace brenvik::test {

// Byte offset of the start of a row in the whole text.
inline std::size_t RowOffset(const TEditorScreenStrings& rows, int row)
{
    return row >= rows.Count() ? rows.TextSize()
                               : rows.TextSize() - rows.RowsText(row, rows.Count() - row).Text.size();
}

inline std::string NormalizeBreaks(const std::string& text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            result += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

// Pieces chosen to plant traps: a Shift_JIS trail byte equal to '\\' or a letter, NUL, tabs,
// brackets and punctuation that the line-start and line-end rules move.
inline std::vector<std::string> TrapPieces()
{
    return {"a", "bc", "\r\n", "\n", "\r", "\t", std::string(1, '\0'),
        "\x95\x5C" /* 表 */, "\x83\x41" /* ア */, "\xB1" /* ｱ */, "word ", "\x81\x41" /* 、 */, "abcdefghij",
        "\x81\x75" /* 「 */, "\x81\x76" /* 」 */, "\"quoted\"", "\x93\xFA\x96\x7B\x8C\xEA" /* 日本語 */};
}

class ReferenceModel {
public:
    std::mt19937 Random;
    FakeEditor Editor;
    TEditorScreenStrings& Rows = *Editor.Rows;
    std::string Model;
    std::vector<std::string> History; // texts before each undoable step
    std::vector<std::string> Undone; // texts to come back on redo
    std::vector<std::string> Pieces = TrapPieces(); // what inserted texts are made of

    explicit ReferenceModel(unsigned seed)
        : Random(seed)
    {
        Rows.UndoObj().SetLimit(100000);
        Editor.Scanner = [] { return std::make_unique<QuoteScanner>(); };
    }

    void Step()
    {
        int choice = static_cast<int>(Random() % 10);
        if (choice == 0 && Rows.UndoObj().CanUndo()) {
            Undone.push_back(Model);
            Model = History.back();
            History.pop_back();
            Rows.Undo();
        } else if (choice == 1 && Rows.UndoObj().CanRedo()) {
            History.push_back(Model);
            Model = Undone.back();
            Undone.pop_back();
            Rows.Redo();
        } else {
            Replace();
        }
    }

    std::string RandomText()
    {
        std::string text;
        int pieceCount = static_cast<int>(Random() % 9);
        for (int i = 0; i < pieceCount; ++i)
            text += Pieces[Random() % Pieces.size()];
        return text;
    }

    void Replace()
    {
        int count = Rows.Count();
        // A quarter of the edits go to the last rows, where the empty tail rows and the missing
        // final break make their traps.
        int row = Random() % 4 == 0 ? std::max(0, count - static_cast<int>(Random() % 3))
                                    : static_cast<int>(Random() % static_cast<unsigned>(count + 1));
        // Mostly insertions and one-row replacements, so the text grows to a few hundred rows.
        int widest = Random() % 8 == 0 ? 3 : Random() % 2;
        int span = row == count
            ? 0
            : static_cast<int>(Random() % static_cast<unsigned>(std::min(widest, count - row) + 1));
        ReplaceAt(row, span, RandomText());
    }

    // Starts over from text, with no undo history.
    void Load(const std::string& text)
    {
        TEditorStrings(Editor, Editor.Rows).SetTextStr(text);
        Model = NormalizeBreaks(text);
        History.clear();
        Undone.clear();
    }

    void ReplaceAt(int row, int span, const std::string& text)
    {
        int count = Rows.Count();
        bool refused = (span == 0 && text.empty())
            || (span == 0 && row == count && count > 0 && Rows.RowAttribute(count - 1) == raEndOfText);
        std::string expected = Model.substr(0, RowOffset(Rows, row)) + NormalizeBreaks(text)
            + Model.substr(RowOffset(Rows, row + span));
        Rows.ReplaceRows(row, span, text);
        if (!refused) {
            History.push_back(Model);
            Undone.clear();
            Model = expected;
        }
    }

    // Options change: the rows are rewrapped and the undo history stays.
    void ChangeWrapOption()
    {
        TEditorWrapOption& option = Rows.WrapOption();
        switch (Random() % 5) {
        case 0:
            option.SetWrapByte(
                option.WrapByte() + 1 + static_cast<int>(Random() % 5) * (option.WrapByte() > 40 ? -2 : 1));
            break;
        case 1:
            option.SetWordBreak(!option.WordBreak());
            break;
        case 2:
            option.SetLeading(!option.Leading());
            break;
        case 3:
            option.SetFollowPunctuation(!option.FollowPunctuation());
            break;
        case 4:
            option.SetFollowRetMark(!option.FollowRetMark());
            break;
        }
    }

    // Undoes every step, checking each text on the way, then redoes as many: the rows come back
    // exactly as they were, layout of empty tail rows included.
    void UndoAllRedoAll(int step)
    {
        const std::vector<RowShape> before = RowsOf(Rows);
        const std::string text = Model;
        const std::size_t pending = Undone.size(); // redo steps that were already waiting
        while (!History.empty()) {
            Undone.push_back(Model);
            Model = History.back();
            History.pop_back();
            Rows.Undo();
            ASSERT_EQ(Rows.CheckRows(), "") << "step " << step << " undo " << Undone.size();
            ASSERT_EQ(Rows.Text(), Model) << "step " << step << " undo " << Undone.size();
        }
        ASSERT_FALSE(Rows.UndoObj().CanUndo()) << "step " << step;
        while (Undone.size() > pending) {
            History.push_back(Model);
            Model = Undone.back();
            Undone.pop_back();
            Rows.Redo();
            ASSERT_EQ(Rows.CheckRows(), "") << "step " << step << " redo " << History.size();
            ASSERT_EQ(Rows.Text(), Model) << "step " << step << " redo " << History.size();
        }
        ASSERT_EQ(Model, text);
        ASSERT_EQ(RowsOf(Rows), before) << "step " << step;
    }

    // Line numbers from the tallies against a walk over the rows.
    void CheckLines(int step)
    {
        int line = 0;
        for (int row = 0; row < Rows.Count(); ++row) {
            bool starts = row == 0 || Rows.RowAttribute(row - 1) != raWrapped;
            if (starts && row > 0)
                ++line;
            ASSERT_EQ(Rows.LineOfRow(row), line) << "step " << step << " row " << row;
            if (starts) {
                ASSERT_EQ(Rows.RowOfLine(line), row) << "step " << step << " line " << line;
            }
        }
        ASSERT_EQ(Rows.LineCount(), Rows.Count() == 0 ? 0 : line + 1) << "step " << step;
        ASSERT_EQ(Rows.RowOfLine(Rows.LineCount() + 1), Rows.Count()) << "step " << step;
    }

    void Check(int step)
    {
        ASSERT_EQ(Rows.CheckRows(), "") << "step " << step;
        ASSERT_EQ(Rows.Text(), Model) << "step " << step;
        CheckLines(step);
        ASSERT_EQ(Rows.UndoObj().UndoList().size(), History.size()) << "step " << step;
        ASSERT_EQ(Rows.UndoObj().RedoList().size(), Undone.size()) << "step " << step;
        std::vector<RowTokenState> states = ScanFromTop(Rows, *Editor.CreateRowStateScanner());
        for (int row = 0; row < Rows.Count(); ++row) {
            if (Rows.RowStateComputed(row)) {
                ASSERT_EQ(Rows.RowState(row), states[row]) << "step " << step << " row " << row;
            }
        }
        if (Rows.WordWrap()) {
            FakeEditor reference;
            reference.Rows->WrapOption().Assign(Rows.WrapOption());
            reference.Rows->SetWordWrap(true);
            TEditorStrings(reference, reference.Rows).SetTextStr(Model);
            ASSERT_EQ(RowsOf(Rows), RowsOf(*reference.Rows)) << "step " << step;
        }
    }
};

} // namespace brenvik::test
