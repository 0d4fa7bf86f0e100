// The strings printer: lays a list of lines out on pages (margins, header, footer, line
// numbers, one to three columns) and prints them or shows them in the preview.
#pragma once

#include "editor/EditorFont.h"
#include "print/StringsPrinterEnums.h"
#include "support/NotifyPersistent.h"

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace brenvik {

class TMetaFileList;
class TPrintLines;
class TStringsPrinterInfo;

// The largest page number a print can name: a million-line script fills some 15,625 pages.
inline constexpr int kMaxPage = 999999;

// Invariant: every property lies in its range (the setters clamp); Font() and Info() are owned.
class TStringsPrinter : public TNotifyPersistent {
    Q_OBJECT
    Q_PROPERTY(int ColumnCount READ ColumnCount WRITE SetColumnCount)
    Q_PROPERTY(int ColumnSpace READ ColumnSpace WRITE SetColumnSpace)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(int FirstPageNumber READ FirstPageNumber WRITE SetFirstPageNumber)
    Q_PROPERTY(brenvik::TEditorFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(QString Footer READ Footer WRITE SetFooter)
    Q_PROPERTY(brenvik::TStringsPrinterEnums::TStringsPrinterHeaderAlign FooterAlign READ FooterAlign WRITE
            SetFooterAlign)
    Q_PROPERTY(QString Header READ Header WRITE SetHeader)
    Q_PROPERTY(brenvik::TStringsPrinterEnums::TStringsPrinterHeaderAlign HeaderAlign READ HeaderAlign WRITE
            SetHeaderAlign)
    Q_PROPERTY(int LastPage READ LastPage WRITE SetLastPage)
    Q_PROPERTY(bool LineNumber READ LineNumber WRITE SetLineNumber)
    Q_PROPERTY(int MarginBottom READ MarginBottom WRITE SetMarginBottom)
    Q_PROPERTY(int MarginLeft READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(int MarginRight READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(int MarginTop READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(brenvik::TStringsPrinterEnums::TStringsPrinterPageOption PageOption READ PageOption WRITE
            SetPageOption)
    Q_PROPERTY(brenvik::TStringsPrinterEnums::TStringsPrinterRangeOption RangeOption READ RangeOption WRITE
            SetRangeOption)
    Q_PROPERTY(int StartPage READ StartPage WRITE SetStartPage)
public:
    explicit TStringsPrinter(QObject* parent = nullptr);
    ~TStringsPrinter() override;

    int ColumnCount() const { return FColumnCount; }
    int ColumnSpace() const { return FColumnSpace; }
    QString FileName() const { return FFileName; }
    int FirstPageNumber() const { return FFirstPageNumber; }
    TEditorFont* Font() const { return FFont; }
    QString Footer() const { return FFooter; }
    TStringsPrinterHeaderAlign FooterAlign() const { return FFooterAlign; }
    QString Header() const { return FHeader; }
    TStringsPrinterHeaderAlign HeaderAlign() const { return FHeaderAlign; }
    int LastPage() const { return FLastPage; }
    bool LineNumber() const { return FLineNumber; }
    int MarginBottom() const { return FMarginBottom; }
    int MarginLeft() const { return FMarginLeft; }
    int MarginRight() const { return FMarginRight; }
    int MarginTop() const { return FMarginTop; }
    TStringsPrinterPageOption PageOption() const { return FPageOption; }
    TStringsPrinterRangeOption RangeOption() const { return FRangeOption; }
    int StartPage() const { return FStartPage; }
    TStringsPrinterInfo& Info() const { return *FInfo; }

    void SetColumnCount(int value);
    void SetColumnSpace(int value);
    void SetFileName(const QString& value) { SetField(FFileName, value); }
    void SetFirstPageNumber(int value);
    // Copies into the owned font.
    void SetFont(TEditorFont* value);
    void SetFooter(const QString& value) { SetField(FFooter, value); }
    void SetFooterAlign(TStringsPrinterHeaderAlign value) { SetField(FFooterAlign, value); }
    void SetHeader(const QString& value) { SetField(FHeader, value); }
    void SetHeaderAlign(TStringsPrinterHeaderAlign value) { SetField(FHeaderAlign, value); }
    void SetLastPage(int value);
    void SetLineNumber(bool value) { SetField(FLineNumber, value); }
    void SetMarginBottom(int value);
    void SetMarginLeft(int value);
    void SetMarginRight(int value);
    void SetMarginTop(int value);
    void SetPageOption(TStringsPrinterPageOption value) { SetField(FPageOption, value); }
    void SetRangeOption(TStringsPrinterRangeOption value) { SetField(FRangeOption, value); }
    void SetStartPage(int value);

    // The header/footer keywords expanded for the page that carries pageNumber.
    QString ExpandKeywords(const QString& text, int pageNumber) const;

    // The number printed on page index (0-based) of a layout.
    int PageNumberOf(int index) const;
    // Whether page index of a layout is printed (range, odd/even).
    bool PagePrinted(int index) const;

    // Indexes the pages of pages' lines, showing progress with caption, as far as any page
    // can be printed; false when cancelled or when the margins and columns leave no room
    // for the text (reported).
    bool MakePages(TMetaFileList& pages, const QString& caption);
    // Whether pages past those indexed may still be printed.
    bool NeedsMorePages(const TMetaFileList& pages) const;
    // Lays out and prints the selected pages; true when they were printed. chooseTarget, when
    // given, is asked only once there are pages to print (it names the PDF file); false
    // from it ends the job.
    bool PrintStrings(const TPrintLines& lines, const std::function<bool(QPrinter&)>& chooseTarget = {});
    // The document's title in the job and the PDF: the script's name without its folder.
    QString DocumentTitle() const;
    // Lays out and shows the preview until it is closed; false when nothing could be shown.
    bool PreviewStrings(const TPrintLines& lines);

private:
    // Indexes until enough() says so or no later page can be printed.
    bool IndexPages(TMetaFileList& pages, const QString& caption, const std::function<bool()>& enough);
    bool PrintPages(TMetaFileList& pages, const std::function<bool(QPrinter&)>& chooseTarget);

    int FColumnCount = 1;
    int FColumnSpace = 4;
    QString FFileName;
    int FFirstPageNumber = 1;
    TEditorFont* FFont;
    QString FFooter;
    TStringsPrinterHeaderAlign FFooterAlign = haNone;
    QString FHeader;
    TStringsPrinterHeaderAlign FHeaderAlign = haNone;
    int FLastPage = kMaxPage;
    bool FLineNumber = false;
    int FMarginBottom = 0;
    int FMarginLeft = 0;
    int FMarginRight = 0;
    int FMarginTop = 0;
    TStringsPrinterPageOption FPageOption = poBoth;
    TStringsPrinterRangeOption FRangeOption = roWhole;
    int FStartPage = 1;
    TStringsPrinterInfo* FInfo;
};

} // namespace brenvik
