// A random-operation check over the real editing model: seeded sequences of typing, deleting,
// normal and box selections with cut, copy and paste, Enter with auto-indent, undo and redo,
// and word-wrap changes. After every step the rows are canonical and equal a full rewrap of
// the text, the computed row states equal a scan from the top, and the caret stands on a
// character boundary. Undo-all and redo-all are checked every few steps and at the end of
// each segment (checking them every step would make the run quadratic); the undo history is
// cleared at the start of each segment, so "the start text" is the text the segment began with;
// rewraps keep the history, so undo-all reaches back through them.
//
// BRENVIK_FUZZ_SECONDS=n runs fresh seeds for n seconds instead of the fixed ones
// (tools/fuzz.sh); the number of steps run is printed either way.
#include "ModelTestSupport.h"

#include "highlight/ConfiguredFountains.h"
#include "highlight/PERLFountain.h"
#include "text/EditorUndoObj.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>

namespace brenvik::test {
namespace {

constexpr int kSegment = 200;     // steps between clearings of the undo history
constexpr int kUndoCheckEvery = 50;

const std::string kStart = "#!/usr/bin/perl\r\n"
                           "# \x82\xa0\x82\xa2 comment\r\n"
                           "my $name = \"\x95\x5c\x83\x5c\";\r\n"
                           "\tif ($x) {\r\n"
                           "\t\tprint \"a\\tb\" . 'c';\r\n"
                           "\t}\r\n"
                           "s/\x81\x40+//g; # tidy\r\n";

// One row as the checks compare it.
struct TRowImage {
    std::string Text;
    TRowAttribute Attribute;
    friend bool operator==(const TRowImage&, const TRowImage&) = default;
};

std::vector<TRowImage> Rows(const TEditorModel& model)
{
    std::vector<TRowImage> rows;
    for (int row = 0; row < model.RowCount(); ++row)
        rows.push_back({std::string(model.RowText(row)), model.RowAttribute(row)});
    return rows;
}

class TRandomEdits {
public:
    TRandomEdits(unsigned seed)
        : FRandom(seed)
        , FSeed(seed)
    {
        ConfigurePERLFountain(FFountain);
        for (TTestModel* t : {&FEdited, &FFresh}) {
            t->Owner.Fountain = &FFountain;
            t->Owner.Rules.AutoIndent = true;
            t->Owner.Rules.PrevSpaceIndent = true;
            t->Owner.Rules.TabIndent = true;
            t->Model.SetUndoListMax(kSegment + 16);
        }
        FEdited.SetText(kStart);
    }

    // Runs steps and returns false at the first broken check (after recording a failure).
    bool Run(int steps)
    {
        for (int step = 0; step < steps; ++step) {
            if (step % kSegment == 0)
                BeginSegment();
            Step();
            if (!CheckRowsAndCaret(step))
                return false;
            const bool segmentEnds = step % kSegment == kSegment - 1 || step == steps - 1;
            if ((step % kUndoCheckEvery == kUndoCheckEvery - 1 || segmentEnds) && !CheckUndoAll(step))
                return false;
        }
        return true;
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(FRandom); }

    void BeginSegment()
    {
        TEditorModel& m = FEdited.Model;
        if (FEdited.Text().size() > 6000)
            FEdited.SetText(kStart);
        m.CancelSelection();
        m.Rows().UndoObj().ClearAll();
        FSegmentStart = FEdited.Text();
    }

    void Log(std::string what)
    {
        FLog.push_back(std::move(what));
        if (FLog.size() > 12)
            FLog.pop_front();
    }

    void MoveCaret()
    {
        TEditorModel& m = FEdited.Model;
        const int row = Pick(m.LastCaretRow() + 1);
        m.SetRowCol(row, Pick(m.RowWidth(row) + 3));
    }

    void Step()
    {
        TEditorModel& m = FEdited.Model;
        const std::string typed[] = {"a", "xyz", "$", "\"", "#", kA, kHyo, kWideSpace, "\t", "\r\n", " {", "}"};
        switch (Pick(20)) {
        case 0:
        case 1:
        case 2: {
            const std::string& text = typed[Pick(std::size(typed))];
            Log("type " + text);
            m.TypeText(text);
            break;
        }
        case 3:
            Log("backspace");
            m.Backspace();
            break;
        case 4:
            Log("delete");
            m.DeleteChar();
            break;
        case 5:
            Log("enter");
            m.Enter(Pick(8) == 0);
            break;
        case 6:
        case 7:
            Log("move");
            m.CancelSelection();
            MoveCaret();
            break;
        case 8:
        case 9: {
            const bool box = Pick(3) == 0;
            Log(box ? "box select" : "select");
            m.CancelSelection();
            m.SetBoxSelection(box);
            MoveCaret();
            m.StartSelection();
            MoveCaret();
            m.ExtendSelection();
            break;
        }
        case 10:
            Log("cut");
            FClip = m.SelText();
            FClipBox = m.BoxSelection();
            m.DeleteSelection();
            break;
        case 11:
            Log("copy");
            FClip = m.SelText();
            FClipBox = m.BoxSelection();
            break;
        case 12:
            Log(FClipBox ? "paste box" : "paste");
            if (FClipBox)
                m.PasteBox(FClip);
            else
                m.SetSelText(FClip);
            break;
        case 13:
        case 14:
            Log("undo");
            m.Undo();
            break;
        case 15:
            Log("redo");
            m.Redo();
            break;
        case 16:
            Log("tab");
            m.Tab();
            break;
        case 17:
            Log("word move");
            m.WordMove(m.Row(), m.Col(), Pick(2) == 0 ? -1 : 1);
            break;
        case 18:
            Log("wrap toggle");
            m.SetWordWrap(!m.WordWrap());
            break;
        case 19: {
            const int width = 20 + Pick(30);
            Log("wrap width " + std::to_string(width));
            m.Rows().WrapOption().SetWrapByte(width);
            break;
        }
        }
    }

    // The rows and row states a fresh model builds from the same text with the same wrap.
    void Rebuild(const std::string& text)
    {
        TEditorModel& fresh = FFresh.Model;
        fresh.Rows().WrapOption().SetWrapByte(FEdited.Model.WrapByte());
        fresh.SetWordWrap(FEdited.Model.WordWrap());
        FFresh.SetText(text);
        fresh.Rows().RescanAll();
    }

    bool Fail(int step, const std::string& what)
    {
        std::string log;
        for (const std::string& entry : FLog)
            log += "  " + entry + "\n";
        ADD_FAILURE() << "seed " << FSeed << " step " << step << ": " << what << "\nlast operations:\n" << log;
        return false;
    }

    bool CheckRowsAndCaret(int step)
    {
        const TEditorModel& m = FEdited.Model;
        if (const std::string broken = m.CheckInvariant(); !broken.empty())
            return Fail(step, broken);
        if (const std::string broken = m.Rows().CheckRows(); !broken.empty())
            return Fail(step, broken);
        Rebuild(FEdited.Text());
        if (Rows(m) != Rows(FFresh.Model))
            return Fail(step, "the rows differ from a full rewrap of the text");
        for (int row = 0; row < m.RowCount(); ++row) {
            RowTokenState state = m.Rows().RowState(row);
            RowTokenState fresh = FFresh.Model.Rows().RowState(row);
            // Each row list numbers its contexts (what a string or here-document leaves open) itself.
            const bool sameContext
                = m.Rows().Contexts().At(state.Context) == FFresh.Model.Rows().Contexts().At(fresh.Context);
            state.Context = fresh.Context = 0;
            if (state.BracketIndex != -2 && !(state == fresh && sameContext))
                return Fail(step, "the state of row " + std::to_string(row) + " differs from a scan from the top");
        }
        // Everything typed is whole characters, so no edit may leave half of one.
        for (int row = 0; row < m.RowCount(); ++row) {
            const std::string_view text = m.RowText(row);
            for (size_t i = 0; i < text.size(); ++i)
                if (StartsPair(text, i))
                    ++i;
                else if (IsLeadByte(static_cast<unsigned char>(text[i])))
                    return Fail(step, "row " + std::to_string(row) + " ends in half a character");
        }
        if (m.SelLength() != qint64(m.SelText().size()))
            return Fail(step, "SelLength differs from the selected text's length");
        return true;
    }

    bool CheckUndoAll(int step)
    {
        TEditorModel& m = FEdited.Model;
        const std::string final = FEdited.Text();
        const std::vector<TRowImage> finalRows = Rows(m);
        int undone = 0;
        for (; m.CanUndo(); ++undone)
            m.Undo();
        if (FEdited.Text() != FSegmentStart)
            return Fail(step, "undo-all does not restore the text the segment began with:\n" + FEdited.Text() + "\nnot\n" + FSegmentStart);
        Rebuild(FSegmentStart);
        if (Rows(m) != Rows(FFresh.Model))
            return Fail(step, "undo-all leaves rows that differ from a full rewrap");
        // Redo as many steps as were undone: steps undone before the check stay undone.
        for (int i = 0; i < undone; ++i)
            m.Redo();
        if (FEdited.Text() != final)
            return Fail(step, "redo-all does not restore the final text");
        if (Rows(m) != finalRows)
            return Fail(step, "redo-all does not restore the final rows");
        return true;
    }

    std::mt19937 FRandom;
    unsigned FSeed;
    TPERLFountain FFountain;
    TTestModel FEdited;
    TTestModel FFresh;
    std::string FSegmentStart;
    std::string FClip;
    bool FClipBox = false;
    std::deque<std::string> FLog;
};

TEST(RandomEditTest, UndoRowsStatesAndCaretHoldOverRandomEdits)
{
    constexpr int kSteps = 5000;
    long long run = 0;
    if (const char* seconds = std::getenv("BRENVIK_FUZZ_SECONDS")) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(seconds));
        unsigned seed = std::random_device()();
        do {
            if (!TRandomEdits(seed++).Run(kSteps))
                break;
            run += kSteps;
        } while (std::chrono::steady_clock::now() < end);
    } else {
        for (unsigned seed : {1u, 2u, 3u, 4u}) {
            if (!TRandomEdits(seed).Run(kSteps))
                break;
            run += kSteps;
        }
    }
    std::printf("random edits: %lld steps run clean\n", run);
    EXPECT_GT(run, 0);
}

} // namespace
} // namespace brenvik::test
