// Three-slot string list: slots stay aligned with their strings through every kind of edit.
#include "support/PointerStringList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <random>
#include <string>
#include <vector>

namespace brenvik {
namespace {

struct ModelRow {
    std::string Text;
    std::array<std::uint32_t, 3> Slots {};
};

void ExpectSame(const TPointerStringList& list, const std::vector<ModelRow>& model)
{
    ASSERT_EQ(list.CheckInvariant(), "");
    ASSERT_EQ(list.Count(), static_cast<int>(model.size()));
    std::size_t length = 0;
    for (int i = 0; i < list.Count(); ++i) {
        ASSERT_EQ(list.Strings(i), model[i].Text) << "row " << i;
        for (int slot = 0; slot < 3; ++slot)
            ASSERT_EQ(list.Slot(i, slot), model[i].Slots[slot]) << "row " << i << " slot " << slot;
        length += model[i].Text.size();
    }
    EXPECT_EQ(list.TextLength(), length);
}

// Counts rows whose slot 1 has low bits other than 1, as the row list counts line ends.
constexpr TRowTally kTally {1, 0x3, 1};

// The tally's answers against a count over the model, at a few indices picked by pick.
template <typename Pick> void ExpectTally(const TPointerStringList& list, const std::vector<ModelRow>& model, Pick pick)
{
    std::vector<int> counted; // indices of the counted rows
    for (int i = 0; i < static_cast<int>(model.size()); ++i)
        if (kTally.Counts(model[i].Slots[1]))
            counted.push_back(i);
    const int count = static_cast<int>(model.size());
    for (int index : {0, count, pick(count + 1), pick(count + 1)}) {
        int before = static_cast<int>(std::lower_bound(counted.begin(), counted.end(), index) - counted.begin());
        ASSERT_EQ(list.TalliedBefore(index), before) << "index " << index;
    }
    const int n = static_cast<int>(counted.size());
    for (int nth : {0, n - 1, n, pick(n + 1)})
        ASSERT_EQ(list.FindTallied(nth), nth >= 0 && nth < n ? counted[nth] : count) << "nth " << nth;
}

TEST(PointerStringList, InsertAtZeroShiftsAllSlotsAndTheNewRowHasZeroes)
{
    TPointerStringList list;
    list.Add("a");
    list.Add("b");
    for (int slot = 0; slot < 3; ++slot) {
        list.SetSlot(0, slot, 10 + slot);
        list.SetSlot(1, slot, 20 + slot);
    }
    list.Insert(0, "new");
    ExpectSame(list, {{"new", {0, 0, 0}}, {"a", {10, 11, 12}}, {"b", {20, 21, 22}}});
    list.Delete(1);
    ExpectSame(list, {{"new", {0, 0, 0}}, {"b", {20, 21, 22}}});
    list.Clear();
    ExpectSame(list, {});
}

TEST(PointerStringList, EmbeddedNulAndHighBytesAreKept)
{
    TPointerStringList list;
    std::string bytes("a\0b\x82\xA0\xFF", 6);
    list.Add(bytes);
    list.Insert(0, std::string(1, '\0'));
    ExpectSame(list, {{std::string(1, '\0'), {}}, {bytes, {}}});
}

TEST(PointerStringList, MaskSlotFromKeepsEarlierRows)
{
    TPointerStringList list;
    std::vector<ModelRow> model;
    for (int i = 0; i < 5000; ++i) {
        list.Add(std::to_string(i));
        list.SetSlot(i, 1, 0xFFu);
        list.SetSlot(i, 2, 0x1234u);
        model.push_back({std::to_string(i), {0, 0xFFu, 0x1234u}});
    }
    list.MaskSlotFrom(1500, 1, 0xF);
    list.MaskSlotFrom(1500, 2, 0);
    for (int i = 1500; i < 5000; ++i)
        model[i].Slots = {0, 0xF, 0};
    ExpectSame(list, model);
}

// Random edits of every kind against a plain vector, with rows long enough to force block
// splits by bytes and bulk inserts large enough to take the block path.
TEST(PointerStringList, RandomEditsMatchAPlainVector)
{
    std::mt19937 random(12345);
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto text = [&]() {
        int length = below(10) == 0 ? below(5000) : below(40);
        std::string result(length, 'x');
        for (char& c : result)
            c = static_cast<char>(below(256));
        return result;
    };
    TPointerStringList list(kTally);
    std::vector<ModelRow> model;
    for (int step = 0; step < 4000; ++step) {
        int count = static_cast<int>(model.size());
        switch (below(9)) {
        case 0:
        case 1: {
            int at = below(count + 1);
            std::string row = text();
            list.Insert(at, row);
            model.insert(model.begin() + at, {row, {}});
            break;
        }
        case 2:
            if (count > 0) {
                int at = below(count);
                int n = 1 + below(std::min(count - at, below(8) == 0 ? 3000 : 5));
                list.DeleteRange(at, n);
                model.erase(model.begin() + at, model.begin() + at + n);
            }
            break;
        case 3:
            if (count > 0) {
                int at = below(count);
                std::string row = text();
                list.SetStrings(at, row);
                model[at].Text = row;
            }
            break;
        case 4:
            if (count > 0) {
                int at = below(count);
                int slot = below(3);
                auto value = below(3) == 0 ? 0u : static_cast<std::uint32_t>(random());
                list.SetSlot(at, slot, value);
                model[at].Slots[slot] = value;
            }
            break;
        case 5: {
            // Copied blocks keep their counts only when the source counts the same way.
            TPointerStringList source = below(2) ? TPointerStringList(kTally) : TPointerStringList();
            std::vector<ModelRow> rows;
            int n = below(4) == 0 ? 65 + below(3000) : below(10);
            for (int i = 0; i < n; ++i) {
                std::string row = text();
                source.Add(row);
                auto value = static_cast<std::uint32_t>(i);
                source.SetSlot(i, 1, value);
                rows.push_back({row, {0, value, 0}});
            }
            int at = below(count + 1);
            list.InsertFrom(at, source);
            model.insert(model.begin() + at, rows.begin(), rows.end());
            break;
        }
        case 6:
            if (below(50) == 0) {
                list.Clear();
                model.clear();
            }
            break;
        case 7:
            if (count > 0) {
                int at = below(count);
                std::uint32_t keep = below(2) ? 0xFu : 0x2u;
                list.MaskSlotFrom(at, 1, keep);
                for (int i = at; i < count; ++i)
                    model[i].Slots[1] &= keep;
            }
            break;
        case 8: {
            // Through a list that counts nothing and back: every count is redone.
            TPointerStringList other;
            other.Swap(list);
            list.Swap(other);
            break;
        }
        }
        ASSERT_EQ(list.CheckInvariant(), "") << "step " << step;
        ASSERT_EQ(list.Count(), static_cast<int>(model.size())) << "step " << step;
        ExpectTally(list, model, below);
        if (HasFatalFailure())
            return;
        if (step % 200 == 0)
            ExpectSame(list, model);
    }
    ExpectSame(list, model);
}

// An index outside the list is refused in every build, before anything changes.
TEST(PointerStringList, IndicesOutsideTheListThrowAndChangeNothing)
{
    TPointerStringList list(kTally);
    list.Add("a");
    list.Add("b");
    list.SetSlot(1, 1, 7);
    TPointerStringList source;
    source.Add("s");
    EXPECT_THROW(list.Strings(2), std::out_of_range);
    EXPECT_THROW(list.Strings(-1), std::out_of_range);
    EXPECT_THROW(list.Insert(3, "x"), std::out_of_range);
    EXPECT_THROW(list.SetStrings(2, "x"), std::out_of_range);
    EXPECT_THROW(list.SetSlot(0, 3, 1), std::out_of_range);
    EXPECT_THROW(list.SetSlot(-1, 1, 1), std::out_of_range);
    EXPECT_THROW(list.DeleteRange(1, 2), std::out_of_range);
    EXPECT_THROW(list.DeleteRange(-1, 1), std::out_of_range);
    EXPECT_THROW(list.InsertFrom(3, source), std::out_of_range);
    EXPECT_THROW(list.InsertFrom(0, list), std::invalid_argument);
    EXPECT_THROW(list.MaskSlotFrom(3, 1, 0), std::out_of_range);
    EXPECT_THROW(list.TalliedBefore(3), std::out_of_range);
    EXPECT_THROW(list.ForEachRow(1, 2, [](std::string_view, std::uint32_t) {}), std::out_of_range);
    ExpectSame(list, {{"a", {0, 0, 0}}, {"b", {0, 7, 0}}});
}

} // namespace
} // namespace brenvik
