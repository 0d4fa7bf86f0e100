// The setup, preview and progress windows.
#include "PrintTestSupport.h"
#include "editor/EditorFont.h"
#include "editor/FontFamilies.h"
#include "print/FormStrPreview.h"
#include "print/FormStrProgress.h"
#include "print/FormStringsPrint.h"
#include "print/MetaFileList.h"
#include "editor/RadioGroup.h"
#include "print/StringsPrinter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace brenvik;
using namespace brenvik::test;

namespace {

class Forms : public PrintFixture { };

TVectorLines ManyLines(int count)
{
    return TVectorLines(std::vector<std::string>(std::size_t(count), "my $x = 1;"));
}

void DoubleClick(QSpinBox* spin)
{
    QTest::mouseDClick(spin->findChild<QLineEdit*>(), Qt::LeftButton);
}

} // namespace

TEST_F(Forms, PageNumberFieldsWrapAndDoubleClickResets)
{
    TStringsPrinter source;
    const TVectorLines lines({"x"});
    TFormStringsPrint form(nullptr, source, &lines);
    form.SpinEdit8->setValue(0);
    EXPECT_EQ(form.SpinEdit8->value(), 999999);
    EXPECT_EQ(form.StringsPrinter1->FirstPageNumber(), 999999);
    // A million-line script has 15,625 pages: each can be named.
    form.RadioGroup5->SetItemIndex(1);
    form.SpinEdit6->setValue(15625);
    EXPECT_EQ(form.StringsPrinter1->StartPage(), 15625);
    form.SpinEdit8->setValue(1000000);
    EXPECT_EQ(form.SpinEdit8->value(), 1);
    EXPECT_EQ(form.StringsPrinter1->FirstPageNumber(), 1);
    // Typed, too.
    form.SpinEdit7->findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(form.SpinEdit7->findChild<QLineEdit*>(), QStringLiteral("0"));
    EXPECT_EQ(form.StringsPrinter1->LastPage(), 999999);
    form.SpinEdit8->setValue(40);
    DoubleClick(form.SpinEdit8);
    EXPECT_EQ(form.SpinEdit8->value(), 1);
    form.SpinEdit7->setValue(12);
    DoubleClick(form.SpinEdit7);
    EXPECT_EQ(form.StringsPrinter1->LastPage(), 999999);
}

TEST_F(Forms, TheRangeChoiceCouplesTheFirstPageNumber)
{
    TStringsPrinter source;
    TFormStringsPrint form(nullptr, source, nullptr);
    EXPECT_FALSE(form.SpinEdit6->isEnabled());
    form.SpinEdit6->setValue(5);
    EXPECT_EQ(form.SpinEdit8->value(), 1);
    form.RadioGroup5->SetItemIndex(1);
    EXPECT_TRUE(form.SpinEdit6->isEnabled());
    EXPECT_TRUE(form.lblLastPage->isEnabled());
    EXPECT_EQ(form.SpinEdit8->value(), 5);
    EXPECT_EQ(form.StringsPrinter1->RangeOption(), roLimited);
    form.SpinEdit6->setValue(7);
    EXPECT_EQ(form.StringsPrinter1->FirstPageNumber(), 7);
    form.RadioGroup5->SetItemIndex(0);
    EXPECT_EQ(form.SpinEdit8->value(), 1);
    EXPECT_FALSE(form.SpinEdit7->isEnabled());
}

TEST_F(Forms, LoadingKeepsTheStoredFirstPageNumber)
{
    TStringsPrinter source;
    source.SetRangeOption(roLimited);
    source.SetStartPage(5);
    source.SetLastPage(8);
    source.SetFirstPageNumber(3);
    source.SetPageOption(poOdd);
    source.SetColumnCount(2);
    source.SetHeader(QStringLiteral("%F"));
    source.SetHeaderAlign(haRight);
    source.Font()->SetSize(12);
    source.SetMarginTop(17);
    TFormStringsPrint form(nullptr, source, nullptr);
    EXPECT_EQ(form.SpinEdit8->value(), 3);
    EXPECT_EQ(form.StringsPrinter1->FirstPageNumber(), 3);
    EXPECT_EQ(form.SpinEdit6->value(), 5);
    EXPECT_EQ(form.SpinEdit7->value(), 8);
    EXPECT_EQ(form.RadioGroup4->ItemIndex(), 2);
    EXPECT_EQ(form.RadioGroup1->ItemIndex(), 1);
    EXPECT_EQ(form.RadioGroup2->ItemIndex(), 3);
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("%F"));
    EXPECT_EQ(form.ComboBox2->currentText(), QStringLiteral("12"));
    EXPECT_EQ(form.SpinEdit3->value(), 17);
    EXPECT_EQ(form.StringsPrinter1->PageOption(), poOdd);
}

TEST_F(Forms, TheFontBoxShowsTheFaceInUseAndKeepsTheStoredName)
{
    TStringsPrinter source;
    source.Font()->SetName(QStringLiteral("IPAGothic"));
    TFormStringsPrint form(nullptr, source, nullptr);
    EXPECT_EQ(form.ComboBox1->currentText(), FamilyInUse(QStringLiteral("IPAGothic")));
    EXPECT_EQ(form.StringsPrinter1->Font()->Name(), QStringLiteral("IPAGothic"));
    // Fixed-pitch faces with Japanese glyphs come first.
    EXPECT_EQ(form.ComboBox1->itemText(0), GridFamilies(false).value(0));
    form.ComboBox1->setCurrentText(QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(form.StringsPrinter1->Font()->Name(), QStringLiteral("DejaVu Sans Mono"));
}

TEST_F(Forms, ControlsWriteIntoTheFormsOwnPrinterOnly)
{
    TStringsPrinter source;
    TFormStringsPrint form(nullptr, source, nullptr);
    form.RadioGroup4->SetItemIndex(1);
    form.CheckBox1->setChecked(true);
    form.Edit2->setText(QStringLiteral("- %p -"));
    form.RadioGroup3->SetItemIndex(2);
    form.SpinEdit1->setValue(30);
    form.ComboBox2->setCurrentText(QStringLiteral("8"));
    const TStringsPrinter& copy = *form.StringsPrinter1;
    EXPECT_EQ(copy.PageOption(), poEven);
    EXPECT_TRUE(copy.LineNumber());
    EXPECT_EQ(copy.Footer(), QStringLiteral("- %p -"));
    EXPECT_EQ(copy.FooterAlign(), haCenter);
    EXPECT_EQ(copy.MarginLeft(), 30);
    EXPECT_EQ(copy.Font()->Size(), 8);
    EXPECT_EQ(source.PageOption(), poBoth);
    EXPECT_EQ(source.MarginLeft(), 0);
}

TEST_F(Forms, SetupFormCaptionsSizeAndButtons)
{
    TStringsPrinter source;
    TFormStringsPrint without(nullptr, source, nullptr);
    EXPECT_EQ(without.windowTitle(), QStringLiteral("TStringsPrinter"));
    EXPECT_GE(without.width(), 482);
    EXPECT_GE(without.height(), 433);
    EXPECT_FALSE(without.Button5->isEnabled());
    EXPECT_FALSE(without.Button6->isEnabled());
    EXPECT_FALSE(without.Button4->isEnabled());
    EXPECT_EQ(without.RadioGroup4->Items(),
        (QStringList {QStringLiteral("全て"), QStringLiteral("偶数P"), QStringLiteral("奇数P")}));
    EXPECT_EQ(without.ComboBox2->count(), 25);
    QStringList captions;
    for (const QLabel* label : without.findChildren<QLabel*>())
        captions.append(label->text());
    EXPECT_TRUE(captions.contains(QStringLiteral("割付間隔"))) << "the gap between columns";

    const TVectorLines lines({"x"});
    TFormStringsPrint with(nullptr, source, &lines);
    EXPECT_TRUE(with.Button5->isEnabled());
    EXPECT_EQ(with.Label5->text(), QStringLiteral("PDFファイルに出力"));
    EXPECT_EQ(with.Label6->text(), QStringLiteral("poPortrait"));
    EXPECT_EQ(with.Label12->text(), QStringLiteral("DMPAPER_A4"));
    CurrentPrinter().setPageOrientation(QPageLayout::Landscape);
    with.Button4->click();
    EXPECT_EQ(PrinterSetups, 1);
    EXPECT_EQ(with.Label6->text(), QStringLiteral("poLandscape"));
    with.Button3->click();
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("Header, Footer に利用出来るキーワードは以下の通りです。\r\n\r\n%p  ページ番号")));
    EXPECT_TRUE(Messages[0].endsWith(QStringLiteral("%t  時間")));
}

TEST_F(Forms, PrintButtonAsksForThePdfAndClosesWithOkWhenPrinted)
{
    TStringsPrinter source;
    source.SetFileName(QStringLiteral("/srv/bbs.cgi"));
    const TVectorLines lines({"print 1;"});
    TFormStringsPrint form(nullptr, source, &lines);
    form.Button5->click();
    EXPECT_EQ(PdfSuggested, QStringList {QStringLiteral("/srv/bbs.cgi.pdf")});
    EXPECT_EQ(form.result(), int(QDialog::Rejected));
    PdfAnswer = Folder.filePath(QStringLiteral("bbs.pdf"));
    form.Button5->click();
    EXPECT_EQ(form.result(), int(QDialog::Accepted));
    EXPECT_EQ(PdfPageCount(PdfAnswer), 1);
}

TEST_F(Forms, NothingToPrintIsSaidBeforeThePdfIsAskedFor)
{
    TStringsPrinter source;
    source.SetRangeOption(roLimited);
    source.SetStartPage(5);
    source.SetLastPage(6);
    const TVectorLines lines({"print 1;"});
    TFormStringsPrint form(nullptr, source, &lines);
    form.Button5->click();
    EXPECT_TRUE(PdfSuggested.isEmpty());
    EXPECT_EQ(Messages, QStringList {QStringLiteral("印刷するページがありません。")});
    EXPECT_EQ(form.result(), int(QDialog::Rejected));
}

TEST_F(Forms, TheRunnerCopiesBackOnlyOnOk)
{
    EXPECT_FALSE(RunStringsPrintSetup(nullptr, nullptr, nullptr));
    TStringsPrinter printer;
    const auto answer = [](const char* button, int columns) {
        QTimer::singleShot(0, [=] {
            auto* form = qobject_cast<TFormStringsPrint*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            form->RadioGroup1->SetItemIndex(columns - 1);
            form->findChild<QPushButton*>(QLatin1String(button))->click();
        });
    };
    answer("Button2", 3);
    EXPECT_FALSE(RunStringsPrintSetup(nullptr, &printer, nullptr));
    EXPECT_EQ(printer.ColumnCount(), 1);
    answer("Button1", 2);
    EXPECT_TRUE(RunStringsPrintSetup(nullptr, &printer, nullptr));
    EXPECT_EQ(printer.ColumnCount(), 2);
}

TEST_F(Forms, ProgressWindowCancelsByButtonEscAndCloseBox)
{
    TFormStrProgress progress(nullptr, QStringLiteral("印刷中"));
    EXPECT_EQ(progress.windowTitle(), QStringLiteral("TStringsPrinter"));
    EXPECT_EQ(progress.size(), QSize(373, 91));
    EXPECT_EQ(progress.windowModality(), Qt::ApplicationModal);
    // Updates between event passes change nothing on screen.
    qint64 now = 1000;
    progress.SetClock([&now] { return now; });
    progress.UpdateProgress(QStringLiteral("印刷中"), 10, 5);
    EXPECT_EQ(progress.ProgressBar1->value(), 0);
    EXPECT_FALSE(progress.isVisible());
    now += TFormStrProgress::kEventInterval;
    progress.UpdateProgress(QStringLiteral("印刷中"), 0, 0);
    EXPECT_EQ(progress.ProgressBar1->value(), 100);
    EXPECT_TRUE(progress.isVisible());
    now += TFormStrProgress::kEventInterval - 1;
    progress.UpdateProgress(QStringLiteral("プレビューを作成中"), 200, 50);
    EXPECT_EQ(progress.ProgressBar1->value(), 100) << "one millisecond early";
    now += 1;
    progress.UpdateProgress(QStringLiteral("プレビューを作成中"), 200, 50);
    EXPECT_EQ(progress.ProgressBar1->value(), 25);
    EXPECT_EQ(progress.Label1->text(), QStringLiteral("プレビューを作成中"));
    EXPECT_FALSE(progress.Cancelled());
    progress.show();
    QTest::keyClick(&progress, Qt::Key_Escape);
    EXPECT_TRUE(progress.Cancelled());
    EXPECT_TRUE(progress.isVisible());

    TFormStrProgress closed(nullptr, QString());
    closed.show();
    closed.close();
    EXPECT_TRUE(closed.Cancelled());
    TFormStrProgress clicked(nullptr, QString());
    clicked.Button1->click();
    EXPECT_TRUE(clicked.Cancelled());
}

TEST(PreviewZoom, ImageSizesByMode)
{
    TPrinterMetrics a4;
    a4.Dpi = 1200;
    a4.PageWidth = 9583;
    a4.PageHeight = 13699;
    a4.OffLeft = a4.OffTop = a4.OffRight = a4.OffBottom = 167;
    const QSize box(600, 400);
    using Z = TFormStrPreview;
    EXPECT_EQ(Z::ImageSize(Z::zmRealSize, a4, 96, box, 15, 15), QSize(793, 1123));
    EXPECT_EQ(Z::ImageSize(Z::zmFitWidth, a4, 96, box, 15, 15), QSize(585, std::lround(14033 * 585 / 9917.0)));
    EXPECT_EQ(Z::ImageSize(Z::zmFitHeight, a4, 96, box, 15, 15), QSize(std::lround(9917 * 385 / 14033.0), 385));
    // A box smaller than a scroll bar still gives an image.
    EXPECT_EQ(Z::ImageSize(Z::zmFitWidth, a4, 96, QSize(10, 10), 15, 15).width(), 1);
    EXPECT_GE(Z::ImageSize(Z::zmFitHeight, a4, 96, QSize(10, 10), 15, 15).width(), 1);
}

TEST_F(Forms, PreviewCounterAndNavigation)
{
    TStringsPrinter printer;
    const TVectorLines one({"x"});
    TMetaFileList single(printer, one, MetricsOf(CurrentPrinter()));
    single.IndexNextPage();
    TFormStrPreview small(nullptr, printer, single);
    EXPECT_EQ(small.windowTitle(), QStringLiteral("Preview"));
    EXPECT_EQ(small.lblPage->text(), QStringLiteral("  1 /   1"));
    for (QToolButton* button : {small.btnFirst, small.btnPrev, small.btnNext, small.btnLast})
        EXPECT_FALSE(button->isEnabled());

    // The index grows in the background until the preview counts every page.
    const TVectorLines lines = ManyLines(700);
    TMetaFileList pages(printer, lines, MetricsOf(CurrentPrinter()));
    pages.IndexNextPage();
    TFormStrPreview preview(nullptr, printer, pages);
    EXPECT_EQ(preview.PageCount(), 1);
    for (int spin = 0; spin < 1000 && preview.Indexing(); ++spin)
        QApplication::processEvents();
    const int count = preview.PageCount();
    ASSERT_GE(count, 4);
    EXPECT_EQ(preview.lblPage->text(), QString::asprintf("%3d / %3d", 1, count));
    preview.btnLast->click();
    EXPECT_EQ(preview.CurrentPage(), count - 1);
    EXPECT_FALSE(preview.btnNext->isEnabled());
    EXPECT_TRUE(preview.btnPrev->isEnabled());
    preview.btnPrev->click();
    EXPECT_EQ(preview.CurrentPage(), count - 2);
    preview.GoToPage(1000);
    EXPECT_EQ(preview.CurrentPage(), count - 1);
    preview.btnFirst->click();
    EXPECT_EQ(preview.CurrentPage(), 0);
}

TEST_F(Forms, PreviewShowsOnlyThePagesAPrintWouldPrint)
{
    TStringsPrinter printer;
    printer.SetPageOption(poEven);
    const TVectorLines lines = ManyLines(400);
    TMetaFileList pages(printer, lines, MetricsOf(CurrentPrinter()));
    pages.IndexAll();
    TFormStrPreview preview(nullptr, printer, pages);
    EXPECT_EQ(preview.PageCount(), pages.Count() / 2);
}

TEST_F(Forms, PreviewCentresTheImageAtEachZoom)
{
    TStringsPrinter printer;
    const TVectorLines lines({"x"});
    TMetaFileList pages(printer, lines, MetricsOf(CurrentPrinter()));
    pages.IndexAll();
    TFormStrPreview preview(nullptr, printer, pages);
    preview.resize(900, 700);
    preview.show();
    QApplication::processEvents();
    const QWidget* viewport = preview.ScrollBox1->viewport();
    preview.btnAdjustHeight->click();
    QApplication::processEvents();
    const QRect fitHeight = preview.Image1->geometry();
    EXPECT_EQ(fitHeight.height(), preview.ScrollBox1->height() - preview.style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    EXPECT_NEAR(fitHeight.center().x(), viewport->width() / 2, 2);
    preview.btnAdjustWidth->click();
    QApplication::processEvents();
    EXPECT_EQ(preview.Image1->width(), preview.ScrollBox1->width() - preview.style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    EXPECT_EQ(preview.Image1->y(), 0);
    // A resize in fit-width mode re-centres but keeps the size.
    const QSize before = preview.Image1->size();
    preview.resize(1200, 700);
    QApplication::processEvents();
    EXPECT_EQ(preview.Image1->size(), before);
    EXPECT_NEAR(preview.Image1->geometry().center().x(), viewport->width() / 2, 2);
    preview.btnRealSize->click();
    QApplication::processEvents();
    EXPECT_EQ(preview.Zoom(), TFormStrPreview::zmRealSize);
    // The page has ink: the picture was drawn into the image.
    const QImage image = preview.Image1->pixmap().toImage();
    EXPECT_TRUE(HasInk(image, image.rect()));
}

TEST_F(Forms, PreviewStringsOpensOnTheFirstPrintedPageOrTellsThereIsNone)
{
    TStringsPrinter printer;
    printer.SetRangeOption(roLimited);
    printer.SetStartPage(3);
    printer.SetLastPage(4);
    const TVectorLines lines = ManyLines(500);
    QString counter;
    int pages = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<TFormStrPreview*>(QApplication::activeModalWidget());
        if (!preview)
            return;
        counter = preview->lblPage->text();
        while (preview->Indexing())
            QApplication::processEvents();
        pages = preview->PageCount();
        preview->btnClose->click();
    });
    poll.start(0);
    EXPECT_TRUE(printer.PreviewStrings(lines));
    EXPECT_EQ(counter.left(5), QStringLiteral("  1 /"));
    EXPECT_EQ(pages, 2);
    printer.SetStartPage(900);
    printer.SetLastPage(900);
    EXPECT_FALSE(printer.PreviewStrings(lines));
    EXPECT_EQ(Messages, QStringList {QStringLiteral("印刷するページがありません。")});
}
