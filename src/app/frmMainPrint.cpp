// The main window's print command and its printer settings.
#include "app/frmMain.h"

#include "app/DocumentPrintLines.h"
#include "editor/Editor.h"
#include "print/FormStringsPrint.h"
#include "print/PrinterSetupStore.h"
#include "print/StringsPrinter.h"
#include "print/StringsPrinterInfo.h"
#include "support/IniStorage.h"

#include <QSettings>

namespace brenvik {

namespace {

const QString kPrinterSection = QStringLiteral("StringsPrinter");
const QString kPrinterName = QStringLiteral("Property");

} // namespace

void TfrmMain::ReadPrinterSettings(QSettings& settings)
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
    if (settings.contains(kPrinterSection + QLatin1Char('/') + kPrinterName + QStringLiteral("_c")))
        ReadComponentFromIni(*StringsPrinter1, settings, kPrinterSection, kPrinterName);
}

void TfrmMain::FilePrint()
{
    // "%F" and "%f" print the script's own name.
    StringsPrinter1->SetFileName(FDocument.FileName());
    const TDocumentPrintLines lines(FDocument, edrMain->TabSpaceCount());
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    QPrinter* printer = StringsPrinter1->Info().Printer();
    // The printer is made only now: the print system is slow to ask at start.
    if (printer)
        ReadPrinterSetup(settings, kPrinterSection, *printer);
    if (!RunStringsPrintSetup(this, StringsPrinter1, &lines))
        return;
    WriteComponentToIni(*StringsPrinter1, settings, kPrinterSection, kPrinterName);
    if (printer)
        WritePrinterSetup(settings, kPrinterSection, *printer);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        FPrompts->ShowError(this, QStringLiteral("設定ファイル「%1」に書き込めませんでした。").arg(SettingsFile()));
}

} // namespace brenvik
