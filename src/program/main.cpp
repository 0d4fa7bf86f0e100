// The program entry: the command line, then the main window with the first file named on it;
// every further file opens in a process of its own, one document per process.
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/ProgramFolder.h"
#include "app/ProgramIcon.h"
#include "app/ProgramSeed.h"
#include "app/SettingsFile.h"
#include "app/StartTrace.h"
#include "app/UserPrompts.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "model/LineColumnJump.h"
#include "options/OptionCommands.h"

#include <BuildInfo.h>
#include <QFileInfo>
#include <QFontDatabase>
#include <cstdio>

int main(int argc, char** argv)
{
    brenvik::TStartTrace trace;
    trace.Mark("main");
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // Help and version need no display, so they are answered before the application exists.
    const brenvik::TCommandLine commandLine = brenvik::ParseCommandLine(arguments);
    switch (commandLine.Action) {
    case brenvik::TCommandLine::caHelp:
        std::fputs(brenvik::UsageText().toLocal8Bit().constData(), stdout);
        return 0;
    case brenvik::TCommandLine::caVersion:
        std::puts(brenvik::kVersionText);
        return 0;
    case brenvik::TCommandLine::caUsageError:
        std::fprintf(stderr, "brenvik: 不明なオプションです: %s\n%s", commandLine.BadOption.toLocal8Bit().constData(),
            brenvik::UsageText().toLocal8Bit().constData());
        return 2;
    case brenvik::TCommandLine::caRun:
        break;
    }

    brenvik::TApplication application(argc, argv);
    brenvik::TApplication::setWindowIcon(brenvik::ProgramIcon());
    brenvik::TApplication::setDesktopFileName(QStringLiteral(BRENVIK_APP_ID));
    trace.Mark("qt");
    trace.Prime("fonts", [] { QFontDatabase::families(); });
    // Before the window builds its phrase menus from the program folder.
    const QStringList seedFailures = brenvik::SeedProgramFolder(brenvik::ProgramFolder(), brenvik::SharedDataFolder());
    trace.Mark("seed");
    trace.Prime("settings", [] { brenvik::TSettingsFile().Value(QStringLiteral("Option/Version")); });
    brenvik::TDialogPrompts prompts;
    const brenvik::TInstalledPrompts installed(prompts);
    brenvik::TfrmMain window(&prompts);
    brenvik::InstallOptionCommands(window);
    trace.Mark("window");
    trace.WatchFirstPaint(window.Editor().viewport());
    window.show();
    if (!seedFailures.isEmpty())
        prompts.ShowWarning(&window, seedFailures.join(QStringLiteral("\n\n")));
    for (int i = 1; i < commandLine.Files.size(); ++i)
        window.OpenElsewhere(QFileInfo(commandLine.Files[i]).absoluteFilePath());
    // The recovery question comes after the window shows, over it.
    if (!commandLine.Recover.isEmpty())
        window.RestoreRecovery(QFileInfo(commandLine.Recover).absoluteFilePath());
    else
        window.OpenAtStart(commandLine.Files.value(0));
    // +LINE[:COL] puts the caret in the first file, once it is the window's document.
    if (commandLine.GoLine > 0 && !commandLine.Files.isEmpty()
        && window.Document().FileName() == QFileInfo(commandLine.Files.front()).absoluteFilePath()) {
        brenvik::SelectAtLineColumn(window.Document(), commandLine.GoLine, commandLine.GoColumn);
        window.Editor().ScrollCaret();
    }
    trace.Mark("loaded");
    return application.exec();
}
