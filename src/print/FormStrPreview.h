// The preview of the pages a print would print: navigation, three zoom modes, and the page
// index growing in the background until the whole text is laid out.
#pragma once

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QTimer;
class QToolButton;

namespace brenvik {

class TMetaFileList;
class TStringsPrinter;
struct TPrinterMetrics;

class TFormStrPreview : public QDialog {
    Q_OBJECT
public:
    enum TZoom { zmRealSize, zmFitWidth, zmFitHeight };
    // Each slice of background indexing stops after this (ms), so the window stays responsive.
    static constexpr int kSliceTime = 30;

    // The printer and the pages (not owned) must outlive the window.
    TFormStrPreview(QWidget* parent, TStringsPrinter& printer, TMetaFileList& pages);

    // The image's size in a mode: real size at the screen's resolution, or fitted to the
    // scroll box less the scroll bar across it; at least 1 by 1.
    static QSize ImageSize(TZoom zoom, const TPrinterMetrics& metrics, qreal screenDpi, QSize box,
        int scrollBarWidth, int scrollBarHeight);

    // Pages shown so far (those a print would print) and the one on screen (0-based).
    int PageCount() const { return int(FShown.size()); }
    int CurrentPage() const { return FCurrent; }
    TZoom Zoom() const { return FZoom; }
    bool Indexing() const;
    void GoToPage(int page);
    void SetZoom(TZoom zoom);

    QToolButton* btnFirst;
    QToolButton* btnPrev;
    QToolButton* btnNext;
    QToolButton* btnLast;
    QPushButton* btnAdjustHeight;
    QPushButton* btnAdjustWidth;
    QPushButton* btnRealSize;
    QPushButton* btnClose;
    QLabel* lblPage;
    QStatusBar* StatusBar1;
    QScrollArea* ScrollBox1;
    QLabel* Image1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void IndexSlice();
    void TakeIndexedPages();
    void UpdateCounter();
    void DrawPage();

    TStringsPrinter& FPrinter;
    TMetaFileList& FPages;
    std::vector<int> FShown; // layout page indices, in order
    int FTaken = 0;          // layout pages already looked at for FShown
    int FCurrent = 0;
    TZoom FZoom = zmRealSize;
    int FScrollBarWidth = 0;
    int FScrollBarHeight = 0;
    QTimer* FIndexTimer;
};

// Shows the preview of pages modally, on the first page at real size.
void RunPreview(QWidget* parent, TStringsPrinter& printer, TMetaFileList& pages);

} // namespace brenvik
