// The main window's print command and its printer settings.
#include "app/frmMain.h"

#include "app/DocumentPrintLines.h"
#include "app/SettingsFile.h"
#include "editor/Editor.h"
#include "print/FormStringsPrint.h"
#include "print/StringsPrinter.h"
#include "print/StringsPrinterInfo.h"

namespace brenvik {

namespace {

const QString kPrinterSection = QStringLiteral("StringsPrinter");
const QString kPrinterName = QStringLiteral("Property");

} // namespace

void TfrmMain::ReadPrinterSettings(TSettingsFile& settings)
{
    StringsPrinter1 = new TStringsPrinter(this);
    StringsPrinter1->SetHeader(QStringLiteral("%F %y/%m/%d"));
    StringsPrinter1->SetHeaderAlign(haRight);
    StringsPrinter1->SetFooter(QStringLiteral("- %p -"));
    StringsPrinter1->SetFooterAlign(haCenter);
    // Text that touches the sheet's edge is cut by most printers.
    for (auto setter : {&TStringsPrinter::SetMarginLeft, &TStringsPrinter::SetMarginRight,
             &TStringsPrinter::SetMarginTop, &TStringsPrinter::SetMarginBottom})
        (StringsPrinter1->*setter)(10);
    settings.ReadComponent(*StringsPrinter1, kPrinterSection, kPrinterName);
}

void TfrmMain::FilePrint()
{
    // "%F" and "%f" print the script's own name.
    StringsPrinter1->SetFileName(FDocument.FileName());
    const TDocumentPrintLines lines(FDocument, edrMain->TabSpaceCount());
    QPrinter* printer = StringsPrinter1->Info().Printer();
    // The printer is made only now: the print system is slow to ask at start.
    if (printer)
        TSettingsFile().ReadPrinterSetup(*printer, kPrinterSection);
    if (!RunStringsPrintSetup(this, StringsPrinter1, &lines))
        return;
    TSettingsFile settings;
    settings.WriteComponent(*StringsPrinter1, kPrinterSection, kPrinterName);
    if (printer)
        settings.WritePrinterSetup(*printer, kPrinterSection);
    settings.SyncOrTell(*FPrompts, this);
}

} // namespace brenvik
