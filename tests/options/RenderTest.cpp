// The dialogs as painted: each tab and the about box render, and the samples repaint a colour
// change at once. With BRENVIK_SCREENSHOTS set to a folder the pictures are kept there (run
// under xvfb-run with QT_QPA_PLATFORM=xcb for the screenshots of a real display).
#include "OptionTestSupport.h"

#include "editor/Editor.h"
#include "highlight/PERLFountain.h"
#include "options/ColorGrid.h"
#include "options/dlgAbout.h"
#include "options/dlgOpt.h"

#include <QDir>
#include <QImage>
#include <QTabWidget>
#include <set>

namespace brenvik {
namespace {

class RenderTest : public test::TMainWindowFixture {
protected:
    static QImage Picture(QWidget& widget, const QString& name)
    {
        QImage image = widget.grab().toImage();
        const QString folder = qEnvironmentVariable("BRENVIK_SCREENSHOTS");
        if (!folder.isEmpty() && QDir().mkpath(folder))
            image.save(QDir(folder).filePath(name + QStringLiteral(".png")));
        return image;
    }
    static bool Contains(const QImage& image, QColor color)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == color)
                    return true;
        return false;
    }
    static int Colours(const QImage& image)
    {
        std::set<QRgb> seen;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                seen.insert(image.pixel(x, y));
        return static_cast<int>(seen.size());
    }
};

TEST_F(RenderTest, EveryTabAndTheAboutBoxPaint)
{
    TdlgOption dialog(window.get());
    dialog.Load(*window);
    dialog.show();
    auto* pages = dialog.findChild<QTabWidget*>();
    ASSERT_EQ(pages->count(), 5);
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        EXPECT_GT(Colours(Picture(dialog, QStringLiteral("options-tab%1").arg(i))), 3) << i;
    }
    TdlgAbout about(window.get());
    about.show();
    EXPECT_GT(Colours(Picture(about, QStringLiteral("about"))), 3);
}

TEST_F(RenderTest, TheSampleRepaintsAColourChangeAtOnce)
{
    TdlgOption dialog(window.get());
    dialog.Load(*window);
    dialog.resize(700, 600);
    dialog.show();
    dialog.findChild<QTabWidget*>()->setCurrentIndex(1);
    EXPECT_FALSE(Contains(Picture(dialog.ViewSample(), QStringLiteral("sample-before")), QColor(0, 255, 255)));
    // The comment of the first sample line, painted on aqua.
    dialog.SelectViewItem(QStringLiteral("コメント"));
    dialog.ViewColors().Manager().GridClick(
        TEditorColorManager::mbRight, 0, TCustomColorManager::PaletteIndex(clAqua));
    EXPECT_EQ(dialog.PERLView().Comment()->BkColor(), clAqua);
    EXPECT_TRUE(Contains(Picture(dialog.ViewSample(), QStringLiteral("sample-after")), QColor(0, 255, 255)));
}

} // namespace
} // namespace brenvik
