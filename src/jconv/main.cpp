// brenvik-jconv: reports the codes the editor would decide for files, or converts a file as open-then-save
// would.
#include "jcode/FileTranscode.h"
#include "jcode/ScriptFile.h"
#include "jcode/SystemReason.h"
#include "jcode/TextParts.h"

#include <BuildInfo.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

using namespace brenvik;

namespace {

constexpr std::string_view kUsage = R"(使い方: brenvik-jconv --guess ファイル...
        brenvik-jconv --to sjis|euc|jis|utf8 [--eol crlf|cr|lf] [--force]
                      [--max-size バイト数] [-o 出力先] ファイル

Brenvik の「開く」と同じ読み方でファイルを読みます。UTF-8 として正しく、
マルチバイト文字かバイトオーダーマークを含むファイルは UTF-8、それ以外は
行ごとの判定の多数決でファイル全体の文字コードを決めます。改行コードは
ファイルで最初に現れる改行のものです。

  --guess ファイル...  ファイルごとに名前、文字コード（JIS、EUC、S-JIS、
                       UTF-8、バイトオーダーマークで始まるものは UTF-8 (BOM)、
                       先頭 512 バイトに 8 未満のバイトか 0xFF があれば
                       binary）、改行コード（CRLF、CR、LF、なし は none）を
                       タブ区切りで書きます
  --to コード          ファイルを Brenvik の保存と同じようにコードへ変換して
                       標準出力へ書きます。ファイル自身のコードへの変換（--eol
                       なし）は、何も編集せずに保存したときと同じく元のバイト
                       のままです。UTF-8 ファイルのバイトオーダーマークは
                       残ります。Shift_JIS にない文字は外字のコードで書き、
                       警告します
  --eol 改行           --to の改行コード。省略時はファイルの最初の改行のもの
                       （改行がなければ CR LF）
  --force              --guess が binary とするファイルも --to で変換します
  --max-size バイト数  読むファイルの上限（K、M、G を付けられます。
                       省略時 2G = 2 GiB）。これより大きいものは読みません
  -o, --output 出力先  標準出力の代わりに出力先へ書きます（すべて書けてから
                       置き換えます）
  --version            版を表示します
  --help               この説明を表示します

ファイルに - を指定すると標準入力を読みます。通常のファイルと標準入力の
ほかは読みません。入力ファイルには書きません。終了状態: 成功 0、ファイル
のエラー 1、使い方の誤り 2。
)";

// Enough for any script; a device that never ends, or a pipe fed by one, stops here.
constexpr std::size_t kDefaultMaxBytes = std::size_t {2} << 30;

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
    throw EUsage("--to のコード「" + std::string(name) + "」がわかりません（sjis、euc、jis、utf8 のどれか）");
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
    throw EUsage("--eol の改行「" + std::string(name) + "」がわかりません（crlf、cr、lf のどれか）");
}

std::size_t ParseSize(std::string_view text)
{
    std::size_t unit = 1;
    if (!text.empty() && std::string_view("KMG").find(text.back()) != std::string_view::npos) {
        unit = std::size_t {1} << (10 * (std::string_view("KMG").find(text.back()) + 1));
        text.remove_suffix(1);
    }
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > SIZE_MAX / unit) {
        throw EUsage("--max-size の値「" + std::string(text) + "」がバイト数ではありません");
    }
    return value * unit;
}

[[noreturn]] void FailOutput()
{
    throw std::runtime_error("標準出力: " + SystemReason(errno, TFileAct::Write));
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

// Only a regular file or standard input is read: a device or a pipe by name may never end.
void CheckReadable(const std::string& file)
{
    struct stat info { };
    if (file != "-" && ::stat(file.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) {
        throw EScriptFileError(file, "通常のファイルではないので読みません。");
    }
}

void Guess(const std::vector<std::string>& files, std::size_t maxBytes, bool& failed)
{
    for (const std::string& file : files) {
        try {
            CheckReadable(file);
            TFileWindow window(file, TFileWindow::wkWindow, maxBytes);
            TStatedCodes codes {jcBinary, rcNone};
            if (!LooksBinary(window.View()))
                codes = DecideFileLoad(window.View(), std::nullopt).codes;
            const std::string bom = codes.jcode == jcUtf8 && codes.bom ? " (BOM)" : "";
            WriteOut(file + "\t" + std::string(JCodeName(codes.jcode)) + bom + "\t"
                + std::string(RCodeName(DetectRCode(window.View()))) + "\n");
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
    std::size_t maxBytes = kDefaultMaxBytes;
};

// A UTF-8 file read into Shift_JIS: its characters without a code are held by the document's table, which a
// file in another code cannot carry (a second form of a code is written as that code).
void WarnOfDocumentChars(const std::string& file, const TDocumentChars& chars, JCode target)
{
    if (target != jcUtf8 && chars.HasCharsWithoutCode()) {
        std::fprintf(stderr,
            "brenvik-jconv: %s: Shift_JIS にない文字を外字のコード（F0 40 から）で書きました。\n", file.c_str());
    }
}

// The load path and the save path joined: the codes are decided once and each line is decoded and
// encoded once. A file named with --output, and every UTF-8 file (whose lines are read with the table of
// the document's own characters), gets the image the editor's save writes; standard output gets the same
// bytes block by block.
void Convert(const std::string& file, const TConvert& convert)
{
    PrepareTextParts();
    CheckReadable(file);
    TFileWindow window(file, TFileWindow::wkWhole, convert.maxBytes);
    if (!convert.force && LooksBinary(window.View())) {
        throw EScriptFileError(file,
            "バイナリファイルのようです（先頭 512 バイトに 8 未満のバイトか 0xFF があります）。"
            "変換するには --force を付けてください。");
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
    // Written in its own code, a file is what the editor's save of it unchanged gives: every line as found.
    if (convert.target == decision.codes.jcode && !convert.eol) {
        if (convert.output) {
            WriteFileImage(*convert.output, window.View());
        } else {
            WriteOut(window.View());
        }
        return;
    }
    // The line end is the file's first, wherever it comes, as the editor's.
    const RCode first = DetectRCode(window.View());
    const RCode rcode = convert.eol.value_or(first == rcNone ? rcCrLf : first);
    if (convert.output || decision.source == TLineSource::lsUtf8) {
        TDocumentChars chars;
        const TStatedCodes codes {convert.target, rcode, decision.codes.bom};
        const std::string image = EncodeFileImage(TDecodedFileLines(window, decision, &chars), codes, chars);
        if (const std::optional<TUnheldChar>& unheld = chars.Unheld()) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(unheld->c));
            throw EScriptFileError(file,
                "Shift_JIS にない文字が外字のコード（1,880 文字）に収まるより多くあります。最初に収まらなかった"
                "文字は "
                    + std::string(code) + "（" + std::to_string(unheld->line) + " 行目）です。何も書いていません。");
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
        throw EUsage(std::string(argv[i]) + " には値が要ります");
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
        } else if (arg == "--max-size") {
            options.convert.maxBytes = ParseSize(OptionValue(argc, argv, i));
        } else {
            throw EUsage("オプション「" + std::string(arg) + "」はありません");
        }
    }
    if (options.help || options.version) {
        return options;
    }
    if (options.guess == options.target.has_value()) {
        throw EUsage("--guess か --to のどちらかを指定してください");
    }
    if (options.guess && (options.convert.eol || options.convert.force || options.convert.output)) {
        throw EUsage("--eol、--force、--output は --to と一緒にだけ使えます");
    }
    if (options.files.empty()) {
        throw EUsage("入力ファイルがありません");
    }
    if (options.target && options.files.size() != 1) {
        throw EUsage("--to で変換するファイルは一つだけです");
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
            Guess(options.files, options.convert.maxBytes, failed);
            FlushOut();
            return failed ? 1 : 0;
        }
        TConvert convert = options.convert;
        convert.target = *options.target;
        Convert(options.files.front(), convert);
        FlushOut();
        return 0;
    } catch (const EUsage& error) {
        std::fprintf(stderr, "brenvik-jconv: %s（--help を参照）\n", error.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brenvik-jconv: %s\n", error.what());
        return 1;
    }
}
