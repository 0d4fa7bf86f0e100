// Window position persistence: round trips through the per-user registry, and what a
// garbage or off-screen entry restores.
#include "app/RestorePos.h"
#include "support/RegistryKey.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

const QString kKey = QStringLiteral("Brenvik.Test\\RestorePos\\Window");

class RestorePosTest : public ::testing::Test {
protected:
    void SetUp() override { OpenRegistryKey(kKey)->remove(QString()); }
    void TearDown() override { OpenRegistryKey(kKey)->remove(QString()); }

    static QRect Available() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    static void Store(const QVariant& x, const QVariant& y, const QVariant& width, const QVariant& height)
    {
        const auto key = OpenRegistryKey(kKey);
        key->setValue("PosX", x);
        key->setValue("PosY", y);
        key->setValue("Width", width);
        key->setValue("Height", height);
    }
    static int Stored(const char* name) { return OpenRegistryKey(kKey)->value(name, -1).toInt(); }
};

TEST_F(RestorePosTest, FirstStartKeepsTheDesignedBoundsAndClosingStoresThem)
{
    QWidget window;
    window.setGeometry(40, 50, 300, 200);
    TRestorePos restore(&window);
    restore.SetKeyName(kKey);
    restore.Restore();
    EXPECT_EQ(window.size(), QSize(300, 200));
    restore.Save();
    EXPECT_EQ(Stored("PosX"), window.pos().x());
    EXPECT_EQ(Stored("PosY"), window.pos().y());
    EXPECT_EQ(Stored("Width"), 300);
    EXPECT_EQ(Stored("Height"), 200);

    QWidget next;
    next.setGeometry(0, 0, 100, 100);
    TRestorePos again(&next);
    again.SetKeyName(kKey);
    again.Restore();
    EXPECT_EQ(next.pos(), window.pos());
    EXPECT_EQ(next.size(), QSize(300, 200));
}

TEST_F(RestorePosTest, AFirstStartsDefaultSizeLargerThanTheScreenIsShrunkToIt)
{
    // At a scale of 2 a 900x700 window is 1800x1400 pixels: more than a 1280x1024 screen.
    QWidget window;
    window.resize(Available().size() + QSize(400, 300));
    TRestorePos restore(&window);
    restore.SetKeyName(kKey);
    restore.Restore();
    EXPECT_EQ(window.size(), Available().size());
    window.resize(300, 200);
    restore.Restore();
    EXPECT_EQ(window.size(), QSize(300, 200)) << "a size that fits is kept";
}

TEST_F(RestorePosTest, EachValueIsReadOnItsOwnAndGarbageLeavesThatEdge)
{
    Store(QStringLiteral("abc"), 60, QStringLiteral(""), 150);
    QWidget window;
    window.setGeometry(30, 20, 320, 240);
    const QPoint before = window.pos();
    TRestorePos restore(&window);
    restore.SetKeyName(kKey);
    restore.Restore();
    EXPECT_EQ(window.pos().x(), before.x());
    EXPECT_EQ(window.pos().y(), 60);
    EXPECT_EQ(window.size(), QSize(320, 150));
}

TEST_F(RestorePosTest, AWindowStoredOffScreenOrTooLargeComesBackInsideTheScreen)
{
    const QRect area = Available();
    Store(area.right() + 5000, -9000, area.width() * 3, 50);
    QWidget window;
    window.setGeometry(0, 0, 200, 100);
    TRestorePos restore(&window);
    restore.SetKeyName(kKey);
    restore.Restore();
    const QRect placed(window.pos(), window.size());
    EXPECT_TRUE(area.contains(placed)) << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height();
    EXPECT_EQ(placed.width(), area.width());
    EXPECT_EQ(placed.height(), 50);
}

TEST_F(RestorePosTest, WithoutRestoreSizeOnlyThePositionTravels)
{
    Store(70, 80, 500, 400);
    QWidget window;
    window.setGeometry(0, 0, 210, 110);
    TRestorePos restore(&window);
    restore.SetKeyName(kKey);
    restore.SetOptions(TRestorePos::TRestorePosOptions());
    restore.Restore();
    EXPECT_EQ(window.pos(), QPoint(70, 80));
    EXPECT_EQ(window.size(), QSize(210, 110));
    OpenRegistryKey(kKey)->remove(QString());
    restore.Save();
    EXPECT_EQ(Stored("PosX"), 70);
    EXPECT_EQ(Stored("Width"), -1);
}

TEST_F(RestorePosTest, DisabledOrNamelessReadsAndWritesNothing)
{
    Store(70, 80, 500, 400);
    QWidget window;
    window.setGeometry(10, 10, 210, 110);
    const QPoint before = window.pos();
    TRestorePos restore(&window);
    restore.SetKeyName(kKey);
    restore.SetEnabled(false);
    restore.Restore();
    EXPECT_EQ(window.pos(), before);
    restore.Save();
    EXPECT_EQ(Stored("Width"), 500);

    restore.SetEnabled(true);
    restore.SetKeyName(QString());
    restore.Save();
    EXPECT_EQ(Stored("Width"), 500);
}

TEST_F(RestorePosTest, MaximizedOrMinimizedWindowsSaveTheirNormalBounds)
{
    QWidget window;
    window.setGeometry(60, 70, 300, 200);
    window.show();
    const QSize normalSize = window.size();
    window.showMaximized();
    QCoreApplication::processEvents();
    ASSERT_NE(window.size(), normalSize);
    TRestorePos restore(&window);
    restore.SetKeyName(kKey);
    restore.Save();
    EXPECT_EQ(Stored("Width"), normalSize.width());
    EXPECT_EQ(Stored("Height"), normalSize.height());

    restore.SetOptions(TRestorePos::rpRestoreSize);
    restore.Save();
    EXPECT_EQ(Stored("Width"), window.width());

    window.showNormal();
    window.showMinimized();
    QCoreApplication::processEvents();
    restore.Save();
    EXPECT_EQ(Stored("Width"), normalSize.width());
}

} // namespace
} // namespace brenvik
