// Parsing brenvik-grep's arguments: short options may be joined ("-il"), long ones take "=VALUE" or the
// next argument; the first argument that is no option is the pattern.
#include "grepcli/GrepCommandLine.h"

#include "jcode/SjisUnicode.h"

#include <QString>

#include <charconv>
#include <optional>
#include <string_view>

namespace brenvik {

const char* const kGrepUsage = R"(usage: brenvik-grep [OPTION...] PATTERN [PATH...]

Searches every file under the PATHs (folders are walked, links followed; the
current folder when none is given, - for standard input) for PATTERN, reading
each file in its own Japanese code (Shift_JIS, EUC-JP, JIS or UTF-8, decided
as Brenvik's open command decides it) and searching it as Brenvik's find
does. Each matching line is printed once, in UTF-8, as PATH:LINE:COLUMN:TEXT;
COLUMN counts the bytes of the line in Shift_JIS from 1 (a full-width
character counts two), as the editor's caret does: brenvik +LINE:COLUMN PATH
opens the file there.

  -F, --fixed-strings    PATTERN is a literal text (the default)
  -E, --extended-regexp  PATTERN is a regular expression (Perl's syntax,
                         matched in Shift_JIS: . is one character, never a
                         byte of one)
  -i, --ignore-case      upper and lower case alike
      --width            full-width and half-width characters alike
  -w, --word-regexp      whole words only
      --code CODE        read every file in CODE (sjis, euc, jis, utf8)
                         rather than in the code detected per file (auto)
  -a, --text             search binary files too (a NUL byte, or a control
                         byte among the first 512 bytes, marks one)
  -l, --files-with-matches  print only the names of files with a match
  -c, --count            print each file's number of matching lines
  -g, --glob GLOB        search only files whose name matches GLOB
                         ("*.cgi"); repeatable; !GLOB leaves files out
      --max-depth N      enter at most N folders below a PATH
      --max-filesize N   skip files larger than N bytes (K, M, G suffixes;
                         default 512M)
  -j, --threads N        search N files at once (default: one per processor)
      --color[=WHEN]     mark matches: auto (on a terminal), always, never
  -H, --with-filename    print the file name even for one file
  -h, --no-filename      never print file names
  -s, --no-messages      say nothing of files skipped or not readable
  -r, -R, --recursive    accepted: folders are always walked
      --version          print the version
      --help             show this text

FIFOs, devices, files over the size limit and link loops are skipped with a
word on standard error; so are files that cannot be read. Bytes without a
character print as U+FFFD. Exit status: 0 when a line matched, 1 when none
did, 2 when a file could not be read or the arguments are wrong.
)";

namespace {

int ParseCount(std::string_view option, std::string_view value)
{
    int count = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), count);
    if (error != std::errc() || end != value.data() + value.size() || count < 0)
        throw EGrepUsage(std::string(option) + " needs a number, not '" + std::string(value) + "'");
    return count;
}

std::uint64_t ParseSize(std::string_view value)
{
    std::uint64_t size = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), size);
    const std::string_view suffix(end, value.data() + value.size() - end);
    int shift = -1;
    if (suffix.empty())
        shift = 0;
    else if (suffix == "K" || suffix == "k")
        shift = 10;
    else if (suffix == "M" || suffix == "m")
        shift = 20;
    else if (suffix == "G" || suffix == "g")
        shift = 30;
    // The searched text is addressed with 32-bit offsets.
    if (error != std::errc() || shift < 0 || end == value.data() || size > (std::uint64_t {2} << 30 >> shift) - 1)
        throw EGrepUsage("--max-filesize needs a size below 2G, not '" + std::string(value) + "'");
    return size << shift;
}

std::optional<TStatedCodes> ParseCode(std::string_view value)
{
    if (value == "auto")
        return std::nullopt;
    if (value == "sjis")
        return TStatedCodes {jcSjis, rcCrLf};
    if (value == "euc")
        return TStatedCodes {jcEuc, rcCrLf};
    if (value == "jis")
        return TStatedCodes {jcJis, rcCrLf};
    if (value == "utf8")
        return TStatedCodes {jcUtf8, rcCrLf};
    throw EGrepUsage("unknown code for --code: '" + std::string(value) + "' (use auto, sjis, euc, jis or utf8)");
}

TColor ParseColor(std::string_view value)
{
    if (value == "auto")
        return TColor::clAuto;
    if (value == "always")
        return TColor::clAlways;
    if (value == "never")
        return TColor::clNever;
    throw EGrepUsage("unknown value for --color: '" + std::string(value) + "' (use auto, always or never)");
}

// The pattern as typed (the terminal's UTF-8) in Shift_JIS, the code every file is searched in.
std::string SjisPattern(const char* typed)
{
    const QString pattern = QString::fromLocal8Bit(typed);
    if (pattern.isEmpty())
        throw EGrepUsage("the pattern is empty");
    if (pattern.contains(QLatin1Char('\n')) || pattern.contains(QLatin1Char('\r')))
        throw EGrepUsage("the pattern holds a line break; lines are searched one by one");
    const std::optional<std::string> bytes = UnicodeToSjis(pattern);
    if (!bytes)
        throw EGrepUsage("the pattern holds a character without a Shift_JIS code, which no file can hold");
    return *bytes;
}

class TArguments {
public:
    TArguments(int argc, char** argv)
        : argc_(argc)
        , argv_(argv)
    {
    }
    bool More() const { return next_ < argc_; }
    std::string_view Next() { return argv_[next_++]; }
    const char* NextRaw() { return argv_[next_++]; }
    // The value of an option: joined to it (after "=", or after a short option's letter), or the next
    // argument.
    std::string_view Value(std::string_view option, const std::string_view* joined)
    {
        if (joined)
            return *joined;
        if (!More())
            throw EGrepUsage("option " + std::string(option) + " needs a value");
        return Next();
    }

private:
    int argc_;
    char** argv_;
    int next_ = 1;
};

class TParser {
public:
    TParser(int argc, char** argv)
        : arguments_(argc, argv)
    {
    }

    TGrepCommand Parse()
    {
        bool options = true;
        std::optional<std::string> pattern;
        while (arguments_.More()) {
            const std::string_view argument = arguments_.Next();
            if (options && argument == "--")
                options = false;
            else if (options && argument.starts_with("--"))
                Long(argument);
            else if (options && argument.size() > 1 && argument[0] == '-')
                Shorts(argument);
            else if (!pattern)
                pattern = std::string(argument);
            else
                command_.Paths.emplace_back(argument);
            if (command_.Help || command_.Version)
                return command_;
        }
        if (!pattern)
            throw EGrepUsage("no pattern given");
        command_.Pattern = SjisPattern(pattern->c_str());
        if (command_.Paths.empty())
            command_.Paths.emplace_back(".");
        return command_;
    }

private:
    void Long(std::string_view argument)
    {
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const std::string_view value = equals == std::string_view::npos ? std::string_view() : argument.substr(equals + 1);
        const std::string_view* joined = equals == std::string_view::npos ? nullptr : &value;
        TGrepSettings& settings = command_.Settings;
        if (name == "--color" || name == "--colour") {
            command_.Color = joined ? ParseColor(*joined) : TColor::clAuto;
            return;
        }
        if (name == "--code")
            settings.Search.Code = ParseCode(arguments_.Value(name, joined));
        else if (name == "--glob")
            settings.Walk.Globs.emplace_back(arguments_.Value(name, joined));
        else if (name == "--max-depth")
            settings.Walk.MaxDepth = ParseCount(name, arguments_.Value(name, joined));
        else if (name == "--max-filesize")
            settings.MaxBytes = ParseSize(arguments_.Value(name, joined));
        else if (name == "--threads")
            settings.Threads = static_cast<unsigned>(ParseCount(name, arguments_.Value(name, joined)));
        else if (joined)
            throw EGrepUsage("option " + std::string(name) + " takes no value");
        else if (!Flag(name))
            throw EGrepUsage("unknown option '" + std::string(argument) + "'");
    }

    void Shorts(std::string_view argument)
    {
        for (std::size_t i = 1; i < argument.size(); ++i) {
            const char letter = argument[i];
            // An option with a value takes the rest of the argument, or the next one.
            if (letter == 'g' || letter == 'j') {
                const std::string_view rest = argument.substr(i + 1);
                const std::string name = std::string("-") + letter;
                const std::string_view value = arguments_.Value(name, rest.empty() ? nullptr : &rest);
                if (letter == 'g')
                    command_.Settings.Walk.Globs.emplace_back(value);
                else
                    command_.Settings.Threads = static_cast<unsigned>(ParseCount(name, value));
                return;
            }
            if (!Flag(std::string("-") + letter))
                throw EGrepUsage(std::string("unknown option '-") + letter + "'");
        }
    }

    // An option without a value; false when there is no such option.
    bool Flag(std::string_view name)
    {
        TGrepSettings& settings = command_.Settings;
        if (name == "--help")
            command_.Help = true;
        else if (name == "--version")
            command_.Version = true;
        else if (name == "-F" || name == "--fixed-strings")
            command_.Expression = false;
        else if (name == "-E" || name == "--extended-regexp")
            command_.Expression = true;
        else if (name == "-i" || name == "--ignore-case")
            command_.Flags = command_.Flags.Bits() & ~TSearchFlags::MatchCase;
        else if (name == "--width")
            command_.Flags = command_.Flags.Bits() | TSearchFlags::NoMatchZenkaku;
        else if (name == "-w" || name == "--word-regexp")
            command_.Flags = command_.Flags.Bits() | TSearchFlags::WholeWord;
        else if (name == "-a" || name == "--text")
            settings.Search.SearchBinary = true;
        else if (name == "-l" || name == "--files-with-matches")
            settings.Search.Mode = TGrepMode::gmFileNames;
        else if (name == "-c" || name == "--count")
            settings.Search.Mode = TGrepMode::gmCount;
        else if (name == "-H" || name == "--with-filename")
            command_.FileNames = 1;
        else if (name == "-h" || name == "--no-filename")
            command_.FileNames = 0;
        else if (name == "-s" || name == "--no-messages")
            command_.Quiet = true;
        else if (name == "-r" || name == "-R" || name == "--recursive")
            return true;
        else
            return false;
        return true;
    }

    TArguments arguments_;
    TGrepCommand command_;
};

} // namespace

TGrepCommand ParseGrepCommand(int argc, char** argv)
{
    return TParser(argc, argv).Parse();
}

} // namespace brenvik
