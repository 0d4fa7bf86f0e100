// brenvik-grep: searches folders of scripts in mixed Japanese codes as Brenvik's find searches one script.
#include "grep/MakeGrepMatcher.h"
#include "grepcli/GrepCommandLine.h"
#include "grepcli/GrepPrinter.h"

#include <BuildInfo.h>

#include <cstdio>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace brenvik;

namespace {

// File names are printed, as grep prints them, unless the one path given is a file.
bool NamesFiles(const TGrepCommand& command)
{
    if (command.FileNames >= 0)
        return command.FileNames == 1;
    if (command.Paths.size() != 1 || command.Paths.front() == "-")
        return command.Paths.size() != 1;
    struct stat status {};
    return ::stat(command.Paths.front().c_str(), &status) != 0 || S_ISDIR(status.st_mode);
}

int Grep(const TGrepCommand& command)
{
    // Hits go out in large writes; the order of hits and words on standard error is kept by flushing.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    TPrintStyle style;
    style.Mode = command.Settings.Search.Mode;
    style.FileNames = NamesFiles(command);
    style.Color = command.Color == TColor::clAlways || (command.Color == TColor::clAuto && ::isatty(STDOUT_FILENO));
    style.Quiet = command.Quiet;
    TGrepPrinter printer(style, stdout, stderr);
    std::string error;
    const std::unique_ptr<TGrepMatcher> matcher
        = MakeGrepMatcher(command.Pattern, command.Flags, command.Expression, error);
    if (!matcher) {
        std::fprintf(stderr, "brenvik-grep: %s\n", error.c_str());
        return 2;
    }
    const TGrepTotals totals = RunGrep(command.Paths, *matcher, command.Settings, printer);
    if (std::fflush(stdout) != 0 || printer.OutputFailed()) {
        std::fprintf(stderr, "brenvik-grep: 標準出力に書き込めませんでした。\n");
        return 2;
    }
    if (totals.Failed > 0)
        return 2;
    return totals.Lines > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const TGrepCommand command = ParseGrepCommand(argc, argv);
        if (command.Help || command.Version) {
            std::fputs(command.Help ? kGrepUsage : "brenvik-grep " BRENVIK_VERSION "\n", stdout);
            return std::fflush(stdout) == 0 ? 0 : 2;
        }
        return Grep(command);
    } catch (const EGrepUsage& error) {
        std::fprintf(stderr, "brenvik-grep: %s (see --help)\n", error.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brenvik-grep: %s\n", error.what());
        return 2;
    }
}
