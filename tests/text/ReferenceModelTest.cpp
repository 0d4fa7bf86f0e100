// Seeded random ReplaceRows/Undo/Redo sequences against a plain string of the whole text, with
// word wrap off and on: the rows always equal a full rewrap and computed row states are right.
#include "ReferenceModel.h"

#include <gtest/gtest.h>

namespace brenvik::test {
namespace {

TEST(ReferenceModel, RandomEditsWithoutWordWrapKeepTextStatesAndInvariants)
{
    ReferenceModel model(20261207);
    for (int step = 0; step < 5000; ++step) {
        model.Step();
        model.Check(step);
        if (HasFatalFailure())
            return;
    }
}

TEST(ReferenceModel, RandomEditsWithWordWrapEqualAFullRewrap)
{
    ReferenceModel model(777);
    model.Rows.SetWordWrap(true);
    model.Rows.WrapOption().SetWrapByte(24);
    for (int step = 0; step < 3000; ++step) {
        if (step % 250 == 249)
            model.ChangeWrapOption();
        else
            model.Step();
        model.Check(step);
        if (HasFatalFailure())
            return;
    }
}

// Random steps, each checked, with the whole history undone and redone every so many steps.
void RunUndoingAllEvery(ReferenceModel& model, int steps, int every)
{
    for (int step = 0; step < steps; ++step) {
        model.Step();
        model.Check(step);
        if (step % every == every - 1)
            model.UndoAllRedoAll(step);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

// Undo and redo must give back the exact rows they took, around wrap widths where a line fills
// its rows to the byte and leaves an empty tail row: a whole history is undone and redone often.
TEST(ReferenceModel, UndoAllAndRedoAllRestoreTheExactRowsAtManyWrapWidths)
{
    for (int width : {8, 13, 20, 31}) {
        ReferenceModel model(9000 + width);
        model.Pieces.push_back(std::string(width, 'a'));
        model.Pieces.push_back(std::string(width - 1, 'b') + "\x93\xFA");
        model.Rows.WrapOption().SetWrapByte(width);
        model.Rows.WrapOption().SetFollowRetMark(width % 2 == 1);
        model.Rows.SetWordWrap(true);
        RunUndoingAllEvery(model, 1500, 100);
        if (HasFatalFailure())
            return;
    }
}

// Every replacement of the last rows of texts whose last line fills its rows to the byte, then
// one more edit over the start, then all undone and redone: the sequences that once lost a
// line break on undo and put a raEndOfText row inside the text.
TEST(ReferenceModel, EveryEditOfTheLastRowsAroundAnEmptyTailRowUndoesExactly)
{
    for (int width : {4, 20}) {
        for (bool followRetMark : {false, true}) {
            const std::string full(width, 'a');
            for (const std::string& text : {"x\r\n" + full, "x\r\n" + full + full, full, "x\r\n" + full + "\r\n"}) {
                for (const char* replacement : {"", "y", "y\r\n"}) {
                    for (int row = 0; row <= 4; ++row) {
                        for (int span = 0; span <= 3; ++span) {
                            ReferenceModel model(1);
                            model.Rows.WrapOption().SetWrapByte(width);
                            model.Rows.WrapOption().SetFollowRetMark(followRetMark);
                            model.Rows.SetWordWrap(true);
                            model.Load(text);
                            if (row + span > model.Rows.Count())
                                continue;
                            model.ReplaceAt(row, span, replacement);
                            model.Check(0);
                            model.ReplaceAt(0, std::min(2, model.Rows.Count()), "y");
                            model.Check(1);
                            model.UndoAllRedoAll(2);
                            if (HasFatalFailure()) {
                                ADD_FAILURE() << "width " << width << " text " << text.size() << " bytes, row "
                                              << row << " span " << span << " by \"" << replacement << "\"";
                                return;
                            }
                        }
                    }
                }
            }
        }
    }
}

TEST(ReferenceModel, UndoAllAndRedoAllWithoutWordWrap)
{
    ReferenceModel model(4711);
    RunUndoingAllEvery(model, 3000, 150);
}

} // namespace
} // namespace brenvik::test
