// A headless stand-in for the editor control: records what the row list asks of it.
#pragma once

#include "text/AttachedEditor.h"
#include "text/EditorScreenStrings.h"

#include <functional>
#include <memory>
#include <vector>

namespace brenvik::test {

class FakeEditor : public TAttachedEditor {
public:
    int Caret[2] = {0, 0}; // row, column
    int Top = 0;
    bool Selected = false;
    bool Focused = false;
    bool Loading = false;
    int Tabs = 8;
    int Screen = 200;
    int RowPixels = 10;
    int ChangeCalls = 0;
    int RefreshCalls = 0;
    std::vector<TPendingChange> Changes; // PendingChange seen at each LinesChanged
    std::vector<int> Invalidated;
    std::function<std::unique_ptr<TRowStateScanner>()> Scanner;
    std::shared_ptr<TEditorScreenStrings> Rows;

    explicit FakeEditor(std::shared_ptr<TEditorScreenStrings> rows = std::make_shared<TEditorScreenStrings>())
        : Rows(std::move(rows))
    {
        Rows->AddEditor(this);
    }
    ~FakeEditor() override { Rows->RemoveEditor(this); }

    int CaretRow() const override { return Caret[0]; }
    int CaretCol() const override { return Caret[1]; }
    void SetCaretRow(int row) override { Caret[0] = row; }
    void SetCaretCol(int col) override { Caret[1] = col; }
    int TopRow() const override { return Top; }
    void SetTopRow(int row) override { Top = row; }
    void HideCaret() override { }
    void ShowCaret() override { }
    bool HasSelection() const override { return Selected; }
    void CancelSelection() override { Selected = false; }
    bool HasFocus() const override { return Focused; }
    void LinesChanged() override
    {
        ++ChangeCalls;
        Changes.push_back(Rows->PendingChange());
    }
    void Refresh() override { ++RefreshCalls; }
    void InvalidateRow(int row) override { Invalidated.push_back(row); }
    bool IsLoading() const override { return Loading; }
    bool IsDestroying() const override { return false; }
    int TabSpaceCount() const override { return Tabs; }
    int ScreenHeight() const override { return Screen; }
    int RowHeight() const override { return RowPixels; }
    std::unique_ptr<TRowStateScanner> CreateRowStateScanner() override
    {
        return Scanner ? Scanner() : nullptr;
    }
};

} // namespace brenvik::test
