// The options and about commands of the main window, and the settings command of the builder.
#include "options/OptionCommands.h"

#include "app/frmMain.h"
#include "app/frmPrint.h"
#include "options/dlgAbout.h"
#include "options/dlgOpt.h"
#include "options/dlgPOpt.h"

#include <QAction>

namespace brenvik {

void InstallOptionCommands(TfrmMain& window)
{
    window.BindCommand("actOption", [&window] { RunOptionDialog(window); });
    window.BindCommand("actAbout", [&window] { RunAboutBox(&window); });

    // The builder's "設定(&O)".
    TfrmPrint& builder = window.Builder();
    QAction* settings = builder.Action(QStringLiteral("O2"));
    settings->setEnabled(true);
    QObject::connect(settings, &QAction::triggered, &builder, [&window, &builder] {
        window.RunBuilderCommand([&builder] {
            RunPrintOptionDialog(&builder, {builder.Editor(), builder.HTMLFountain(), builder.WordWrapWindowSetting(),
                                               [&builder] { return builder.WriteSettings(); }, builder.SettingsFile()});
        });
    });
}

} // namespace brenvik
