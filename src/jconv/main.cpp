// brenvik-jconv: reports the codes the editor would decide for files, or converts a file as open-then-save
// would.
#include "jcode/ScriptFile.h"

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
       brenvik-jconv --to sjis|euc|jis [--eol crlf|cr|lf] FILE

Reads files exactly as Brenvik's open command does: the character code of the
whole file is decided by a majority of per-line detections, the line-break code
by the first 1024 bytes.

  --guess FILE...   print, per file, its name, character code (JIS, EUC, S-JIS;
                    none, binary or undecided never result from a whole file)
                    and line-break code (CRLF, CR, LF, or none), tab-separated
  --to CODE         write FILE to standard output converted to CODE, as
                    Brenvik's save command would write it
  --eol EOL         line end for --to; default: the one detected, CR LF when
                    the file has none
  --help            show this text

The input file is never written. Exit status: 0 on success, 1 on a file error,
2 on a usage error.
)";

// Output is gathered and written in blocks of this size.
constexpr std::size_t kOutputBlock = 1 << 20;

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

void WriteOut(std::string_view bytes)
{
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
        throw std::runtime_error(std::string("standard output: ") + std::strerror(errno));
    }
}

void Guess(const std::vector<std::string>& files, bool& failed)
{
    for (const std::string& file : files) {
        try {
            const TFileBytes bytes = TFileBytes::Read(file);
            const TStatedCodes codes = DecodeFileTo(bytes.View(), std::nullopt, [](std::string_view) {});
            std::string line = file + "\t" + std::string(JCodeName(codes.jcode)) + "\t"
                + std::string(RCodeName(codes.rcode)) + "\n";
            WriteOut(line);
        } catch (const EScriptFileError& error) {
            std::fprintf(stderr, "brenvik-jconv: %s\n", error.what());
            failed = true;
        }
    }
}

// The load path and the save path joined line by line, so the file is never held twice in Shift_JIS.
void Convert(const std::string& file, JCode target, std::optional<RCode> eol)
{
    const TFileBytes bytes = TFileBytes::Read(file);
    const RCode detected = DetectFileRCode(bytes.View());
    const RCode rcode = eol.value_or(detected == rcNone ? rcCrLf : detected);
    std::string out;
    out.reserve(kOutputBlock + kOutputBlock / 4);
    DecodeFileTo(bytes.View(), std::nullopt, [&](std::string_view line) {
        AppendEncodedLine(line, target, rcode, out);
        if (out.size() >= kOutputBlock) {
            WriteOut(out);
            out.clear();
        }
    });
    WriteOut(out);
    if (std::fflush(stdout) != 0) {
        throw std::runtime_error(std::string("standard output: ") + std::strerror(errno));
    }
}

struct TOptions {
    bool help = false;
    bool guess = false;
    std::optional<JCode> target;
    std::optional<RCode> eol;
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
        } else if (arg == "--guess") {
            options.guess = true;
        } else if (arg == "--to") {
            options.target = ParseTarget(OptionValue(argc, argv, i));
        } else if (arg == "--eol") {
            options.eol = ParseEol(OptionValue(argc, argv, i));
        } else {
            throw EUsage("unknown option '" + std::string(arg) + "'");
        }
    }
    if (options.help) {
        return options;
    }
    if (options.guess == options.target.has_value()) {
        throw EUsage("give either --guess or --to");
    }
    if (options.guess && options.eol) {
        throw EUsage("--eol goes with --to only");
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
        if (options.help) {
            WriteOut(kUsage);
            return 0;
        }
        if (options.guess) {
            bool failed = false;
            Guess(options.files, failed);
            return failed ? 1 : 0;
        }
        Convert(options.files.front(), *options.target, options.eol);
        return 0;
    } catch (const EUsage& error) {
        std::fprintf(stderr, "brenvik-jconv: %s (see --help)\n", error.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brenvik-jconv: %s\n", error.what());
        return 1;
    }
}
