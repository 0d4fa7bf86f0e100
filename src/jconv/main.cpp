// brenvik-jconv: reports the codes the editor would decide for files, or converts a file as open-then-save
// would.
#include "jcode/FileTranscode.h"
#include "jcode/ScriptFile.h"
#include "jcode/TextParts.h"

#include <BuildInfo.h>

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
       brenvik-jconv --to sjis|euc|jis|utf8 [--eol crlf|cr|lf] [--force] [-o OUT] FILE

Reads files exactly as Brenvik's open command does: a file that is valid UTF-8
with a multi-byte character or a byte-order mark is UTF-8; otherwise the
character code of the whole file is decided by a majority of per-line
detections. The line-break code is that of the first 1024 bytes.

  --guess FILE...   print, per file, its name, character code (JIS, EUC, S-JIS,
                    UTF-8, UTF-8 (BOM) for one that begins with a byte-order
                    mark, or binary when a byte below 8 or 0xFF is among the
                    first 512 bytes) and line-break code (CRLF, CR, LF, or
                    none), tab-separated
  --to CODE         write FILE to standard output converted to CODE, as
                    Brenvik's save command would write it (a UTF-8 file's
                    byte-order mark is kept; characters of a UTF-8 file
                    without a Shift_JIS code are written as user-defined
                    codes to the other codes, with a warning)
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
    case jcUtf8:
        return "UTF-8";
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
    if (name == "utf8") {
        return jcUtf8;
    }
    throw EUsage("unknown code for --to: '" + std::string(name) + "' (use sjis, euc, jis or utf8)");
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
            TStatedCodes codes {jcBinary, rcNone};
            if (!LooksBinary(window.View()))
                codes = DecideFileLoad(window.View(), std::nullopt).codes;
            const std::string bom = codes.jcode == jcUtf8 && codes.bom ? " (BOM)" : "";
            WriteOut(file + "\t" + std::string(JCodeName(codes.jcode)) + bom + "\t"
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

// A UTF-8 file read into Shift_JIS: its characters without a code of their own are held by the document's
// table, which a file in another code cannot carry.
void WarnOfDocumentChars(const std::string& file, const TDocumentChars& chars, JCode target)
{
    if (target != jcUtf8 && !chars.Empty()) {
        std::fprintf(stderr,
            "brenvik-jconv: %s: characters without a Shift_JIS code, or in a second form of one, were written"
            " as user-defined codes (F0 40 on)\n",
            file.c_str());
    }
}

// The load path and the save path joined: the codes are decided once and each line is decoded and
// encoded once. A file named with --output, and every UTF-8 file (whose lines are read with the table of
// the document's own characters), gets the image the editor's save writes; standard output gets the same
// bytes block by block.
void Convert(const std::string& file, const TConvert& convert)
{
    PrepareTextParts();
    TFileWindow window(file, TFileWindow::wkWhole);
    if (!convert.force && LooksBinary(window.View())) {
        throw EScriptFileError(file,
            "a binary file (a byte below 8 or 0xFF among its first 512 bytes); give --force to convert it "
            "anyway");
    }
    // Reserved for a mark every sixteen bytes, so that the marks are never moved: only the pages they fill
    // are touched, and every page touched costs a fault.
    std::vector<TLineSpan> marked;
    const bool markable = window.View().size() < kMarkableBytes;
    if (markable) {
        marked.reserve(window.View().size() / 16);
    }
    const TLoadDecision decision
        = DecideFileLoad(window.View(), std::nullopt, {}, markable ? &marked : nullptr);
    const RCode rcode = convert.eol.value_or(decision.codes.rcode == rcNone ? rcCrLf : decision.codes.rcode);
    if (convert.output || decision.source == TLineSource::lsUtf8) {
        TDocumentChars chars;
        const TStatedCodes codes {convert.target, rcode, decision.codes.bom};
        const std::string image = EncodeFileImage(TDecodedFileLines(window, decision, &chars), codes, chars);
        if (const std::optional<TUnheldChar>& unheld = chars.Unheld()) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(unheld->c));
            throw EScriptFileError(file,
                "more characters without a Shift_JIS code than the 1,880 user-defined codes hold; the first "
                "not"
                " held is "
                    + std::string(code) + " on line " + std::to_string(unheld->line) + ": nothing written");
        }
        WarnOfDocumentChars(file, chars, convert.target);
        if (convert.output) {
            WriteFileImage(*convert.output, image);
        } else {
            WriteOut(image);
        }
        return;
    }
    TranscodeFileBytes(
        window.View(), decision.source, convert.target, rcode, WriteOut, markable ? &marked : nullptr);
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
