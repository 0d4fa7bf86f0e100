// The options and about commands of the main window.
#include "options/OptionCommands.h"

#include "app/frmMain.h"
#include "options/dlgAbout.h"
#include "options/dlgOpt.h"

namespace brenvik {

void InstallOptionCommands(TfrmMain& window)
{
    window.BindCommand("actOption", [&window] { RunOptionDialog(window); });
    window.BindCommand("actAbout", [&window] { RunAboutBox(&window); });
}

} // namespace brenvik
