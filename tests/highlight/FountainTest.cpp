// Fountains as components: change reporting, bracket copying and storage in settings files.
#include "highlight/ConfiguredFountains.h"
#include "highlight/HTMLFountain.h"
#include "highlight/PERLFountain.h"
#include "common/IniFile.h"
#include "support/PropertyStream.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace brenvik::test {
namespace {

class FountainNotifications : public ::testing::Test {
protected:
    TPERLFountain fountain;
    int notified = 0;
    void SetUp() override
    {
        fountain.NotifyList().Add(TMethod(this, &notified, [this](QObject* sender) {
            EXPECT_EQ(sender, &fountain);
            ++notified;
        }));
    }
};

TEST_F(FountainNotifications, EveryColourChangeReachesTheEditorsOnce)
{
    fountain.Comment()->SetColor(clBlue);
    fountain.Comment()->SetColor(clBlue);
    EXPECT_EQ(notified, 1) << "a setter given the current value reports nothing";
    TFountainColor source;
    source.SetBkColor(clAqua);
    source.SetStyle(fsBold | fsItalic);
    fountain.SetStr(&source);
    EXPECT_EQ(notified, 2);
    EXPECT_EQ(*fountain.Str(), source);
    EXPECT_TRUE(TFountain::HasItalic(fountain));
}

TEST_F(FountainNotifications, BracketsAndTheirColoursReportThroughTheCollection)
{
    TFountainBracketItem& item = fountain.Brackets()->AddBracket("=pod", "=cut");
    EXPECT_EQ(notified, 1);
    item.ItemColor()->SetColor(clGray);
    EXPECT_EQ(notified, 2);
    TFountainColor italic;
    italic.SetStyle(fsItalic);
    item.SetItemColor(&italic);
    EXPECT_EQ(item.ItemColor()->Style(), fsItalic);
    EXPECT_TRUE(TFountain::HasItalic(fountain)) << "bracket colours count too";
}

TEST_F(FountainNotifications, SettingTheWordListCopiesAndReports)
{
    TStringList words;
    words.Add("foo");
    fountain.SetReserveWordList(&words);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(fountain.ReserveWordList()->Count(), 1);
    EXPECT_NE(fountain.ReserveWordList(), &words);
}

TEST(FountainBrackets, AssignCopiesPairsAndColoursInOneBatch)
{
    THTMLFountain source;
    source.Brackets()->AddBracket("<%", "%>").ItemColor()->SetColor(clTeal);
    TPERLFountain target;
    target.Brackets()->AddBracket("x", "y");
    int notified = 0;
    target.NotifyList().Add(TMethod(&notified, &notified, [&notified](QObject*) { ++notified; }));
    target.SetBrackets(source.Brackets());
    EXPECT_EQ(notified, 1);
    ASSERT_EQ(target.Brackets()->Count(), 2);
    EXPECT_EQ(target.Brackets()->Brackets(0).LeftBracket(), "<!--");
    EXPECT_EQ(target.Brackets()->Brackets(1).RightBracket(), "%>");
    EXPECT_EQ(target.Brackets()->Brackets(1).ItemColor()->Color(), clTeal);
    EXPECT_NE(target.Brackets()->Brackets(1).ItemColor(), source.Brackets()->Brackets(1).ItemColor());
}

// Every stored value of a fountain, for comparing two of them.
QByteArray Stored(const QObject& fountain)
{
    return SaveProperties(fountain);
}

TEST(FountainStorage, AConfiguredPerlFountainReadsBackEqual)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("brenvik.ini");
    TPERLFountain original;
    ConfigurePERLFountain(original);
    original.Brackets()->AddBracket("=pod", "=cut").ItemColor()->SetColor(clGray);
    original.Symbol()->SetStyle(fsUnderline);
    WriteComponentToIni(original, ini, "property", "PERLFountain");

    TPERLFountain loaded;
    EXPECT_NE(Stored(loaded), Stored(original));
    EXPECT_TRUE(ReadComponentFromIni(loaded, ini, "property", "PERLFountain"));
    EXPECT_EQ(Stored(loaded), Stored(original));
    EXPECT_EQ(loaded.ReserveWordList()->Count(), 225);
    EXPECT_EQ(loaded.Brackets()->Brackets(0).ItemColor()->Color(), clGray);
    EXPECT_EQ(loaded.DBCS()->BkColor(), clRed);
    EXPECT_EQ(loaded.Symbol()->Style(), fsUnderline);
}

TEST(FountainStorage, AConfiguredHtmlFountainReadsBackEqual)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("Print.ini");
    THTMLFountain original;
    ConfigureHTMLFountain(original);
    WriteComponentToIni(original, ini, "property", "HTMLFountain");
    THTMLFountain loaded;
    EXPECT_TRUE(ReadComponentFromIni(loaded, ini, "property", "HTMLFountain"));
    EXPECT_EQ(Stored(loaded), Stored(original));
    EXPECT_EQ(loaded.Brackets()->Count(), 1);
}

} // namespace
} // namespace brenvik::test
