// The main window's print command and its printer settings.
#include "app/frmMain.h"

#include "app/DocumentPrintLines.h"
#include "editor/Editor.h"
#include "print/FormStringsPrint.h"
#include "print/StringsPrinter.h"
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
    if (settings.contains(kPrinterSection + QLatin1Char('/') + kPrinterName + QStringLiteral("_c")))
        ReadComponentFromIni(*StringsPrinter1, settings, kPrinterSection, kPrinterName);
}

void TfrmMain::FilePrint()
{
    // "%F" and "%f" print the script's own name.
    StringsPrinter1->SetFileName(FDocument.FileName());
    const TDocumentPrintLines lines(FDocument);
    if (!RunStringsPrintSetup(this, StringsPrinter1, &lines))
        return;
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    WriteComponentToIni(*StringsPrinter1, settings, kPrinterSection, kPrinterName);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        FPrompts->ShowError(this, QStringLiteral("設定ファイル「%1」に書き込めませんでした。").arg(SettingsFile()));
}

} // namespace brenvik
