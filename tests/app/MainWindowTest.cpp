// The main window driven as a user would, offscreen, with its dialogs answered by a fake:
// opening and saving in every code, asking to save, history, other processes, status texts.
#include "FakePrompts.h"
#include "TestFiles.h"
#include "app/DockPanels.h"
#include "app/FileHistory.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "highlight/PERLFountain.h"
#include "jcode/SjisUnicode.h"
#include "text/EditorStrings.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

using test::TFakePrompts;

// Shift_JIS: 髙 is an IBM extension (FB FC), ｶﾅ two half-width kana.
// The comment line (掲示板) makes the file's code plain for detection.
const QByteArray kSjisLines = "print \"\xFB\xFC\x8B\xB4\";\r\n\xB6\xC5\r\n# end\r\n# \x8C\x66\x8E\xA6\x94\xC2\r\n";
const QByteArray kEucLines = "print \"\xFC\xE2\xB6\xB6\";\n\x8E\xB6\x8E\xC5\n# end\n# \xB7\xC7\xBC\xA8\xC8\xC4\n";
const QByteArray kJisLines = "print \"\x1B$B|b66\x1B(J\";\rx\r# end\r";

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
    {
        qputenv("BRENVIK_HOME", FHome.path().toLocal8Bit());
        window = std::make_unique<TfrmMain>(&prompts);
    }
    ~MainWindowTest() override { qunsetenv("BRENVIK_HOME"); }

    QString Path(const QString& name) const { return FHome.filePath(name); }
    QString Write(const QString& name, const QByteArray& bytes) const { return test::WriteTestFile(Path(name), bytes); }
    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    QStringList History() const
    {
        QSettings settings(Path("brenvik.ini"), QSettings::IniFormat);
        return ReadHistory(settings);
    }
    void Type(const char* text) { window->Editor().TypeText(text); }

    QTemporaryDir FHome;
    TFakePrompts prompts;
    std::unique_ptr<TfrmMain> window;
};

// The document reads and writes (tests/model); the window shows each code in panel 4.
TEST_F(MainWindowTest, EachCodeAndLineEndShowsInPanelFour)
{
    const struct {
        const char* Name;
        QByteArray Bytes;
        const char* Status;
    } cases[] = {{"s.cgi", kSjisLines, "S-JIS CRLF"}, {"e.cgi", kEucLines, "EUC LF"}, {"j.cgi", kJisLines, "JIS CR"},
        {"u.cgi", "# \xE3\x81\x8B\n", "UTF-8 LF"}, {"b.cgi", "\xEF\xBB\xBF# \xE3\x81\x8B\r\n", "UTF-8 BOM CRLF"}};
    for (const auto& sample : cases) {
        ASSERT_TRUE(window->LoadFile(Write(sample.Name, sample.Bytes))) << sample.Name;
        window->IdleUpdate();
        EXPECT_EQ(window->StatusPanelText(4), QString::fromLatin1(sample.Status));
        // Only a Shift_JIS script has trail bytes that Perl reads as backslashes.
        EXPECT_EQ(window->PerlFountain().TrailBytesEscape(), sample.Name == std::string("s.cgi")) << sample.Name;
    }
    EXPECT_TRUE(prompts.Errors.isEmpty()) << prompts.Errors.join('\n').toStdString();
}

// Save and Save As keep the codes the file was read with (an EUC/LF script still runs on its server under
// its new name); the save dialog shows them and offers "コード指定して保存".
TEST_F(MainWindowTest, SaveAndSaveAsKeepTheCodesTheFileWasReadWith)
{
    const QString path = Write("e.cgi", kEucLines);
    ASSERT_TRUE(window->LoadFile(path));
    Type("#");
    ASSERT_TRUE(window->FileSave());
    EXPECT_EQ(Read(path), "#" + kEucLines);
    prompts.SaveNames.push_back(Path("as.cgi"));
    ASSERT_TRUE(window->FileSaveAs());
    EXPECT_EQ(prompts.SaveCodes, QStringList {QStringLiteral("EUC LF")});
    EXPECT_EQ(Read(Path("as.cgi")), "#" + kEucLines);
    EXPECT_EQ(window->Document().FileName(), Path("as.cgi"));
    EXPECT_EQ(window->Document().DocumentJCode(), jcEuc);
    // Taking the offer: the codes asked for, every line by the rules.
    prompts.SaveNames.push_back(Path("code.cgi"));
    prompts.ChooseCodeOnSave = true;
    prompts.CodeAnswer = TCodePair {jcSjis, rcCrLf, false};
    ASSERT_TRUE(window->FileSaveAs());
    EXPECT_EQ(prompts.CodeDialogs.size(), 1);
    EXPECT_EQ(Read(Path("code.cgi")), "#" + kSjisLines);
    EXPECT_EQ(window->Document().DocumentJCode(), jcSjis);
}

TEST_F(MainWindowTest, QuerySaveGoesOnOnlyWhenTheSaveHappened)
{
    Type("typed");
    prompts.SaveAnswer = TAnswer::Yes;
    // Yes, then the Save As dialog is cancelled: the command must not go on.
    EXPECT_FALSE(window->SaveIfAsked());
    prompts.OpenNames.push_back(Write("other.cgi", kSjisLines));
    window->FileOpenClose();
    EXPECT_EQ(window->Editor().Lines().Get(0), "typed");
    EXPECT_TRUE(window->Document().FileName().isEmpty());

    // Yes, then a save that fails (the target is a folder): still no.
    QDir(FHome.path()).mkdir("folder.cgi");
    prompts.SaveNames.push_back(Path("folder.cgi"));
    EXPECT_FALSE(window->SaveIfAsked());
    EXPECT_EQ(prompts.Errors.size(), 1);
    EXPECT_TRUE(window->Editor().Modified());

    // A close that cannot save stays open with the text.
    prompts.SaveNames.push_back(Path("folder.cgi"));
    EXPECT_FALSE(window->close());
    EXPECT_EQ(window->Editor().Lines().Get(0), "typed");

    prompts.SaveAnswer = TAnswer::No;
    EXPECT_TRUE(window->SaveIfAsked());
    prompts.SaveAnswer = TAnswer::Cancel;
    EXPECT_FALSE(window->SaveIfAsked());
    EXPECT_TRUE(prompts.Asked.back().startsWith(QStringLiteral("新規文章は変更されています。")));
}

TEST_F(MainWindowTest, AFailedOpenLeavesTextNameAndCodesAsTheyWere)
{
    const QString a = Write("a.cgi", kSjisLines);
    ASSERT_TRUE(window->LoadFile(a));
    prompts.OpenNames.push_back(Path("vanished.cgi"));
    prompts.CodeAnswer = TCodePair {jcEuc, rcLf};
    window->FileOpenCode();
    EXPECT_EQ(window->Document().FileName(), a);
    EXPECT_EQ(window->Document().DocumentJCode(), jcSjis);
    EXPECT_EQ(window->Document().DocumentRCode(), rcCrLf);
    ASSERT_EQ(prompts.Errors.size(), 1);
    EXPECT_TRUE(prompts.Errors.front().contains(QStringLiteral("見つかりません")));

    QDir(FHome.path()).mkdir("dir.cgi");
    EXPECT_FALSE(window->LoadFile(Path("dir.cgi")));
    EXPECT_TRUE(prompts.Errors.back().contains(QStringLiteral("フォルダです")));
    EXPECT_EQ(window->Document().FileName(), a);
}

TEST_F(MainWindowTest, BinaryFilesAreOpenedOnlyWhenTheUserSaysSo)
{
    const QString path = Write("b.bin", QByteArray("ab\0cd\n", 6));
    EXPECT_FALSE(window->LoadFile(path));
    ASSERT_EQ(prompts.Asked.size(), 1);
    EXPECT_TRUE(prompts.Asked.front().endsWith(QStringLiteral("はバイナリファイルのようです。開きますか？")));
    prompts.YesNoAnswer = true;
    ASSERT_TRUE(window->LoadFile(path));
    EXPECT_EQ(window->Editor().Lines().Get(0), std::string("ab\0cd", 5));
}

TEST_F(MainWindowTest, OtherProcessesGetTheWholeAbsolutePathAsOneArgument)
{
    const QString quoted = Write("a \"quoted\" & name.cgi", kSjisLines);
    ASSERT_TRUE(window->LoadFile(Path("s.cgi").isEmpty() ? QString() : Write("s.cgi", kSjisLines)));
    prompts.OpenNames.push_back(quoted);
    window->FileOpen();
    ASSERT_EQ(prompts.Started.size(), 1);
    EXPECT_EQ(prompts.Started.front(), QStringList {quoted});

    // Choosing the window's own file again starts nothing.
    prompts.OpenNames.push_back(window->Document().FileName());
    window->FileOpen();
    EXPECT_EQ(prompts.Started.size(), 1);

    prompts.StartSucceeds = false;
    window->FileNew();
    EXPECT_EQ(prompts.Started.back(), QStringList());
    EXPECT_EQ(prompts.Errors.size(), 1);
}

TEST_F(MainWindowTest, AnEmptyWindowLoadsInPlaceAndRelativeNamesBecomeAbsolute)
{
    Write("rel.cgi", kSjisLines);
    const QString before = QDir::currentPath();
    QDir::setCurrent(FHome.path());
    prompts.OpenNames.push_back(QStringLiteral("rel.cgi"));
    window->FileOpen();
    QDir::setCurrent(before);
    EXPECT_TRUE(prompts.Started.isEmpty());
    EXPECT_EQ(window->Document().FileName(), Path("rel.cgi"));
    EXPECT_EQ(History(), QStringList {Path("rel.cgi")});
}

TEST_F(MainWindowTest, HistoryItemsKeepAmpersandsAndFollowTheSettingsFile)
{
    const QString odd = Write("R&D.cgi", kSjisLines);
    ASSERT_TRUE(window->LoadFile(odd));
    window->IdleUpdate();
    QAction* item = nullptr;
    for (QAction* action : window->findChildren<QAction*>())
        if (action->data().toString() == odd)
            item = action;
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->text().contains(QStringLiteral("R&&D.cgi")));

    // Another copy of the program adds a file: the menu follows at the next idle moment.
    {
        QSettings settings(Path("brenvik.ini"), QSettings::IniFormat);
        AddHistory(settings, Path("elsewhere.cgi"));
    }
    // On a file system with whole-second stamps the write may keep the stamp the window saw:
    // it moves on as a later write's would.
    {
        QFile file(Path("brenvik.ini"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        const QDateTime stamp = file.fileTime(QFileDevice::FileModificationTime);
        ASSERT_TRUE(file.setFileTime(stamp.addSecs(2), QFileDevice::FileModificationTime));
    }
    window->IdleUpdate();
    QStringList shown;
    for (QAction* action : window->findChildren<QAction*>())
        if (action->data().isValid())
            shown.append(action->data().toString());
    EXPECT_TRUE(shown.contains(Path("elsewhere.cgi")));
}

TEST_F(MainWindowTest, StatusPanelsAndTitleFollowTheDocument)
{
    window->IdleUpdate();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("新規文章"));
    EXPECT_EQ(window->StatusPanelText(0), QStringLiteral("    1 行:   1 桁"));
    EXPECT_EQ(window->StatusPanelText(1), QString());
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("挿入"));
    Type("abc");
    window->Editor().SetOverwrite(true);
    window->Editor().SetBoxSelection(true);
    window->IdleUpdate();
    EXPECT_EQ(window->StatusPanelText(0), QStringLiteral("    1 行:   4 桁"));
    EXPECT_EQ(window->StatusPanelText(1), QStringLiteral("更新"));
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("上書き"));
    EXPECT_EQ(window->StatusPanelText(3), QStringLiteral("矩形"));
    EXPECT_TRUE(window->Action("actFileSave")->isEnabled());

    // A file whose first line break comes late still shows its own line end.
    const QString path = Write("x.cgi", QByteArray(2000, 'x') + "\n");
    window->Editor().SetModified(false);
    ASSERT_TRUE(window->LoadFile(path));
    window->IdleUpdate();
    EXPECT_EQ(window->StatusPanelText(4), QStringLiteral("S-JIS LF"));
    EXPECT_EQ(window->windowTitle(), path);
    // Saved, it keeps the file's own line break rather than the default CR LF.
    ASSERT_TRUE(window->FileSave());
    EXPECT_EQ(Read(path), QByteArray(2000, 'x') + "\n");
}

TEST_F(MainWindowTest, CaptionIsThePathAndTheTaskBarTitleTheNameAfterEverySaveAs)
{
    window->IdleUpdate();
    EXPECT_EQ(window->windowIconText(), QStringLiteral("新規文章 : BV"));
    const QString a = Write("a.cgi", kSjisLines);
    ASSERT_TRUE(window->LoadFile(a));
    window->IdleUpdate();
    EXPECT_EQ(window->windowTitle(), a);
    EXPECT_EQ(window->windowIconText(), QStringLiteral("a.cgi : BV"));
    prompts.SaveNames.push_back(Path("b.cgi"));
    ASSERT_TRUE(window->FileSaveAs());
    window->IdleUpdate();
    EXPECT_EQ(window->windowTitle(), Path("b.cgi"));
    EXPECT_EQ(window->windowIconText(), QStringLiteral("b.cgi : BV"));
    // A display name would be appended by the platform to the caption of every window.
    EXPECT_TRUE(QGuiApplication::applicationDisplayName() == QCoreApplication::applicationName());
}

TEST_F(MainWindowTest, DialogsStartInTheScriptsFolderOrTheLastUsedOne)
{
    // Nothing used yet: the home folder, never the process's working folder.
    ASSERT_FALSE(window->FileSaveAs());
    EXPECT_EQ(prompts.DialogStarts.back(), QDir::homePath());
    QDir(FHome.path()).mkdir("sub");
    const QString script = Write("sub/s.cgi", kSjisLines);
    ASSERT_TRUE(window->LoadFile(script));
    window->FileOpen();
    EXPECT_EQ(prompts.DialogStarts.back(), Path("sub"));
    // Save As of a named script starts on its name.
    ASSERT_FALSE(window->FileSaveAs());
    EXPECT_EQ(prompts.DialogStarts.back(), script);
    // A new document in another window starts where the last script was.
    TfrmMain other(&prompts);
    ASSERT_FALSE(other.FileSaveAs());
    EXPECT_EQ(prompts.DialogStarts.back(), Path("sub"));
}

// The window, its panels laid out at the first show, stays inside the screen's available area:
// at a scale of 2 a 1280x1024 screen is 640x512 and the default size 900x700 would be
// 1800x1400 pixels. (ctest runs this on the offscreen screen; under Xvfb it passes at
// QT_SCALE_FACTOR=2 too.)
TEST_F(MainWindowTest, TheWindowWithItsPanelsFitsTheScreen)
{
    window->show();
    QTest::qWait(100);
    const QSize available = window->screen()->availableGeometry().size();
    EXPECT_LE(window->width(), available.width());
    EXPECT_LE(window->height(), available.height());
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    EXPECT_LE(least.width(), 640);
    EXPECT_LE(least.height(), 480);
}

TEST_F(MainWindowTest, EveryShortcutFiresOnceAndTheEditorsOwnPopupKeysAreGone)
{
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->Editor().setFocus();
    Type("ab");
    QTest::keyClick(&window->Editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->Editor().Lines().GetCount(), 0);
    QTest::keyClick(&window->Editor(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(window->Editor().Lines().Get(0), "ab");
    QTest::keyClick(&window->Editor(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(window->Editor().HasSelection());
    for (QAction* own : window->Editor().actions())
        EXPECT_TRUE(own->shortcut().isEmpty()) << own->text().toStdString();

    prompts.SaveNames.push_back(Path("keyed.cgi"));
    QTest::keyClick(&window->Editor(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Read(Path("keyed.cgi")), "ab\r\n");
}

// Counts the events that an idle handler changing something would cause.
class TChangeCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ActionChanged || event->type() == QEvent::LayoutRequest)
            ++Count;
        return false;
    }
    int Count = 0;
};

// Runs a real event loop (which waits, and so is idle) for the given time.
void RunEventLoop(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST_F(MainWindowTest, AnIdleWindowStopsUpdating)
{
    ASSERT_TRUE(window->LoadFile(Write("s.cgi", kSjisLines)));
    window->show();
    RunEventLoop(300);
    TChangeCounter counter;
    qApp->installEventFilter(&counter);
    RunEventLoop(300);
    qApp->removeEventFilter(&counter);
    EXPECT_EQ(counter.Count, 0);
    // An edit is seen at the next idle moment.
    Type("x");
    RunEventLoop(50);
    EXPECT_EQ(window->StatusPanelText(1), QStringLiteral("更新"));
}

TEST_F(MainWindowTest, UnwritableSettingsAreReportedNamingTheFile)
{
    // A folder where the settings file should be: nothing can be written there, even as root.
    QDir(FHome.path()).mkdir("brenvik.ini");
    EXPECT_TRUE(window->close());
    ASSERT_EQ(prompts.Errors.size(), 1);
    EXPECT_TRUE(prompts.Errors.front().contains(Path("brenvik.ini")));
}

TEST_F(MainWindowTest, EachLayoutShowsItsPanels)
{
    window->show();
    const auto shown = [&](const char* name) { return window->Action(QLatin1String(name))->isChecked(); };
    window->Panels().ApplyLayout(0);
    window->IdleUpdate();
    EXPECT_FALSE(shown("actViewListSubRoutine"));
    EXPECT_FALSE(shown("actViewListVariable"));
    EXPECT_FALSE(shown("actViewMemo"));
    window->Action("actViewListTabPage")->trigger();
    window->IdleUpdate();
    EXPECT_TRUE(shown("actViewListTabPage"));
    EXPECT_TRUE(shown("actViewListVariable"));
    EXPECT_TRUE(shown("actViewListAssocArr"));
    // A page hidden by its view command stays hidden.
    window->Action("actViewListArrangement")->trigger();
    window->IdleUpdate();
    EXPECT_FALSE(shown("actViewListArrangement"));
    EXPECT_TRUE(shown("actViewListVariable"));

    window->Panels().ApplyLayout(1);
    window->IdleUpdate();
    EXPECT_TRUE(shown("actViewListSubRoutine"));
    EXPECT_TRUE(shown("actViewListKeyWord"));
    EXPECT_FALSE(shown("actViewListVariable"));
    EXPECT_FALSE(shown("actViewListTabPage"));

    window->Panels().ApplyLayout(2);
    window->IdleUpdate();
    for (const char* name : {"actViewListSubRoutine", "actViewListVariable", "actViewListArrangement",
             "actViewListAssocArr", "actViewListKeyWord", "actViewMemo", "actViewListTabPage"})
        EXPECT_TRUE(shown(name)) << name;

    window->Panels().ApplyLayout(3);
    window->IdleUpdate();
    EXPECT_TRUE(shown("actViewListVariable"));
    EXPECT_TRUE(shown("actViewMemo"));
    EXPECT_FALSE(shown("actViewListTabPage"));
}


// A Shift_JIS script saved with the UTF-8 presets: what iconv makes of it, the mark when asked.
TEST_F(MainWindowTest, ShiftJisSavedAsUtf8)
{
    ASSERT_TRUE(window->LoadFile(Write("s.cgi", kSjisLines)));
    for (const bool bom : {false, true}) {
        prompts.SaveNames.push_back(Path("u.cgi"));
        prompts.CodeAnswer = TCodePair {jcUtf8, rcLf, bom};
        ASSERT_TRUE(window->FileSaveCode());
        const QByteArray utf8 = QByteArray(bom ? "\xEF\xBB\xBF" : "")
            + "print \"髙橋\";\nｶﾅ\n# end\n# 掲示板\n";
        EXPECT_EQ(Read(Path("u.cgi")), utf8);
        EXPECT_EQ(window->Document().DocumentJCode(), jcUtf8);
        EXPECT_EQ(window->Document().Bom(), bom);
        ASSERT_EQ(prompts.CodeDialogs.size(), bom ? 2 : 1);
        // The dialog opens on the document's codes: Shift_JIS first, then UTF-8 without the mark.
        EXPECT_EQ(prompts.CodeDialogs.back().first, (TCodePair {bom ? jcUtf8 : jcSjis, bom ? rcLf : rcCrLf}));
    }
    // Save keeps the code and the mark the document has now.
    Type("#");
    ASSERT_TRUE(window->FileSave());
    EXPECT_TRUE(Read(Path("u.cgi")).startsWith("\xEF\xBB\xBF#print"));
}

// A UTF-8 script whose emoji only UTF-8 writes (its second form of 81 60 is 81 60 elsewhere): a save in another
// code asks first, and No writes nothing; UTF-8 and a script without such characters are saved without a question.
TEST_F(MainWindowTest, SavingCharactersOnlyUtf8HoldsInAnotherCodeAsksFirst)
{
    ASSERT_TRUE(window->LoadFile(Write("own.cgi", "# plain\nmy $s = \"😀 ～ 〜\";\n")));
    ASSERT_EQ(window->Document().DocumentJCode(), jcUtf8);
    EXPECT_FALSE(window->SaveFile(Path("sjis.cgi"), jcSjis, rcCrLf));
    ASSERT_EQ(prompts.Asked.size(), 1);
    for (const QString& part : {QStringLiteral("1 か所"), QStringLiteral("2 行目"), QStringLiteral("「😀」")})
        EXPECT_TRUE(prompts.Asked[0].contains(part)) << prompts.Asked[0].toStdString();
    EXPECT_FALSE(QFile::exists(Path("sjis.cgi")));
    EXPECT_EQ(window->Document().DocumentJCode(), jcUtf8);

    prompts.YesNoAnswer = true;
    ASSERT_TRUE(window->SaveFile(Path("euc.cgi"), jcEuc, rcLf));
    EXPECT_EQ(prompts.Asked.size(), 2);
    EXPECT_TRUE(QFile::exists(Path("euc.cgi")));
    ASSERT_TRUE(window->LoadFile(Path("own.cgi")));
    ASSERT_TRUE(window->SaveFile(Path("again.cgi"), jcUtf8, rcLf));
    ASSERT_TRUE(window->LoadFile(Write("kana.cgi", "# かな ～\n")));
    ASSERT_TRUE(window->SaveFile(Path("kana-sjis.cgi"), jcSjis, rcLf));
    EXPECT_EQ(prompts.Asked.size(), 2);
    EXPECT_EQ(Read(Path("again.cgi")), Read(Path("own.cgi")));
}

// What the user commits through the input method: a UTF-8 script takes an emoji and writes it back, a Shift_JIS
// script refuses it (and so does a UTF-8 script saved as Shift_JIS).
TEST_F(MainWindowTest, AUtf8ScriptTakesATypedEmojiAndWritesIt)
{
    const auto commit = [this](const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(&window->Editor(), &event);
    };
    ASSERT_TRUE(window->LoadFile(Write("kana.cgi", "# かな\n")));
    commit(QString::fromUtf8("😀"));
    ASSERT_TRUE(window->SaveFile(Path("kana2.cgi"), jcUtf8, rcLf));
    EXPECT_EQ(Read(Path("kana2.cgi")), QByteArray("😀# かな\n"));
    prompts.YesNoAnswer = true;
    ASSERT_TRUE(window->SaveFile(Path("kana-sjis.cgi"), jcSjis, rcLf));
    commit(QString::fromUtf8("🍣"));
    EXPECT_EQ(window->Editor().Lines().Get(0), std::string("\xF0\x40# \x82\xA9\x82\xC8")) << "かな after 😀 alone";
    ASSERT_TRUE(window->LoadFile(Write("s.cgi", kSjisLines)));
    commit(QString::fromUtf8("😀"));
    EXPECT_FALSE(window->Editor().Modified());
}

// More characters without a Shift_JIS code than the user-defined area holds: read-only, with the first one
// named; the next file that fits is editable again.
TEST_F(MainWindowTest, TooManyCharactersWithoutACodeOpenReadOnly)
{
    QString emoji;
    for (char32_t c = 0x1F300; c < 0x1F300 + 2000; ++c)
        emoji += QString::fromUcs4(&c, 1) + (c % 40 == 0 ? QStringLiteral("\n") : QString());
    ASSERT_TRUE(window->LoadFile(Write("many.cgi", "# " + emoji.toUtf8() + "\n")));
    EXPECT_TRUE(window->Editor().ReadOnly());
    ASSERT_EQ(prompts.Errors.size(), 1);
    EXPECT_TRUE(prompts.Errors.front().contains(QStringLiteral("U+1FA58"))) << prompts.Errors.front().toStdString();
    EXPECT_TRUE(prompts.Errors.front().contains(QStringLiteral("読み取り専用")));
    ASSERT_TRUE(window->LoadFile(Write("s.cgi", kSjisLines)));
    EXPECT_FALSE(window->Editor().ReadOnly());
}
} // namespace
} // namespace brenvik
