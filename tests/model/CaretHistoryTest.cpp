// The caret's jump history: back and forward keep where the caret was left, and the oldest
// places go past the limit.
#include "model/CaretHistory.h"

#include <gtest/gtest.h>

namespace brenvik {
namespace {

TEST(CaretHistoryTest, KeepsWhereTheCaretWasLeftAndAtMostMaxPlaces)
{
    TCaretHistory history;
    EXPECT_FALSE(history.Back({1, 0}));
    history.Jumped({1, 0}, {50, 0});
    history.Jumped({52, 3}, {90, 0});
    EXPECT_EQ(history.Back({91, 1}), (TLinePlace {52, 3}));
    EXPECT_EQ(history.Back({52, 4}), (TLinePlace {1, 0}));
    EXPECT_FALSE(history.CanBack());
    EXPECT_EQ(history.Forward({1, 0}), (TLinePlace {52, 4}));
    EXPECT_EQ(history.Forward({52, 4}), (TLinePlace {91, 1}));
    EXPECT_FALSE(history.Forward({91, 1}));
    for (int i = 0; i < 2 * TCaretHistory::Max; ++i)
        history.Jumped({i, 0}, {i + 1000, 0});
    int backs = 0;
    while (history.Back({0, 0}))
        ++backs;
    EXPECT_EQ(backs, TCaretHistory::Max - 1);
}

} // namespace
} // namespace brenvik
