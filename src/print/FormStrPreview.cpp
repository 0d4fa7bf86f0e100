// The preview window.
#include "print/FormStrPreview.h"

#include "print/MetaFileList.h"
#include "print/StringsPrinter.h"

#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace brenvik {

namespace {

int Scaled(int length, int numerator, int denominator)
{
    return denominator > 0 ? int(std::lround(double(length) * numerator / denominator)) : 0;
}

} // namespace

TFormStrPreview::TFormStrPreview(QWidget* parent, TStringsPrinter& printer, TMetaFileList& pages)
    : QDialog(parent)
    , btnFirst(new QToolButton(this))
    , btnPrev(new QToolButton(this))
    , btnNext(new QToolButton(this))
    , btnLast(new QToolButton(this))
    , btnAdjustHeight(new QPushButton(QStringLiteral("Adjust Height"), this))
    , btnAdjustWidth(new QPushButton(QStringLiteral("Adjust Width"), this))
    , btnRealSize(new QPushButton(QStringLiteral("100%"), this))
    , btnClose(new QPushButton(QStringLiteral("Close"), this))
    , lblPage(new QLabel(this))
    , StatusBar1(new QStatusBar(this))
    , ScrollBox1(new QScrollArea(this))
    , Image1(new QLabel)
    , FPrinter(printer)
    , FPages(pages)
    , FIndexTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("FormStrPreview"));
    setWindowTitle(QStringLiteral("Preview"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    const std::pair<QToolButton*, QStyle::StandardPixmap> glyphs[] = {{btnFirst, QStyle::SP_MediaSkipBackward},
        {btnPrev, QStyle::SP_MediaSeekBackward}, {btnNext, QStyle::SP_MediaSeekForward},
        {btnLast, QStyle::SP_MediaSkipForward}};
    auto* top = new QHBoxLayout;
    for (const auto& [button, glyph] : glyphs) {
        button->setIcon(style()->standardIcon(glyph));
        top->addWidget(button);
    }
    for (QPushButton* button : {btnAdjustHeight, btnAdjustWidth, btnRealSize, btnClose}) {
        button->setAutoDefault(false);
        top->addWidget(button);
    }
    top->addSpacing(12);
    top->addWidget(lblPage);
    top->addStretch();
    lblPage->setFont(QFont(QStringLiteral("monospace")));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setAlignment(Qt::AlignCenter);
    ScrollBox1->setBackgroundRole(QPalette::Dark);
    ScrollBox1->setWidget(Image1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(ScrollBox1, 1);
    layout->addWidget(StatusBar1);
    resize(820, 760);

    connect(btnFirst, &QToolButton::clicked, this, [this] { GoToPage(0); });
    connect(btnPrev, &QToolButton::clicked, this, [this] { GoToPage(FCurrent - 1); });
    connect(btnNext, &QToolButton::clicked, this, [this] { GoToPage(FCurrent + 1); });
    connect(btnLast, &QToolButton::clicked, this, [this] { GoToPage(PageCount() - 1); });
    connect(btnAdjustHeight, &QPushButton::clicked, this, [this] { SetZoom(zmFitHeight); });
    connect(btnAdjustWidth, &QPushButton::clicked, this, [this] { SetZoom(zmFitWidth); });
    connect(btnRealSize, &QPushButton::clicked, this, [this] { SetZoom(zmRealSize); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(FIndexTimer, &QTimer::timeout, this, &TFormStrPreview::IndexSlice);

    TakeIndexedPages();
    if (Indexing())
        FIndexTimer->start(0);
    GoToPage(0);
}

QSize TFormStrPreview::ImageSize(TZoom zoom, const TPrinterMetrics& metrics, qreal screenDpi, QSize box,
    int scrollBarWidth, int scrollBarHeight)
{
    const int sheetWidth = metrics.SheetWidth();
    const int sheetHeight = metrics.SheetHeight();
    int width = 0;
    int height = 0;
    switch (zoom) {
    case zmRealSize:
        width = int(std::lround(sheetWidth * screenDpi / metrics.Dpi));
        height = int(std::lround(sheetHeight * screenDpi / metrics.Dpi));
        break;
    case zmFitWidth:
        width = std::max(1, box.width() - scrollBarWidth);
        height = Scaled(sheetHeight, width, sheetWidth);
        break;
    case zmFitHeight:
        height = std::max(1, box.height() - scrollBarHeight);
        width = Scaled(sheetWidth, height, sheetHeight);
        break;
    }
    return {std::max(1, width), std::max(1, height)};
}

bool TFormStrPreview::Indexing() const
{
    return FPrinter.NeedsMorePages(FPages) || FTaken < FPages.Count();
}

void TFormStrPreview::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FScrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ScrollBox1);
    FScrollBarHeight = FScrollBarWidth;
}

void TFormStrPreview::TakeIndexedPages()
{
    for (; FTaken < FPages.Count(); ++FTaken) {
        if (FPrinter.PagePrinted(FTaken))
            FShown.push_back(FTaken);
    }
}

void TFormStrPreview::IndexSlice()
{
    QElapsedTimer slice;
    slice.start();
    while (FPrinter.NeedsMorePages(FPages) && slice.elapsed() < kSliceTime)
        FPages.IndexNextPage();
    TakeIndexedPages();
    if (!Indexing()) {
        FIndexTimer->stop();
        StatusBar1->clearMessage();
    } else {
        StatusBar1->showMessage(QStringLiteral("プレビューを作成中 %1%").arg(FPages.PercentDone()));
    }
    UpdateCounter();
}

void TFormStrPreview::UpdateCounter()
{
    lblPage->setText(QString::asprintf("%3d / %3d", FCurrent + 1, PageCount()));
    btnFirst->setEnabled(FCurrent > 0);
    btnPrev->setEnabled(FCurrent > 0);
    btnNext->setEnabled(FCurrent < PageCount() - 1);
    btnLast->setEnabled(FCurrent < PageCount() - 1);
}

void TFormStrPreview::GoToPage(int page)
{
    FCurrent = std::clamp(page, 0, std::max(0, PageCount() - 1));
    UpdateCounter();
    DrawPage();
}

void TFormStrPreview::SetZoom(TZoom zoom)
{
    FZoom = zoom;
    DrawPage();
}

void TFormStrPreview::DrawPage()
{
    if (FShown.empty())
        return;
    const TPrinterMetrics& metrics = FPages.Metrics();
    const QScreen* screen = this->screen();
    const QSize size = ImageSize(FZoom, metrics, screen ? screen->logicalDotsPerInchX() : 96.0, ScrollBox1->size(),
        FScrollBarWidth, FScrollBarHeight);
    const qreal ratio = devicePixelRatioF();
    QPixmap image(QSize(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio))));
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    {
        // The printable area at its place on the sheet.
        const int sheetWidth = metrics.SheetWidth();
        const int sheetHeight = metrics.SheetHeight();
        const QRect area(QPoint(Scaled(metrics.OffLeft, size.width(), sheetWidth),
                             Scaled(metrics.OffTop, size.height(), sheetHeight)),
            QPoint(Scaled(metrics.PageWidth + metrics.OffLeft, size.width(), sheetWidth) - 1,
                Scaled(metrics.PageHeight + metrics.OffTop, size.height(), sheetHeight) - 1));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.translate(area.topLeft());
        // Pictures replay scaled by the target's resolution over their own: undo that too.
        const qreal replay = qreal(QPicture().logicalDpiX()) / image.logicalDpiX();
        painter.scale(replay * area.width() / metrics.PageWidth, replay * area.height() / metrics.PageHeight);
        painter.drawPicture(0, 0, FPages.Page(FShown[std::size_t(FCurrent)]));
    }
    Image1->setPixmap(image);
    Image1->resize(size);
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
}

void RunPreview(QWidget* parent, TStringsPrinter& printer, TMetaFileList& pages)
{
    TFormStrPreview form(parent, printer, pages);
    form.exec();
}

} // namespace brenvik
