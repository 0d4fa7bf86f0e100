// Change notification: update batches, handler lists and collections.
#include "Invariants.h"
#include "SampleComponents.h"

#include "support/NotifyEventList.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace brenvik::test {
namespace {

struct TCounter {
    int Calls = 0;
    QObject* LastSender = nullptr;
    void Handle(QObject* sender)
    {
        ++Calls;
        LastSender = sender;
    }
    TNotifyEvent Event()
    {
        return [this](QObject* sender) { Handle(sender); };
    }
};

TEST(NotifyPersistent, NestedBatchOfThreeChangesNotifiesOnceAtTheOutermostEnd)
{
    TSampleCaret caret;
    TCounter counter;
    caret.OnChange = counter.Event();
    caret.BeginUpdate();
    caret.BeginUpdate();
    caret.SetTabSpaceCount(4);
    caret.SetStyle(TSampleCaret::csBrief);
    caret.EndUpdate();
    EXPECT_EQ(counter.Calls, 0);
    caret.SetFontStyle(TSampleCaret::fsBold);
    caret.EndUpdate();
    EXPECT_EQ(counter.Calls, 1);
    EXPECT_EQ(counter.LastSender, &caret);
    EXPECT_EQ(caret.UpdateCount(), 0);
}

TEST(NotifyPersistent, SetterGivenCurrentValueIsSilentAndChangeOfPartIsChangeOfWhole)
{
    TSampleCaret caret;
    TCounter counter;
    caret.OnChange = counter.Event();
    caret.SetTabSpaceCount(8);
    EXPECT_EQ(counter.Calls, 0);
    caret.Color()->SetBold(true);
    EXPECT_EQ(counter.Calls, 1);
    EXPECT_EQ(counter.LastSender, &caret);
}

TEST(NotifyPersistent, AssignCopiesEverythingIncludingSubObjectsAndNotifiesOnce)
{
    TSampleCaret source;
    source.SetTabSpaceCount(2);
    source.SetStyle(TSampleCaret::csBrief);
    source.SetFontStyle(TSampleCaret::fsBold | TSampleCaret::fsUnderline);
    source.Color()->SetColor(0x00FF00);
    TSampleCaret target;
    TCounter counter;
    target.OnChange = counter.Event();
    target.Assign(source);
    EXPECT_EQ(counter.Calls, 1);
    EXPECT_EQ(target.TabSpaceCount(), 2);
    EXPECT_EQ(target.Style(), TSampleCaret::csBrief);
    EXPECT_EQ(target.FontStyle(), source.FontStyle());
    EXPECT_EQ(target.Color()->Color(), 0x00FF00u);
    EXPECT_NE(target.Color(), source.Color());
}

TEST(NotifyPersistent, AssignFromOtherClassRaisesAndLeavesNoBatchOpen)
{
    TSampleCaret caret;
    TSampleColor color;
    EXPECT_THROW(caret.Assign(color), std::runtime_error);
    EXPECT_EQ(caret.UpdateCount(), 0);
}

TEST(NotifyPersistent, BatchGuardClosesWhenExceptionEscapes)
{
    TSampleCaret caret;
    TCounter counter;
    caret.OnChange = counter.Event();
    try {
        TUpdateBatch batch(caret);
        caret.SetTabSpaceCount(6);
        throw std::runtime_error("boom");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(caret.UpdateCount(), 0);
    EXPECT_EQ(counter.Calls, 1);
}

TEST(NotifyEventList, HandlerAddedTwiceIsCalledTwiceAndRemoveTakesTheLaterCopy)
{
    QObject owner;
    TNotifyEventList list(&owner);
    TCounter first;
    TCounter second;
    list.Add(TMethod::Of(&first, &TCounter::Handle));
    list.Add(TMethod::Of(&second, &TCounter::Handle));
    list.Add(TMethod::Of(&first, &TCounter::Handle));
    list.Changed();
    EXPECT_EQ(first.Calls, 2);
    EXPECT_EQ(second.Calls, 1);
    EXPECT_EQ(first.LastSender, &owner);

    list.Remove(TMethod::Of(&first, &TCounter::Handle));
    ASSERT_EQ(list.Count(), 2);
    list.Changed();
    EXPECT_EQ(first.Calls, 3);
    EXPECT_EQ(second.Calls, 2);
    list.Remove(TMethod::Of(&first, &TCounter::Handle));
    list.Remove(TMethod::Of(&first, &TCounter::Handle));
    EXPECT_EQ(list.Count(), 1);
}

TEST(MethodList, RemoveTakesTheLastOfEqualEntriesSoOrderOfOthersStays)
{
    TMethodList list;
    std::string log;
    int keyA = 0;
    int keyB = 0;
    list.Add(TMethod(&log, &keyA, [&](QObject*) { log += 'a'; }));
    list.Add(TMethod(&log, &keyB, [&](QObject*) { log += 'b'; }));
    list.Add(TMethod(&log, &keyA, [&](QObject*) { log += 'A'; }));
    list.Remove(TMethod(&log, &keyA, nullptr));
    for (const TMethod& method : list.Entries())
        method(nullptr);
    EXPECT_EQ(log, "ab");
    list.Remove(TMethod(&keyB, &keyB, nullptr)); // other data: not the same handler
    EXPECT_EQ(list.Count(), 2);
}

TEST(NotifyEventList, BatchesNotifyOnceAndHandlerMayRemoveItselfWhileCalled)
{
    QObject owner;
    TNotifyEventList list(&owner);
    int calls = 0;
    int key = 0;
    const TMethod self(&list, &key, [&](QObject*) {
        ++calls;
        list.Remove(TMethod(&list, &key, nullptr));
    });
    list.Add(self);
    TCounter other;
    list.Add(TMethod::Of(&other, &TCounter::Handle));
    list.BeginUpdate();
    list.Changed();
    list.Changed();
    EXPECT_EQ(other.Calls, 0);
    list.EndUpdate();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(other.Calls, 1);
    list.Changed();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(other.Calls, 2);
}

TEST(NotifyCollection, AdditionsRemovalsAndItemChangesNotifyOutsideBatches)
{
    QObject owner;
    TSampleCollection collection(&owner);
    EXPECT_EQ(collection.Owner(), &owner);
    TCounter counter;
    collection.OnChange = counter.Event();
    auto& item = static_cast<TSampleItem&>(collection.Add());
    EXPECT_EQ(counter.Calls, 1);
    item.SetLeftBracket("/*");
    EXPECT_EQ(counter.Calls, 2);
    item.ItemColor()->SetColor(0xFF);
    EXPECT_EQ(counter.Calls, 3);
    EXPECT_EQ(counter.LastSender, &collection);

    collection.BeginUpdate();
    collection.Add();
    collection.Add();
    collection.Delete(0);
    collection.EndUpdate();
    EXPECT_EQ(counter.Calls, 4);
    CheckCollection(collection);
    EXPECT_EQ(collection.Count(), 2);
    EXPECT_THROW(collection.Delete(2), std::out_of_range);
}

TEST(NotifyCollection, AssignCopiesItemsInOneBatchAndKeepsCopiesIndependent)
{
    TSampleCollection source(nullptr);
    static_cast<TSampleItem&>(source.Add()).SetLeftBracket("<!--");
    static_cast<TSampleItem&>(source.Add()).ItemColor()->SetColor(0x80);
    TSampleCollection target(nullptr);
    target.Add();
    target.Add();
    target.Add();
    TCounter counter;
    target.OnChange = counter.Event();
    target.Assign(source);
    EXPECT_EQ(counter.Calls, 1);
    ASSERT_EQ(target.Count(), 2);
    CheckCollection(target);
    EXPECT_EQ(static_cast<TSampleItem&>(target.Items(0)).LeftBracket(), "<!--");
    EXPECT_EQ(static_cast<TSampleItem&>(target.Items(1)).ItemColor()->Color(), 0x80u);
    EXPECT_NE(static_cast<TSampleItem&>(target.Items(1)).ItemColor(),
        static_cast<TSampleItem&>(source.Items(1)).ItemColor());
}

} // namespace
} // namespace brenvik::test
