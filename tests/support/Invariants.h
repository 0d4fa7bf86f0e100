// Checks of the class invariants of the support layer, called by tests after each step.
#pragma once

#include "support/NotifyCollection.h"
#include "support/StringList.h"

#include <gtest/gtest.h>

namespace brenvik::test {

// A sorted list stays ordered under its own comparison (probed through Find's answers).
inline void CheckStringList(const TStringList& list)
{
    if (!list.Sorted())
        return;
    for (int i = 0; i + 1 < list.Count(); ++i) {
        int index = -1;
        ASSERT_TRUE(list.Find(list.Strings(i), index)) << "entry " << i << " not found";
        int next = -1;
        ASSERT_TRUE(list.Find(list.Strings(i + 1), next));
        EXPECT_LE(index, next) << "entries " << i << " and " << i + 1 << " out of order";
    }
}

inline void CheckCollection(const TNotifyCollection& collection)
{
    for (int i = 0; i < collection.Count(); ++i) {
        EXPECT_EQ(&collection.Items(i).Collection(), &collection);
        EXPECT_EQ(collection.Items(i).Index(), i);
    }
}

} // namespace brenvik::test
