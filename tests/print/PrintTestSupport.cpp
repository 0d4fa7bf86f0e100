// Shared set-up of the printing tests.
#include "PrintTestSupport.h"

#include "jcode/SjisUnicode.h"
#include "print/Keywords.h"
#include "print/StringsPrinterInfo.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

namespace brenvik::test {

namespace {


QByteArray RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        ADD_FAILURE() << program.toStdString() << " did not finish";
    return process.readAllStandardOutput();
}

} // namespace

void PrintFixture::SetUp()
{
    ASSERT_TRUE(Folder.isValid());
    FInstalled.emplace(*this);
    SetPrintClock([] { return QDateTime(QDate(2026, 3, 7), QTime(9, 5, 0)); });
    QPrinter& printer = CurrentPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
        QPageLayout::Millimeter));
}

void PrintFixture::TearDown()
{
    FInstalled.reset();
    SetPrintClock({});
    CurrentPrinter().setOutputFileName(QString());
}

QString PrintFixture::PdfPath(const QString& name)
{
    const QString path = Folder.filePath(name);
    CurrentPrinter().setOutputFileName(path);
    return path;
}

std::string Sjis(const char* utf8)
{
    return *UnicodeToSjis(QString::fromUtf8(utf8));
}

TVectorLines SjisLines(const std::vector<const char*>& utf8)
{
    std::vector<std::string> lines;
    for (const char* line : utf8)
        lines.push_back(Sjis(line));
    return TVectorLines(std::move(lines));
}

int PdfPageCount(const QString& pdf)
{
    for (const QByteArray& line : RunTool(QStringLiteral("pdfinfo"), {pdf}).split('\n')) {
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

std::vector<std::pair<QString, double>> PdfWordLefts(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    const QString boxes = QString::fromUtf8(RunTool(QStringLiteral("pdftotext"),
        {QStringLiteral("-f"), number, QStringLiteral("-l"), number, QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    static const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    std::vector<std::pair<QString, double>> words;
    for (auto match = word.globalMatch(boxes); match.hasNext();) {
        const auto found = match.next();
        words.emplace_back(found.captured(2), found.captured(1).toDouble());
    }
    return words;
}

QString PdfInfoField(const QString& pdf, const QString& field)
{
    const QByteArray key = field.toUtf8() + ':';
    for (const QByteArray& line : RunTool(QStringLiteral("pdfinfo"), {pdf}).split('\n')) {
        if (line.startsWith(key))
            return QString::fromUtf8(line.mid(key.size())).trimmed();
    }
    return {};
}

QString PdfPageText(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    return QString::fromUtf8(RunTool(QStringLiteral("pdftotext"),
        {QStringLiteral("-f"), number, QStringLiteral("-l"), number, QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
}

QString PdfAreaText(const QString& pdf, int page, const QRect& area)
{
    const QString number = QString::number(page);
    return QString::fromUtf8(RunTool(QStringLiteral("pdftotext"),
        {QStringLiteral("-f"), number, QStringLiteral("-l"), number, QStringLiteral("-r"), QStringLiteral("72"),
            QStringLiteral("-x"), QString::number(area.x()), QStringLiteral("-y"), QString::number(area.y()),
            QStringLiteral("-W"), QString::number(area.width()), QStringLiteral("-H"), QString::number(area.height()),
            pdf, QStringLiteral("-")}));
}

QImage PdfPageImage(const QString& pdf, int page, int dpi)
{
    const QString number = QString::number(page);
    const QString stem = QFileInfo(pdf).absolutePath() + QStringLiteral("/page");
    RunTool(QStringLiteral("pdftoppm"), {QStringLiteral("-f"), number, QStringLiteral("-l"), number,
                                            QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                            QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

bool HasInk(const QImage& image, const QRect& rect)
{
    const QRect inside = rect.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 160)
                return true;
        }
    }
    return false;
}

} // namespace brenvik::test
