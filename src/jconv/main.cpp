// brenvik-jconv: reports the codes the editor would decide for files, or converts a file as open-then-save
// would.
#include "jcode/FileTranscode.h"
#include "jcode/ScriptFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using namespace brenvik;

namespace {

constexpr std::string_view kUsage = R"(usage: brenvik-jconv --guess FILE...
       brenvik-jconv --to sjis|euc|jis [--eol crlf|cr|lf] [--force] [-o OUT] FILE

Reads files exactly as Brenvik's open command does: the character code of the
whole file is decided by a majority of per-line detections, the line-break code
by the first 1024 bytes.

  --guess FILE...   print, per file, its name, character code (JIS, EUC, S-JIS,
                    or binary when a byte below 8 or 0xFF is among the first
                    512 bytes) and line-break code (CRLF, CR, LF, or none),
                    tab-separated
  --to CODE         write FILE to standard output converted to CODE, as
                    Brenvik's save command would write it
  --eol EOL         line end for --to; default: the one detected, CR LF when
                    the file has none
  --force           convert with --to even a file that --guess calls binary
  -o, --output OUT  write to OUT (replaced only once all is written) instead
                    of standard output
  --version         print the version
  --help            show this text

FILE may be - for standard input. The input file is never written. Exit
status: 0 on success, 1 on a file error, 2 on a usage error.
)";

class EUsage : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string_view JCodeName(JCode jcode)
{
    switch (jcode) {
    case jcBinary:
        return "binary";
    case jcJis:
    case jcOldJis:
        return "JIS";
    case jcEuc:
        return "EUC";
    case jcSjis:
        return "S-JIS";
    case jcUndecided:
        return "undecided";
    default:
        return "none";
    }
}

std::string_view RCodeName(RCode rcode)
{
    switch (rcode) {
    case rcCrLf:
        return "CRLF";
    case rcCr:
        return "CR";
    case rcLf:
        return "LF";
    default:
        return "none";
    }
}

JCode ParseTarget(std::string_view name)
{
    if (name == "sjis") {
        return jcSjis;
    }
    if (name == "euc") {
        return jcEuc;
    }
    if (name == "jis") {
        return jcJis;
    }
    throw EUsage("unknown code for --to: '" + std::string(name) + "' (use sjis, euc or jis)");
}

RCode ParseEol(std::string_view name)
{
    if (name == "crlf") {
        return rcCrLf;
    }
    if (name == "cr") {
        return rcCr;
    }
    if (name == "lf") {
        return rcLf;
    }
    throw EUsage("unknown line end for --eol: '" + std::string(name) + "' (use crlf, cr or lf)");
}

[[noreturn]] void FailOutput()
{
    throw std::runtime_error(std::string("standard output: ") + std::strerror(errno));
}

void WriteOut(std::string_view bytes)
{
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
        FailOutput();
    }
}

// Buffered output fails here at the latest, on a full disk for instance.
void FlushOut()
{
    if (std::fflush(stdout) != 0) {
        FailOutput();
    }
}

// A file whose first bytes detect as binary is no script: --guess says so and --to leaves it alone.
bool LooksBinary(std::string_view bytes)
{
    return DetectJCode(bytes.substr(0, std::min(bytes.size(), kBinaryScanLimit))) == jcBinary;
}

void Guess(const std::vector<std::string>& files, bool& failed)
{
    for (const std::string& file : files) {
        try {
            TFileWindow window(file);
            const JCode jcode = LooksBinary(window.View())
                ? jcBinary
                : DecideFileLoad(window.View(), std::nullopt).codes.jcode;
            WriteOut(file + "\t" + std::string(JCodeName(jcode)) + "\t"
                + std::string(RCodeName(DetectFileRCode(window.View()))) + "\n");
        } catch (const EScriptFileError& error) {
            std::fprintf(stderr, "brenvik-jconv: %s\n", error.what());
            failed = true;
        }
    }
}

struct TConvert {
    JCode target = jcSjis;
    std::optional<RCode> eol;
    bool force = false;
    std::optional<std::string> output;
};

// The load path and the save path joined: the codes are decided once and each line is decoded and
// encoded once. A file named with --output gets the image the editor's save writes; standard output
// gets the same bytes block by block.
void Convert(const std::string& file, const TConvert& convert)
{
    TFileWindow window(file, TFileWindow::wkWhole);
    if (!convert.force && LooksBinary(window.View())) {
        throw EScriptFileError(file,
            "a binary file (a byte below 8 or 0xFF among its first 512 bytes); give --force to convert it anyway");
    }
    // Reserved for a mark every sixteen bytes, so that the marks are never moved: only the pages they fill
    // are touched, and every page touched costs a fault.
    std::vector<TLineSpan> marked;
    const bool markable = window.View().size() < kMarkableBytes;
    if (markable) {
        marked.reserve(window.View().size() / 16);
    }
    const TLoadDecision decision = DecideFileLoad(window.View(), std::nullopt, {}, markable ? &marked : nullptr);
    const RCode rcode = convert.eol.value_or(decision.codes.rcode == rcNone ? rcCrLf : decision.codes.rcode);
    if (convert.output) {
        WriteFileImage(
            *convert.output, EncodeFileImage(TDecodedFileLines(window, decision), convert.target, rcode));
        return;
    }
    TranscodeFileBytes(window.View(), decision.source, convert.target, rcode, WriteOut, markable ? &marked : nullptr);
}

struct TOptions {
    bool help = false;
    bool version = false;
    bool guess = false;
    std::optional<JCode> target;
    TConvert convert;
    std::vector<std::string> files;
};

std::string_view OptionValue(int argc, char** argv, int& i)
{
    if (i + 1 >= argc) {
        throw EUsage(std::string("option ") + argv[i] + " needs a value");
    }
    return argv[++i];
}

TOptions ParseOptions(int argc, char** argv)
{
    TOptions options;
    bool onlyFiles = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (onlyFiles || arg.empty() || arg[0] != '-' || arg == "-") {
            options.files.emplace_back(arg);
        } else if (arg == "--") {
            onlyFiles = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--force") {
            options.convert.force = true;
        } else if (arg == "-o" || arg == "--output") {
            options.convert.output = std::string(OptionValue(argc, argv, i));
        } else if (arg == "--guess") {
            options.guess = true;
        } else if (arg == "--to") {
            options.target = ParseTarget(OptionValue(argc, argv, i));
        } else if (arg == "--eol") {
            options.convert.eol = ParseEol(OptionValue(argc, argv, i));
        } else {
            throw EUsage("unknown option '" + std::string(arg) + "'");
        }
    }
    if (options.help || options.version) {
        return options;
    }
    if (options.guess == options.target.has_value()) {
        throw EUsage("give either --guess or --to");
    }
    if (options.guess && (options.convert.eol || options.convert.force || options.convert.output)) {
        throw EUsage("--eol, --force and --output go with --to only");
    }
    if (options.files.empty()) {
        throw EUsage("no input file given");
    }
    if (options.target && options.files.size() != 1) {
        throw EUsage("--to converts exactly one file");
    }
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const TOptions options = ParseOptions(argc, argv);
        if (options.help || options.version) {
            WriteOut(options.help ? kUsage : "brenvik-jconv " BRENVIK_VERSION "\n");
            FlushOut();
            return 0;
        }
        if (options.guess) {
            bool failed = false;
            Guess(options.files, failed);
            FlushOut();
            return failed ? 1 : 0;
        }
        TConvert convert = options.convert;
        convert.target = *options.target;
        Convert(options.files.front(), convert);
        FlushOut();
        return 0;
    } catch (const EUsage& error) {
        std::fprintf(stderr, "brenvik-jconv: %s (see --help)\n", error.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brenvik-jconv: %s\n", error.what());
        return 1;
    }
}
