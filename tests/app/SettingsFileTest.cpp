// The settings file: "Option" keys read strictly with their defaults, the recent-files list,
// and the owner that opens the file and tells a failed write.
#include "FakePrompts.h"

#include "app/FileHistory.h"
#include "app/MainOptions.h"
#include "app/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    QString Write(const QByteArray& text)
    {
        const QString name = FDir.filePath(QStringLiteral("brenvik.ini"));
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return name;
    }
    QTemporaryDir FDir;
};

TEST_F(SettingsFileTest, MissingEmptyOrGarbageValuesGiveTheDefaults)
{
    for (const QByteArray& text : {QByteArray(), QByteArray("[Option]\n"),
             QByteArray("[Option]\nWordWrapWindow=abc\nDefaultJCode=6\nDefaultRCode=0\nListDefaultSet=9\n"
                        "ListUpdate=-1\nTabMarkColor=red\nVariableSorted=2\nKeyWordDefaultMenu=1.5\n"),
             QByteArray("\x00\xff[Opt", 5)}) {
        QSettings settings(Write(text), QSettings::IniFormat);
        TMainOptions options;
        options.Read(settings);
        EXPECT_EQ(options, TMainOptions()) << text.toStdString();
    }
}

// UTF-8 (7) may now be the code of new documents; the undecided code (6) and 8 may not.
TEST_F(SettingsFileTest, DefaultJCodeMayBeUtf8)
{
    for (const auto& [text, expected] : {std::pair {"7", jcUtf8}, {"6", jcSjis}, {"8", jcSjis}, {"4", jcEuc}}) {
        // A file of its own each: settings of one file name are cached within the second.
        const QString name = FDir.filePath(QStringLiteral("code%1.ini").arg(QLatin1String(text)));
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("[Option]\nDefaultJCode=") + text + "\n");
        file.close();
        QSettings settings(name, QSettings::IniFormat);
        TMainOptions options;
        options.Read(settings);
        EXPECT_EQ(options.DefaultJCode, expected) << text;
    }
}

TEST_F(SettingsFileTest, ValidValuesAreReadAndEveryKeyIsWrittenBack)
{
    QSettings settings(Write("[Option]\nWordWrapWindow=0\nDefaultJCode=4\nDefaultRCode=3\nListDefaultSet=3\n"
                             "TabMarkColor=255\nSubRoutineSorted=1\nSubRoutineDefaultMenu=4\n"),
        QSettings::IniFormat);
    TMainOptions options;
    options.Read(settings);
    EXPECT_FALSE(options.WordWrapWindow);
    EXPECT_EQ(options.DefaultJCode, jcEuc);
    EXPECT_EQ(options.DefaultRCode, rcLf);
    EXPECT_EQ(options.ListDefaultSet, 3);
    EXPECT_EQ(options.TabMarkColor, 255u);
    EXPECT_TRUE(options.SubRoutineSorted);
    EXPECT_EQ(options.SubRoutineDefaultMenu, 4);

    options.DBSpaceMarkVisible = false;
    QSettings out(FDir.filePath(QStringLiteral("out.ini")), QSettings::IniFormat);
    options.Write(out);
    out.sync();
    TMainOptions back;
    back.Read(out);
    EXPECT_EQ(back, options);
    QFile file(out.fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_TRUE(written.contains("DBSpaceMarkVisible=0\n")) << written.toStdString();
    EXPECT_TRUE(written.contains("SubRoutineSorted=1\n"));
    EXPECT_TRUE(written.contains("Version=300\n"));
}

TEST_F(SettingsFileTest, HistoryKeepsEightDistinctEntriesMostRecentFirst)
{
    QSettings settings(FDir.filePath(QStringLiteral("h.ini")), QSettings::IniFormat);
    for (int i = 0; i < 9; ++i)
        AddHistory(settings, QStringLiteral("/s/%1.cgi").arg(i));
    QStringList entries = ReadHistory(settings);
    ASSERT_EQ(entries.size(), kHistoryCapacity);
    EXPECT_EQ(entries.front(), QStringLiteral("/s/8.cgi"));
    EXPECT_EQ(entries.back(), QStringLiteral("/s/1.cgi"));

    AddHistory(settings, QStringLiteral("/s/4.cgi"));
    entries = ReadHistory(settings);
    EXPECT_EQ(entries.size(), kHistoryCapacity);
    EXPECT_EQ(entries.front(), QStringLiteral("/s/4.cgi"));
    EXPECT_EQ(entries.count(QStringLiteral("/s/4.cgi")), 1);
}

TEST_F(SettingsFileTest, DamagedHistoryReadsWhatIsThereAndTheNextAddCleansIt)
{
    QSettings huge(Write("[Hist]\nCount=2000000000\nFile0=/a&b.cgi\nFile2=/c.cgi\nFile3=\nFile20=/far.cgi\n"),
        QSettings::IniFormat);
    EXPECT_EQ(ReadHistory(huge), (QStringList {QStringLiteral("/a&b.cgi"), QStringLiteral("/c.cgi")}));
    AddHistory(huge, QStringLiteral("/d.cgi"));
    huge.sync();
    huge.beginGroup(QStringLiteral("Hist"));
    EXPECT_EQ(huge.childKeys().size(), 4); // Count and three entries: the stray File20 is gone
    EXPECT_EQ(huge.value(QStringLiteral("File1")).toString(), QStringLiteral("/a&b.cgi"));
    huge.endGroup();

    QSettings garbage(Write("[Hist]\nCount=many\nFile0=/a.cgi\n"), QSettings::IniFormat);
    EXPECT_TRUE(ReadHistory(garbage).isEmpty());
}

// The owner writes through the sections' tables and reads back what it wrote; a write that
// cannot reach the file is told once, in the one wording that names the file.
TEST_F(SettingsFileTest, TheOwnerReadsBackItsSectionsAndTellsAFailedWriteOnce)
{
    const QString name = FDir.filePath(QStringLiteral("owner.ini"));
    {
        TSettingsFile settings(name);
        TMainOptions options;
        options.ListUpdate = 0;
        settings.WriteOptions(options);
        settings.AddHistory(QStringLiteral("/a.cgi"));
        test::TFakePrompts prompts;
        EXPECT_TRUE(settings.SyncOrTell(prompts, nullptr));
        EXPECT_TRUE(prompts.Errors.isEmpty());
    }
    TSettingsFile again(name);
    TMainOptions read;
    again.ReadOptions(read);
    EXPECT_EQ(read.ListUpdate, 0);
    EXPECT_EQ(again.History(), QStringList {QStringLiteral("/a.cgi")});

    // A folder where the file should be: no write can succeed, whoever runs the test.
    const QString blocked = FDir.filePath(QStringLiteral("blocked.ini"));
    ASSERT_TRUE(QDir().mkdir(blocked));
    TSettingsFile settings(blocked);
    settings.SetValue(QStringLiteral("Option/ListUpdate"), 2);
    test::TFakePrompts prompts;
    EXPECT_FALSE(settings.SyncOrTell(prompts, nullptr));
    ASSERT_EQ(prompts.Errors.size(), 1);
    EXPECT_EQ(prompts.Errors.front(), QStringLiteral("設定ファイル「%1」に書き込めませんでした。").arg(blocked));
}

} // namespace
} // namespace brenvik
