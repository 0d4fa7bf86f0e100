// The main window's print command and its printer settings.
#include "app/frmMain.h"

#include "app/EditorPrintLines.h"
#include "app/SettingsFile.h"
#include "editor/Editor.h"
#include "print/FormStringsPrint.h"
#include "print/StringsPrinter.h"

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
    settings.ReadComponent(*StringsPrinter1, kPrinterSection, kPrinterName);
}

void TfrmMain::FilePrint()
{
    // "%F" and "%f" print the script's own name.
    StringsPrinter1->SetFileName(FFileName);
    const TEditorPrintLines lines(*edrMain);
    if (!RunStringsPrintSetup(this, StringsPrinter1, &lines))
        return;
    TSettingsFile settings;
    settings.WriteComponent(*StringsPrinter1, kPrinterSection, kPrinterName);
    settings.SyncOrTell(*FPrompts, this);
}

} // namespace brenvik
