// Storing component properties as hexadecimal lines in an INI file, and reading them back.
#include "Invariants.h"
#include "SampleComponents.h"

#include "common/IniFile.h"
#include "support/PropertyStream.h"

#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace brenvik::test {
namespace {

class IniStorage : public ::testing::Test {
protected:
    QTemporaryDir Dir;
    QString File = Dir.filePath("brenvik.ini");

    QStringList Keys(const QString& section)
    {
        QSettings settings(File, QSettings::IniFormat);
        settings.beginGroup(section);
        return settings.childKeys();
    }
    QString Value(const QString& key) { return QSettings(File, QSettings::IniFormat).value(key).toString(); }
    void SetValue(const QString& key, const QString& value)
    {
        QSettings(File, QSettings::IniFormat).setValue(key, value);
    }
};

void Fill(TSampleEditorProp& prop)
{
    prop.SetCaption(QString::fromUtf8("日本語のキャプション"));
    prop.SetHints({"one", "two"});
    prop.SetWords({"\x95\x5c", "print"}); // Shift_JIS bytes with a 0x5C trail
    prop.Caret()->SetTabSpaceCount(4);
    prop.Caret()->SetStyle(TSampleCaret::csBrief);
    prop.Caret()->SetFontStyle(TSampleCaret::fsBold | TSampleCaret::fsItalic);
    prop.Caret()->Color()->SetColor(0x00800000);
    prop.FileExtList()->Add(".pm");
    auto& comment = static_cast<TSampleItem&>(prop.Brackets()->Add());
    comment.SetLeftBracket("/*");
    comment.ItemColor()->SetBold(true);
    static_cast<TSampleItem&>(prop.Brackets()->Add()).SetLeftBracket("<<EOT");
}

void ExpectFilled(TSampleEditorProp& prop)
{
    EXPECT_EQ(prop.Caption(), QString::fromUtf8("日本語のキャプション"));
    EXPECT_EQ(prop.Hints(), QStringList({"one", "two"}));
    EXPECT_EQ(prop.Words(), QByteArrayList({"\x95\x5c", "print"}));
    EXPECT_EQ(prop.Caret()->TabSpaceCount(), 4);
    EXPECT_EQ(prop.Caret()->Style(), TSampleCaret::csBrief);
    EXPECT_EQ(prop.Caret()->FontStyle(), TSampleCaret::fsBold | TSampleCaret::fsItalic);
    EXPECT_EQ(prop.Caret()->Color()->Color(), 0x00800000u);
    EXPECT_TRUE(prop.HasFileExt(".PM"));
    EXPECT_EQ(prop.FileExtList()->Count(), 3);
    ASSERT_EQ(prop.Brackets()->Count(), 2);
    CheckCollection(*prop.Brackets());
    auto& comment = static_cast<TSampleItem&>(prop.Brackets()->Items(0));
    EXPECT_EQ(comment.LeftBracket(), "/*");
    EXPECT_TRUE(comment.ItemColor()->Bold());
    EXPECT_EQ(static_cast<TSampleItem&>(prop.Brackets()->Items(1)).LeftBracket(), "<<EOT");
}

TEST_F(IniStorage, SeventyBytesMakeThreeLinesAndFortyBytesLaterDropTheThird)
{
    const QByteArray seventy(70, '\xAB');
    WriteStreamToIni(seventy, File, "property", "edrMain");
    EXPECT_EQ(Value("property/edrMain_c"), "3");
    EXPECT_EQ(Value("property/edrMain_d0"), QString("AB").repeated(32));
    EXPECT_EQ(Value("property/edrMain_d1").size(), 64);
    EXPECT_EQ(Value("property/edrMain_d2"), "ABABABABABAB");
    EXPECT_EQ(ReadStreamFromIni(File, "property", "edrMain"), seventy);

    WriteStreamToIni(QByteArray(40, '\x0F'), File, "property", "edrMain");
    EXPECT_EQ(Value("property/edrMain_c"), "2");
    EXPECT_EQ(Value("property/edrMain_d1"), QString("0F").repeated(8));
    EXPECT_FALSE(Keys("property").contains("edrMain_d2"));

    WriteStreamToIni(QByteArray(), File, "property", "edrMain");
    EXPECT_TRUE(Keys("property").isEmpty());
}

TEST_F(IniStorage, ComponentWithSubObjectsAndCollectionRoundTrips)
{
    TSampleEditorProp written;
    Fill(written);
    WriteComponentToIni(written, File, "property", "edrMain");
    WriteComponentToIni(*written.Caret(), File, "property", "Other");

    TSampleEditorProp read;
    read.Brackets()->Add(); // items present before reading are replaced
    int changes = 0;
    read.Brackets()->OnChange = [&](QObject*) { ++changes; };
    EXPECT_TRUE(ReadComponentFromIni(read, File, "property", "edrMain"));
    ExpectFilled(read);
    EXPECT_EQ(changes, 1);
}

TEST_F(IniStorage, ReadingLeavesAbsentAndMismatchedPropertiesAlone)
{
    TSampleColor color;
    color.SetColor(0x123456);
    WriteComponentToIni(color, File, "property", "Color");
    // TSampleCaret has "Color" too, but as a sub-object: the plain value must not reach it.
    TSampleCaret caret;
    caret.SetTabSpaceCount(6);
    EXPECT_TRUE(ReadComponentFromIni(caret, File, "property", "Color"));
    EXPECT_EQ(caret.TabSpaceCount(), 6);
    EXPECT_EQ(caret.Color()->Color(), 0x1FFFFFFFu);

    EXPECT_TRUE(ReadComponentFromIni(caret, File, "property", "Missing"));
    SetValue("property/Bad_c", "x");
    SetValue("property/Bad_d0", "00");
    EXPECT_TRUE(ReadComponentFromIni(caret, File, "property", "Bad"));
    EXPECT_EQ(caret.TabSpaceCount(), 6);
}

TEST_F(IniStorage, CorruptOrTruncatedLinesLoadWhatTheyCanWithoutCrashing)
{
    TSampleEditorProp written;
    Fill(written);
    WriteComponentToIni(written, File, "property", "edrMain");
    const int lines = Value("property/edrMain_c").toInt();
    ASSERT_GE(lines, 4);

    SetValue("property/edrMain_d2", "ZZ" + Value("property/edrMain_d2").mid(2));
    SetValue("property/edrMain_d3", "0");
    TSampleEditorProp damaged;
    ReadComponentFromIni(damaged, File, "property", "edrMain");
    EXPECT_EQ(damaged.Caption(), written.Caption()); // read before the damage

    SetValue("property/edrMain_c", "1");
    TSampleEditorProp truncated;
    EXPECT_FALSE(ReadComponentFromIni(truncated, File, "property", "edrMain"));

    SetValue("property/edrMain_c", "2000000000");
    EXPECT_FALSE(ReadComponentFromIni(truncated, File, "property", "edrMain"));
}

TEST(PropertyStream, RandomlyDamagedStreamsNeverCrashOrOverfillCollections)
{
    TSampleEditorProp written;
    Fill(written);
    const QByteArray bytes = SaveProperties(written);
    QRandomGenerator random(20240611);
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = bytes;
        const int edits = 1 + random.bounded(4);
        for (int i = 0; i < edits; ++i)
            damaged[random.bounded(damaged.size())] = static_cast<char>(random.bounded(256));
        if (round % 5 == 0)
            damaged.truncate(random.bounded(damaged.size()));
        TSampleEditorProp target;
        LoadProperties(target, damaged);
        ASSERT_LE(target.Brackets()->Count(), TSampleCollection::kLimit);
        CheckCollection(*target.Brackets());
        CheckStringList(*target.FileExtList());
    }
}

TEST(HexLines, UpperCaseDigitsAndBadPairsBecomeZero)
{
    EXPECT_EQ(BytesToHexLines(QByteArray("\x00\xff\x5c", 3)), QStringList({"00FF5C"}));
    EXPECT_EQ(HexLinesToBytes({"ff0G", "7"}), QByteArray("\xff\x00", 2));
    EXPECT_EQ(BytesToHexLines(QByteArray(32, 'a')).size(), 1);
    EXPECT_EQ(BytesToHexLines(QByteArray(33, 'a')).size(), 2);
}

} // namespace
} // namespace brenvik::test
