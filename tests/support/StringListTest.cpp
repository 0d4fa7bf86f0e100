// Sorted and unsorted byte-string lists, TStringListEx and the file-extension component.
#include "Invariants.h"
#include "SampleComponents.h"

#include "support/DoubleByte.h"
#include "support/StringListEx.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace brenvik::test {
namespace {

TEST(StringList, SortedCaseInsensitiveListFoldsOnlyAsciiLetters)
{
    TStringList list;
    list.SetSorted(true);
    list.Add("print");
    list.Add("Open");
    list.Add("\x82\xa0"); // hiragana a: its trail byte 0xA0 must not fold
    list.Add("\x82\x80");
    list.Add("if");
    EXPECT_EQ(list.Add("PRINT"), list.IndexOf("print")); // duplicate ignored
    EXPECT_EQ(list.Count(), 5);
    CheckStringList(list);
    EXPECT_EQ(list.Strings(0), "if");
    EXPECT_EQ(list.Strings(1), "Open");
    EXPECT_EQ(list.Strings(2), "print");
    EXPECT_EQ(list.Strings(3), "\x82\x80");
    EXPECT_GE(list.IndexOf("OPEN"), 0);
    EXPECT_EQ(list.IndexOf("\x82\xc0"), -1);
    EXPECT_THROW(list.Insert(0, "x"), std::logic_error);
}

TEST(StringList, DuplicatesErrorRaisesAndAcceptKeepsBoth)
{
    TStringList strict;
    strict.SetSorted(true);
    strict.SetDuplicates(TDuplicates::dupError);
    strict.Add("a");
    EXPECT_THROW(strict.Add("A"), std::runtime_error);
    EXPECT_EQ(strict.Count(), 1);

    TStringList loose;
    loose.SetSorted(true);
    loose.SetDuplicates(TDuplicates::dupAccept);
    loose.Add("b");
    loose.Add("a");
    loose.Add("B");
    EXPECT_EQ(loose.Count(), 3);
    CheckStringList(loose);
}

TEST(StringList, UnsortedListKeepsOrderAndSortingLaterOrdersIt)
{
    TStringList list;
    list.Add("c");
    list.Add("a");
    list.Insert(1, "b");
    EXPECT_EQ(list.Text(), "c\r\nb\r\na\r\n");
    list.SetSorted(true);
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\n");
    list.SetStrings(0, "z");
    EXPECT_EQ(list.Text(), "b\r\nc\r\nz\r\n");
    CheckStringList(list);
    EXPECT_THROW(list.Delete(3), std::out_of_range);
    EXPECT_THROW(list.Strings(-1), std::out_of_range);
}

TEST(StringList, SetTextSplitsAtEveryLineBreakConventionInOneNotification)
{
    TStringList list;
    int calls = 0;
    list.OnChange = [&](QObject*) { ++calls; };
    list.SetText("a\r\nb\rc\n\nd");
    EXPECT_EQ(calls, 1);
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Strings(2), "c");
    EXPECT_EQ(list.Strings(3), "");
    EXPECT_EQ(list.Strings(4), "d");
    list.SetText("x\r\n");
    EXPECT_EQ(list.Count(), 1);
    SetTextToStrings("", list);
    EXPECT_EQ(list.Count(), 0);
    SetTextToStrings("\n", list);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Strings(0), "");
}

TEST(StringListEx, UnsortedAddSkipsExactDuplicatesButNotOtherCase)
{
    TStringListEx list;
    list.Add("ABC");
    EXPECT_EQ(list.Add("abc"), 1);
    EXPECT_EQ(list.Add("abc"), -1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.IndexOf("abc"), 1);
}

TEST(StringListEx, SortedFindIsCaseSensitiveAndConsistentWithItsOrder)
{
    TStringListEx list;
    list.SetSorted(true);
    for (const char* s : {"b", "B", "a", "A", "$a", "@a"})
        list.Add(s);
    EXPECT_EQ(list.Count(), 6);
    CheckStringList(list);
    int index = -1;
    EXPECT_TRUE(list.Find("A", index));
    EXPECT_EQ(list.Strings(index), "A");
    EXPECT_FALSE(list.Find("c", index));
    EXPECT_EQ(index, 6);
}

TEST(FileExtComponent, ExtensionsAreSortedDeduplicatedAndMatchedIgnoringCase)
{
    TSampleEditorProp prop;
    EXPECT_TRUE(prop.HasFileExt(".CGI"));
    EXPECT_FALSE(prop.HasFileExt(".html"));
    TStringList other;
    other.Add(".pm");
    other.Add(".PM");
    other.Add(".cgi");
    prop.SetFileExtList(&other);
    EXPECT_EQ(prop.FileExtList()->Count(), 2);
    EXPECT_TRUE(prop.HasFileExt(".pm"));
    EXPECT_FALSE(prop.HasFileExt(".pl"));
    CheckStringList(*prop.FileExtList());
}

} // namespace
} // namespace brenvik::test
