// Laying out, printing and previewing.
#include "print/FormStrPreview.h"
#include "print/FormStrProgress.h"
#include "print/MetaFileList.h"
#include "support/Prompts.h"
#include "print/StringsPrinter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>
#include <algorithm>
#include <optional>
#include <sys/stat.h>

namespace brenvik {

namespace {

const QString kPrintCaption = QStringLiteral("印刷中");
const QString kPreviewCaption = QStringLiteral("プレビューを作成中");
const QString kNoPages = QStringLiteral("印刷するページがありません。");

void Tell(const QString& text)
{
    Prompts().ShowInformation(QApplication::activeWindow(), QStringLiteral("TStringsPrinter"), text);
}

// Qt's PDF engine does not report a failed write: on a full disk the job ends as printed and
// the file is cut short. A whole PDF ends with its trailer's end mark.
bool EndsAsAWholePdf(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 kTail = 64;
    file.seek(std::max<qint64>(0, file.size() - kTail));
    return file.read(kTail).contains("%%EOF");
}

std::vector<int> PrintedPages(const TStringsPrinter& printer, const TMetaFileList& pages)
{
    std::vector<int> printed;
    for (int index = 0; index < pages.Count(); ++index) {
        if (printer.PagePrinted(index))
            printed.push_back(index);
    }
    return printed;
}

// A PDF is written to a temporary file beside the target and renamed over it at the end,
// so that a failed or cancelled job leaves no half file.
class TPdfTarget {
public:
    explicit TPdfTarget(QPrinter& printer)
        : FPrinter(printer)
        , FTarget(printer.outputFileName())
    {
    }
    ~TPdfTarget() { FPrinter.setOutputFileName(FTarget); }

    // False (reported) when no file can be made beside the target.
    bool Open()
    {
        const QFileInfo target(FTarget);
        FPart = std::make_unique<QTemporaryFile>(target.absolutePath() + QStringLiteral("/.") + target.fileName()
            + QStringLiteral(".XXXXXX"));
        if (FTarget.isEmpty() || !FPart->open()) {
            Tell(QStringLiteral("「%1」に書き込めません。").arg(QDir::toNativeSeparators(FTarget)));
            return false;
        }
        FPart->close();
        FPrinter.setOutputFileName(FPart->fileName());
        return true;
    }

    bool Commit()
    {
        if (!EndsAsAWholePdf(FPart->fileName())) {
            Tell(QStringLiteral("「%1」に書き込めませんでした。PDF を最後まで書けていません（ディスクの空きが足りない"
                                "可能性があります）。元のファイルは変更していません。")
                     .arg(QDir::toNativeSeparators(FTarget)));
            return false;
        }
        // The file gets the mode any new file would (the temporary one is private), or keeps
        // the mode of the file it replaces.
        const QFileInfo old(FTarget);
        if (old.exists()) {
            QFile::setPermissions(FPart->fileName(), old.permissions());
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ::chmod(QFile::encodeName(FPart->fileName()).constData(), 0666 & ~mask);
        }
        QFile::remove(FTarget);
        if (!QFile::rename(FPart->fileName(), FTarget)) {
            Tell(QStringLiteral("「%1」に書き込めませんでした。").arg(QDir::toNativeSeparators(FTarget)));
            return false;
        }
        FPart->setAutoRemove(false);
        return true;
    }

private:
    QPrinter& FPrinter;
    QString FTarget;
    std::unique_ptr<QTemporaryFile> FPart;
};

// Qt's PDF engine keeps the error of a failed write for good: after one full disk every later
// job of the same printer would be cut short. Each PDF job runs on a fresh printer set up as
// the current one.
std::unique_ptr<QPrinter> PdfJobPrinter(const QPrinter& current)
{
    auto job = std::make_unique<QPrinter>(QPrinter::HighResolution);
    job->setOutputFormat(QPrinter::PdfFormat);
    job->setResolution(current.resolution());
    job->setFullPage(current.fullPage());
    job->setPageLayout(current.pageLayout());
    job->setColorMode(current.colorMode());
    job->setOutputFileName(current.outputFileName());
    return job;
}

} // namespace

bool TStringsPrinter::NeedsMorePages(const TMetaFileList& pages) const
{
    return !pages.Complete() && !(FRangeOption == roLimited && pages.Count() >= FLastPage);
}

bool TStringsPrinter::IndexPages(TMetaFileList& pages, const QString& caption, const std::function<bool()>& enough)
{
    if (!pages.Geometry().Fits()) {
        Tell(TPageGeometry::NoRoomMessage());
        return false;
    }
    TFormStrProgress progress(QApplication::activeWindow(), caption);
    while (NeedsMorePages(pages) && !enough()) {
        pages.IndexNextPage();
        progress.UpdateProgress(caption, 100, pages.PercentDone());
        if (progress.Cancelled())
            return false;
    }
    return true;
}

bool TStringsPrinter::MakePages(TMetaFileList& pages, const QString& caption)
{
    return IndexPages(pages, caption, [] { return false; });
}

bool TStringsPrinter::PrintStrings(const TPrintLines& lines, const std::function<bool(QPrinter&)>& chooseTarget)
{
    if (!FInfo->Printer())
        return false;
    TMetaFileList pages(*this, lines, MetricsOf(*FInfo->Printer()));
    return MakePages(pages, kPrintCaption) && PrintPages(pages, chooseTarget);
}

QString TStringsPrinter::DocumentTitle() const
{
    return FFileName.isEmpty() ? QStringLiteral("新規文章") : QFileInfo(FFileName).fileName();
}

bool TStringsPrinter::PrintPages(TMetaFileList& pages, const std::function<bool(QPrinter&)>& chooseTarget)
{
    const std::vector<int> printed = PrintedPages(*this, pages);
    if (printed.empty()) {
        Tell(kNoPages);
        return false;
    }
    QPrinter& current = *FInfo->Printer();
    if (chooseTarget && !chooseTarget(current))
        return false;
    const std::unique_ptr<QPrinter> pdfJob
        = current.outputFormat() == QPrinter::PdfFormat ? PdfJobPrinter(current) : nullptr;
    QPrinter& printer = pdfJob ? *pdfJob : current;
    printer.setDocName(DocumentTitle());
    std::optional<TPdfTarget> pdf;
    if (pdfJob) {
        pdf.emplace(printer);
        if (!pdf->Open())
            return false;
    }
    const QString failed = QStringLiteral("印刷できませんでした。");
    QPainter painter;
    if (!painter.begin(&printer)) {
        Tell(failed);
        return false;
    }
    // Pictures replay scaled by the target's resolution over their own: undo that, so that
    // printer pixels land on printer pixels.
    const qreal scale = qreal(QPicture().logicalDpiX()) / printer.logicalDpiX();
    TFormStrProgress progress(QApplication::activeWindow(), kPrintCaption);
    for (std::size_t k = 0; k < printed.size(); ++k) {
        if (k > 0 && !printer.newPage())
            break;
        painter.save();
        painter.scale(scale, scale);
        painter.drawPicture(0, 0, pages.Page(printed[k]));
        painter.restore();
        progress.UpdateProgress(kPrintCaption, int(printed.size()), int(k + 1));
        if (progress.Cancelled()) {
            printer.abort();
            painter.end();
            return false;
        }
    }
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error) {
        Tell(failed);
        return false;
    }
    return !pdf || pdf->Commit();
}

bool TStringsPrinter::PreviewStrings(const TPrintLines& lines)
{
    if (!FInfo->Printer())
        return false;
    TMetaFileList pages(*this, lines, MetricsOf(*FInfo->Printer()));
    // The preview opens on the first page to be printed; it indexes the rest itself.
    const auto found = [&] { return pages.Count() > 0 && PagePrinted(pages.Count() - 1); };
    if (!IndexPages(pages, kPreviewCaption, found))
        return false;
    if (PrintedPages(*this, pages).empty()) {
        Tell(kNoPages);
        return false;
    }
    RunPreview(QApplication::activeWindow(), *this, pages);
    return true;
}

} // namespace brenvik
