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

} // namespace
} // namespace brenvik::test
