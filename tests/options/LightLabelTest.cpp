// The hyperlink label: its looks through enter, leave, press and release with each switch off,
// its events, and the address each jump type opens (through the replaced opener).
#include "OptionTestSupport.h"

#include "editor/EditorPainter.h"
#include "options/LightLabel.h"

#include <QCoreApplication>
#include <QDir>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QSignalSpy>

namespace brenvik {
namespace {

class LightLabelTest : public ::testing::Test {
protected:
    LightLabelTest()
    {
        label.resize(200, 20);
        label.SetLightColor(clYellow);
        label.SetClickColor(clAqua);
    }
    void Enter()
    {
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&label, &event);
    }
    void Leave()
    {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(&label, &event);
    }
    // Sent straight to the label: no window system adds enter or leave events of its own.
    void Mouse(QEvent::Type type, QPoint at)
    {
        QMouseEvent event(type, at, label.mapToGlobal(at), Qt::LeftButton,
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&label, &event);
    }
    void Press() { Mouse(QEvent::MouseButtonPress, QPoint(5, 5)); }
    void Release(QPoint at = QPoint(5, 5)) { Mouse(QEvent::MouseButtonRelease, at); }
    // Which of the three looks is in force: 'L'ight, 'D'efault, 'C'lick.
    char Look() const
    {
        const TColor color = label.CurrentColor();
        const TColor font = label.CurrentFont().Color();
        if (color == label.LightColor() && font == label.LightFont()->Color()
            && label.CurrentFont().Style() == label.LightFont()->Style())
            return 'L';
        if (color == label.DefaultColor() && font == label.DefaultFont()->Color())
            return 'D';
        if (color == label.ClickColor() && font == label.ClickFont()->Color())
            return 'C';
        return '?';
    }
    // Runs steps (E enter, X leave, P press, R release over the label, O release outside)
    // and tells the look after each.
    std::string Steps(const std::string& steps)
    {
        std::string looks;
        for (const char step : steps) {
            switch (step) {
            case 'E':
                Enter();
                break;
            case 'X':
                Leave();
                break;
            case 'P':
                Press();
                break;
            case 'R':
                Release();
                break;
            case 'O':
                Release(QPoint(500, 5));
                break;
            }
            looks += Look();
        }
        return looks;
    }
    QList<QUrl> ClickWith(TLightLabel::TJumpType type, const QString& jumpTo, const QString& caption = QStringLiteral("ラベル"))
    {
        hooks.Opened.clear();
        label.setText(caption);
        label.SetJumpType(type);
        label.SetJumpTo(jumpTo);
        Press();
        Release();
        return hooks.Opened;
    }

    test::TReplacedHooks hooks;
    test::TFakePromptsOf<TPrompts> prompts;
    TInstalledPrompts installed {prompts};
    TLightLabel label {QStringLiteral("ラベル")};
};

TEST_F(LightLabelTest, StartsWithTheDefaultLookInButtonFaceFromThePalette)
{
    EXPECT_EQ(Look(), 'D');
    EXPECT_FALSE(label.Hovered());
    EXPECT_EQ(label.DefaultColor(), clBtnFace);
    EXPECT_EQ(label.LightFont()->Color(), clBlue);
    EXPECT_EQ(label.LightFont()->Style(), fsUnderline);
    EXPECT_EQ(label.ClickFont()->Color(), clRed);
    EXPECT_EQ(label.JumpType(), TLightLabel::jtCust);
    EXPECT_EQ(label.palette().color(QPalette::Window), QPalette().color(QPalette::Button));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::blue));
}

TEST_F(LightLabelTest, EnterPressReleaseLeaveWithEverythingEnabled)
{
    QStringList events;
    label.OnMouseEnter = [&](QObject* sender) {
        EXPECT_EQ(sender, &label);
        events.append(QStringLiteral("enter %1").arg(Look()));
    };
    label.OnMouseLeave = [&](QObject*) { events.append(QStringLiteral("leave %1").arg(Look())); };
    EXPECT_EQ(Steps("EPRX"), "LCLD");
    EXPECT_FALSE(label.Hovered());
    // Pressed, then the pointer leaves before the release: the default look comes back.
    EXPECT_EQ(Steps("EPXO"), "LCDD");
    // Handlers run after the label's own handling, so they see the new look.
    EXPECT_EQ(events, (QStringList {QStringLiteral("enter L"), QStringLiteral("leave D"), QStringLiteral("enter L"),
                          QStringLiteral("leave D")}));
}

TEST_F(LightLabelTest, EachSwitchOffKeepsItsLookAway)
{
    label.SetLightEnabled(false);
    // The release over the label shows the light look even so.
    EXPECT_EQ(Steps("EPRX"), "DCLD");
    label.SetLightEnabled(true);
    label.SetDefaultEnabled(false);
    EXPECT_EQ(Steps("EXPO"), "LLCD");
    label.SetDefaultColor(clGreen);
    EXPECT_EQ(label.CurrentColor(), clBtnFace);
    label.SetDefaultEnabled(true);
    label.SetClickEnabled(false);
    label.SetDefaultColor(clGreen);
    EXPECT_EQ(label.CurrentColor(), clGreen);
    EXPECT_EQ(Steps("PEPR"), "DLLL");
}

TEST_F(LightLabelTest, EachJumpTypeOpensItsTarget)
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    EXPECT_EQ(ClickWith(TLightLabel::jtMail, QStringLiteral("someone")), QList<QUrl> {QUrl(QStringLiteral("mailto:someone"))});
    EXPECT_EQ(ClickWith(TLightLabel::jtMail, QStringLiteral("mailto:a@b.jp")),
        QList<QUrl> {QUrl(QStringLiteral("mailto:a@b.jp"))});
    EXPECT_EQ(ClickWith(TLightLabel::jtFile, QStringLiteral("/srv/a.txt")),
        QList<QUrl> {QUrl(QStringLiteral("file:///srv/a.txt"))});
    EXPECT_EQ(ClickWith(TLightLabel::jtFile, QStringLiteral("doc/説明 書.txt")),
        QList<QUrl> {QUrl::fromLocalFile(programFolder.filePath(QStringLiteral("doc/説明 書.txt")))});
    EXPECT_EQ(ClickWith(TLightLabel::jtHome, QStringLiteral("www.x.jp")), QList<QUrl> {QUrl(QStringLiteral("http://www.x.jp"))});
    EXPECT_EQ(ClickWith(TLightLabel::jtCust, QStringLiteral("https://例え.jp/ページ")),
        QList<QUrl> {QUrl(QStringLiteral("https://例え.jp/ページ"))});
    EXPECT_EQ(ClickWith(TLightLabel::jtCaption, QString(), QStringLiteral("/tmp/caption.txt")),
        QList<QUrl> {QUrl(QStringLiteral("file:///tmp/caption.txt"))});
    // jtCaption opens the caption only, whatever JumpTo holds.
    EXPECT_EQ(ClickWith(TLightLabel::jtCaption, QStringLiteral("www.y.jp"), QStringLiteral("www.x.jp")),
        QList<QUrl> {QUrl(QStringLiteral("http://www.x.jp"))});
    EXPECT_TRUE(ClickWith(TLightLabel::jtFile, QString()).isEmpty());
    EXPECT_TRUE(ClickWith(TLightLabel::jtCust, QStringLiteral("   ")).isEmpty());
    EXPECT_TRUE(ClickWith(TLightLabel::jtNone, QStringLiteral("www.x.jp")).isEmpty());
    EXPECT_TRUE(ClickWith(TLightLabel::jtCaption, QString(), QString()).isEmpty());
}

TEST_F(LightLabelTest, ClickFollowsTheJumpAndAFailureShowsTheTarget)
{
    QSignalSpy clicks(&label, &TLightLabel::clicked);
    hooks.OpenSucceeds = false;
    ClickWith(TLightLabel::jtMail, QStringLiteral("someone"));
    EXPECT_EQ(clicks.count(), 1);
    ASSERT_EQ(prompts.Warnings.size(), 1);
    EXPECT_TRUE(prompts.Warnings.front().contains(QStringLiteral("mailto:someone")));
    // A press elsewhere and a release over the label is no click.
    Release();
    EXPECT_EQ(clicks.count(), 1);
}

} // namespace
} // namespace brenvik
