// The row list's table of open-construct values: equal bytes share an index, a full table says so.
#include "text/RowContexts.h"

#include <gtest/gtest.h>

#include <string>

namespace brenvik {
namespace {

TEST(RowContexts, EqualBytesShareAnIndexThatStaysValidAsTheTableGrows)
{
    TRowContexts table;
    EXPECT_EQ(table.Intern(""), 0);
    const int first = table.Intern("EOM");
    EXPECT_GT(first, 0);
    for (int i = 0; i < 5000; ++i)
        table.Intern("T" + std::to_string(i));
    EXPECT_EQ(table.Intern(std::string("EO") + "M"), first);
    EXPECT_EQ(table.At(first), "EOM");
    EXPECT_EQ(table.At(0), "");
    EXPECT_EQ(table.At(table.Count()), "") << "an index the table does not hold reads as nothing open";
}

TEST(RowContexts, AFullTableRefusesNewBytesAndClearStartsAFreshGeneration)
{
    TRowContexts table;
    while (table.Count() < TRowContexts::MaxCount)
        ASSERT_GT(table.Intern(std::to_string(table.Count())), 0);
    EXPECT_EQ(table.Intern("one more"), -1);
    EXPECT_EQ(table.Intern("1"), 1) << "bytes already held are still found";
    const int generation = table.Generation();
    table.Clear();
    EXPECT_NE(table.Generation(), generation);
    EXPECT_EQ(table.Count(), 1);
    EXPECT_EQ(table.Intern("one more"), 1);
}

} // namespace
} // namespace brenvik
