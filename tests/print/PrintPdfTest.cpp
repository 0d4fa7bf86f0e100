// Printing for real: PDF files read back with poppler's pdfinfo, pdftotext and pdftoppm.
#include "PrintTestSupport.h"
#include "common/SmallDisk.h"
#include "jcode/SjisUnicode.h"
#include "print/MetaFileList.h"
#include "print/StringsPrinter.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>

#include <cmath>
#include <csignal>
#include <cstring>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <optional>
#include <unistd.h>

using namespace brenvik;
using namespace brenvik::test;

namespace {

constexpr int kImageDpi = 50;

// A Japanese script whose lines carry markers "L0001"... (every seventh line empty).
TVectorLines JapaneseScript(int count)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) {
        const QString line = i % 7 == 0
            ? QString()
            : QStringLiteral("print \"L%1 こんにちは、掲示板です\\n\"; # 表示").arg(i, 4, 10, QLatin1Char('0'));
        lines.push_back(*UnicodeToSjis(line));
    }
    return TVectorLines(std::move(lines));
}

void SetUpListing(TStringsPrinter& printer)
{
    printer.SetFileName(QStringLiteral("/home/user/cgi-bin/掲示板.cgi"));
    printer.SetHeader(QStringLiteral("%F %y/%m/%d"));
    printer.SetHeaderAlign(haRight);
    printer.SetFooter(QStringLiteral("- %p -"));
    printer.SetFooterAlign(haCenter);
    printer.SetLineNumber(true);
    printer.SetColumnCount(2);
    for (auto setter : {&TStringsPrinter::SetMarginLeft, &TStringsPrinter::SetMarginRight,
             &TStringsPrinter::SetMarginTop, &TStringsPrinter::SetMarginBottom})
        (printer.*setter)(15);
}

int LayoutPageCount(const TStringsPrinter& printer, const TPrintLines& lines)
{
    TMetaFileList pages(printer, lines, MetricsOf(CurrentPrinter()));
    pages.IndexAll();
    return pages.Count();
}

// The footer numbers of every page of a PDF.
std::vector<int> FooterNumbers(const QString& pdf)
{
    std::vector<int> numbers;
    static const QRegularExpression footer(QStringLiteral("- (\\d+) -"));
    for (int page = 1; page <= PdfPageCount(pdf); ++page)
        numbers.push_back(footer.match(PdfPageText(pdf, page)).captured(1).toInt());
    return numbers;
}

// A rectangle in printable-area pixels as pixels of a page image at dpi.
QRect OnImage(const QRect& rect, const TPrinterMetrics& metrics, int dpi = kImageDpi)
{
    const auto at = [&](int pixels, int offset) { return (pixels + offset) * dpi / metrics.Dpi; };
    return QRect(QPoint(at(rect.left(), metrics.OffLeft), at(rect.top(), metrics.OffTop)),
        QPoint(at(rect.right(), metrics.OffLeft), at(rect.bottom(), metrics.OffTop)));
}

class PrintPdf : public PrintFixture { };

} // namespace

TEST_F(PrintPdf, AJapaneseListingPrintsWithItsLayout)
{
    TStringsPrinter printer;
    SetUpListing(printer);
    const TVectorLines lines = JapaneseScript(260);
    const QString pdf = PdfPath();
    ASSERT_TRUE(printer.PrintStrings(lines));
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join(QLatin1Char('\n')).toStdString();
    const int pages = PdfPageCount(pdf);
    EXPECT_EQ(pages, LayoutPageCount(printer, lines));
    ASSERT_GE(pages, 2);
    // Only the finished file is left: no temporary beside it.
    EXPECT_EQ(QDir(Folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList {QStringLiteral("out.pdf")});

    // Ink where the layout puts header, footer, strips and columns; none in the margins.
    TMetaFileList layout(printer, lines, MetricsOf(CurrentPrinter()));
    const TPageGeometry& geometry = layout.Geometry();
    const TPrinterMetrics& metrics = layout.Metrics();
    const QImage image = PdfPageImage(pdf, 1, kImageDpi);
    ASSERT_FALSE(image.isNull());
    const QRect header = OnImage(geometry.HeaderBand(), metrics);
    const QRect footer = OnImage(geometry.FooterBand(), metrics);
    EXPECT_TRUE(HasInk(image, header.adjusted(header.width() * 2 / 3, 0, 0, 0)));
    EXPECT_FALSE(HasInk(image, header.adjusted(0, 0, -header.width() / 2, -1)));
    EXPECT_TRUE(HasInk(image, footer.adjusted(footer.width() / 3, 0, -footer.width() / 3, 0)));
    EXPECT_FALSE(HasInk(image, footer.adjusted(0, 0, -footer.width() * 2 / 3, 0)));
    for (int column = 0; column < 2; ++column) {
        EXPECT_TRUE(HasInk(image, OnImage(geometry.StripRect(column), metrics))) << column;
        EXPECT_TRUE(HasInk(image, OnImage(geometry.TextColumn(column), metrics))) << column;
    }
    const int margin = 15 * kImageDpi * 10 / 254 - 1;
    EXPECT_FALSE(HasInk(image, QRect(0, 0, image.width(), margin)));
    EXPECT_FALSE(HasInk(image, QRect(0, 0, margin, image.height())));
    EXPECT_FALSE(HasInk(image, QRect(image.width() - margin, 0, margin, image.height())));
    EXPECT_FALSE(HasInk(image, QRect(0, image.height() - margin, image.width(), margin)));

    // The text: every line in order, column by column, with its Japanese; the name, the
    // date and the page number.
    int expected = 1;
    static const QRegularExpression marker(QStringLiteral("L(\\d{4}) こんにちは、掲示板です"));
    for (int page = 1; page <= pages; ++page) {
        const QString text = PdfPageText(pdf, page);
        EXPECT_TRUE(text.contains(QStringLiteral("掲示板.cgi 2026/3/7"))) << page;
        EXPECT_FALSE(text.contains(QStringLiteral("cgi-bin")));
        EXPECT_TRUE(text.contains(QStringLiteral("- %1 -").arg(page))) << page;
        for (int column = 0; column < 2; ++column) {
            const QString columnText = PdfAreaText(pdf, page, OnImage(geometry.TextColumn(column), metrics, 72));
            for (auto match = marker.globalMatch(columnText); match.hasNext();) {
                if (expected % 7 == 0)
                    ++expected;
                EXPECT_EQ(match.next().captured(1).toInt(), expected) << page << " " << column;
                ++expected;
            }
        }
    }
    EXPECT_EQ(expected, 261);
}

TEST_F(PrintPdf, OddEvenAndRangesSelectPagesByTheirNumbers)
{
    TStringsPrinter printer;
    printer.SetFooter(QStringLiteral("- %p -"));
    printer.SetFooterAlign(haCenter);
    std::vector<std::string> text(400, "line");
    const TVectorLines lines(std::move(text));
    const int pages = LayoutPageCount(printer, lines);
    ASSERT_GE(pages, 5);

    printer.SetPageOption(poEven);
    QString pdf = PdfPath(QStringLiteral("even.pdf"));
    ASSERT_TRUE(printer.PrintStrings(lines));
    std::vector<int> numbers = FooterNumbers(pdf);
    ASSERT_EQ(int(numbers.size()), pages / 2);
    for (int number : numbers)
        EXPECT_EQ(number % 2, 0);

    printer.SetPageOption(poOdd);
    pdf = PdfPath(QStringLiteral("odd.pdf"));
    ASSERT_TRUE(printer.PrintStrings(lines));
    numbers = FooterNumbers(pdf);
    EXPECT_EQ(int(numbers.size()), (pages + 1) / 2);
    EXPECT_EQ(numbers.front(), 1);

    // Pages 3 and 4 carry FirstPageNumber onwards; no sheet follows the last.
    printer.SetPageOption(poBoth);
    printer.SetRangeOption(roLimited);
    printer.SetStartPage(3);
    printer.SetLastPage(4);
    printer.SetFirstPageNumber(3);
    pdf = PdfPath(QStringLiteral("range.pdf"));
    ASSERT_TRUE(printer.PrintStrings(lines));
    EXPECT_EQ(FooterNumbers(pdf), (std::vector<int> {3, 4}));
    printer.SetFirstPageNumber(1);
    pdf = PdfPath(QStringLiteral("range1.pdf"));
    ASSERT_TRUE(printer.PrintStrings(lines));
    EXPECT_EQ(FooterNumbers(pdf), (std::vector<int> {1, 2}));
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(PrintPdf, EveryPageCarriesOneHeaderWithItsOwnNumber)
{
    TStringsPrinter printer;
    printer.SetHeader(QStringLiteral("Page %p header"));
    printer.SetHeaderAlign(haLeft);
    std::vector<std::string> text(250, "x");
    const TVectorLines lines(std::move(text));
    const QString pdf = PdfPath();
    ASSERT_TRUE(printer.PrintStrings(lines));
    ASSERT_GE(PdfPageCount(pdf), 3);
    for (int page = 1; page <= 3; ++page) {
        const QString text = PdfPageText(pdf, page);
        EXPECT_EQ(text.count(QStringLiteral("header")), 1) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 header").arg(page))) << page;
    }
}

TEST_F(PrintPdf, AnEmptyScriptPrintsOnePageWithHeaderAndFooter)
{
    TStringsPrinter printer;
    SetUpListing(printer);
    const TVectorLines lines({});
    const QString pdf = PdfPath();
    ASSERT_TRUE(printer.PrintStrings(lines));
    EXPECT_EQ(PdfPageCount(pdf), 1);
    const QString text = PdfPageText(pdf, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("2026/3/7")));
    EXPECT_TRUE(text.contains(QStringLiteral("- 1 -")));
}

TEST_F(PrintPdf, NoPageToPrintStartsNoJob)
{
    TStringsPrinter printer;
    const TVectorLines lines({"one page"});
    const QString pdf = PdfPath();
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    printer.SetPageOption(poEven);
    EXPECT_FALSE(printer.PrintStrings(lines));
    printer.SetPageOption(poBoth);
    printer.SetRangeOption(roLimited);
    printer.SetStartPage(5);
    EXPECT_FALSE(printer.PrintStrings(lines));
    printer.SetStartPage(3);
    printer.SetLastPage(2);
    EXPECT_FALSE(printer.PrintStrings(lines));
    EXPECT_EQ(Messages, QStringList(3, QStringLiteral("印刷するページがありません。")));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
}

TEST_F(PrintPdf, MarginsWithoutRoomAreRefusedBeforeAnyPage)
{
    TStringsPrinter printer;
    printer.SetColumnCount(3);
    printer.SetColumnSpace(100);
    const TVectorLines lines({"x"});
    const QString pdf = PdfPath();
    EXPECT_FALSE(printer.PrintStrings(lines));
    EXPECT_EQ(Messages, QStringList {TPageGeometry::NoRoomMessage()});
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintPdf, AnUnwritableTargetIsReportedAndLeavesNoFile)
{
    TStringsPrinter printer;
    const TVectorLines lines({"x"});
    const QString pdf = PdfPath(QStringLiteral("missing/out.pdf"));
    EXPECT_FALSE(printer.PrintStrings(lines));
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].contains(QStringLiteral("out.pdf")));
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintPdf, CancelDuringTheLayoutPrintsNothing)
{
    // The progress window is application-modal and lets events through during the layout;
    // Esc in it (a reject) cancels.
    TStringsPrinter printer;
    std::vector<std::string> text(200000, std::string(60, 'a'));
    const TVectorLines lines(std::move(text));
    const QString pdf = PdfPath();
    bool modal = false;
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        if (auto* progress = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            modal = progress->windowModality() == Qt::ApplicationModal;
            progress->reject();
        }
    });
    cancel.start(20);
    EXPECT_FALSE(printer.PrintStrings(lines));
    EXPECT_TRUE(modal);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(QDir(Folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList {});
}

TEST_F(PrintPdf, AHeaderWiderThanItsBandIsClippedOnALandscapeSheet)
{
    CurrentPrinter().setPageOrientation(QPageLayout::Landscape);
    TStringsPrinter printer;
    SetUpListing(printer);
    printer.SetHeader(QString(400, QLatin1Char('W')));
    printer.SetHeaderAlign(haLeft);
    const TVectorLines lines({"x"});
    const QString pdf = PdfPath();
    ASSERT_TRUE(printer.PrintStrings(lines));
    const QImage image = PdfPageImage(pdf, 1, kImageDpi);
    ASSERT_GT(image.width(), image.height());
    const int margin = 15 * kImageDpi * 10 / 254 - 1;
    EXPECT_TRUE(HasInk(image, QRect(margin, 0, image.width() - 2 * margin, image.height() / 4)));
    EXPECT_FALSE(HasInk(image, QRect(image.width() - margin, 0, margin, image.height())));
}

// A UTF-8 script's characters without a Shift_JIS code are held at user-defined codes by its table: they
// print as those characters, not as the code page's private-use ones.
TEST_F(PrintPdf, TheDocumentsOwnCharactersPrintAsThemselves)
{
    class TLinesWithChars : public TVectorLines {
    public:
        using TVectorLines::TVectorLines;
        const TDocumentChars& Chars() const override { return Table; }
        TDocumentChars Table;
    };
    TLinesWithChars lines({"caf\xF0\x40 \xF0\x41", "\x82\xA0"});
    ASSERT_EQ(lines.Table.Take(U'é'), 0xF040);
    ASSERT_EQ(lines.Table.Take(U'ß'), 0xF041);
    TStringsPrinter printer;
    const QString pdf = PdfPath();
    ASSERT_TRUE(printer.PrintStrings(lines));
    const QString text = PdfPageText(pdf, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("café ß"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("あ"))) << text.toStdString();
}

// Qt's PDF engine reports no failed write. As root the full disk is a 64 KB tmpfs; otherwise a
// file-size limit fails the same writes.
TEST_F(PrintPdf, AFullDiskIsReportedAndTheOldPdfStays)
{
    const QString folder = Folder.filePath(QStringLiteral("small"));
    ASSERT_TRUE(QDir().mkpath(folder));
    // Both undo themselves however the test ends, the mount before the folder goes.
    std::optional<test::TTmpfsMount> disk;
    std::optional<test::TFileSizeLimit> limit;
    if (::geteuid() == 0) {
        disk.emplace(folder.toStdString(), "64k");
        ASSERT_TRUE(disk->Mounted());
    }
    const QString pdf = PdfPath(QStringLiteral("small/out.pdf"));
    {
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    if (!disk)
        limit.emplace(64 * 1024);

    TStringsPrinter printer;
    const bool printed = printer.PrintStrings(JapaneseScript(3000));

    limit.reset();
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    const QByteArray kept = old.readAll();
    const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    EXPECT_FALSE(printed);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].contains(QStringLiteral("out.pdf"))) << Messages[0].toStdString();
    EXPECT_EQ(kept, QByteArray("old"));
    EXPECT_EQ(left, QStringList {QStringLiteral("out.pdf")}) << "a part file was left behind";
    // The next job, on a disk with room, prints whole.
    Messages.clear();
    PdfPath(QStringLiteral("again.pdf"));
    EXPECT_TRUE(printer.PrintStrings(JapaneseScript(30))) << Messages.join(u'\n').toStdString();
}

namespace {

// Lines whose tab stops are the editor's, width cells apart.
class TTabbedLines : public TVectorLines {
public:
    TTabbedLines(std::vector<std::string> lines, int width)
        : TVectorLines(std::move(lines))
        , FWidth(width)
    {
    }
    int TabWidth() const override { return FWidth; }

private:
    int FWidth;
};

// Where each marker word of a page starts, in cells of the given width from the text's left edge.
std::vector<double> MarkerCells(const QString& pdf, const QString& marker, double cell)
{
    const auto words = PdfWordLefts(pdf, 1);
    double left = 1e9;
    for (const auto& [text, x] : words)
        left = std::min(left, x);
    std::vector<double> cells;
    for (const auto& [text, x] : words)
        if (text == marker)
            cells.push_back(std::round((x - left) / cell * 10) / 10);
    return cells;
}

} // namespace

// In a fixed-pitch face the columns after tabs line up as in the editor, whatever its tab width:
// each marker starts at the next stop, counted in characters of the print font.
TEST_F(PrintPdf, TabsStopAtTheEditorsTabWidthInCharacters)
{
    for (const int width : {8, 4}) {
        TStringsPrinter printer;
        printer.Font()->SetName(QStringLiteral("DejaVu Sans Mono"));
        const TTabbedLines lines({"12345678\tA", "1\tB", "1234567\tC", "123456789012\tD"}, width);
        const QString pdf = PdfPath(QStringLiteral("tabs%1.pdf").arg(width));
        ASSERT_TRUE(printer.PrintStrings(lines)) << Messages.join(u'\n').toStdString();
        // One cell: the word "1" of the second line.
        double cell = 0;
        const auto words = PdfWordLefts(pdf, 1);
        for (std::size_t i = 0; i + 1 < words.size(); ++i)
            if (words[i].first == QStringLiteral("1"))
                cell = words[i + 1].second - words[i].second;
        ASSERT_GT(cell, 0);
        const auto stop = [width](int length) { return double((length / width + 1) * width); };
        // The cell is measured across a tab, so "B" itself sits at one stop.
        cell /= stop(1);
        const std::pair<const char*, int> markers[] = {{"A", 8}, {"B", 1}, {"C", 7}, {"D", 12}};
        for (const auto& [marker, length] : markers)
            EXPECT_EQ(MarkerCells(pdf, QString::fromLatin1(marker), cell), std::vector<double> {stop(length)})
                << width << " " << marker;
    }
}

TEST_F(PrintPdf, ThePdfHasTheScriptsNameAsTitleAndTheModeOfTheUmask)
{
    TStringsPrinter printer;
    printer.SetFileName(QStringLiteral("/home/user/cgi-bin/掲示板.cgi"));
    const TVectorLines lines({"print 1;"});
    const mode_t saved = ::umask(022);
    const QString pdf = PdfPath(QStringLiteral("shared.pdf"));
    const bool shared = printer.PrintStrings(lines);
    ::umask(077);
    const QString own = PdfPath(QStringLiteral("own.pdf"));
    const bool owned = printer.PrintStrings(lines);
    ::umask(saved);
    ASSERT_TRUE(shared && owned) << Messages.join(u'\n').toStdString();
    const auto mode = [](const QString& path) {
        struct stat status {};
        return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 0777) : -1;
    };
    EXPECT_EQ(mode(pdf), 0644);
    EXPECT_EQ(mode(own), 0600);
    EXPECT_EQ(PdfInfoField(pdf, QStringLiteral("Title")), QStringLiteral("掲示板.cgi"));
}
