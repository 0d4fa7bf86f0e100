// Compiling an expression: rewritten for the document's lines and the options, wrapped so that a match
// never starts or ends inside a CR LF pair (and, for whole words, at word edges), then handed to the library.
#include "search/RegexPattern.h"

#include "search/RegexLibrary.h"
#include "search/RegexRewrite.h"
#include "support/LeadByte.h"

namespace brenvik {

namespace {

// Between the CR and the LF of one line break.
constexpr const char* NotInsideBreak = "(?!(?<=\\r)\\n)";
// Patterns up to this size have the place of an error looked for, one compile per character.
constexpr std::size_t MaxProbedBytes = 2'000;

std::string LibraryPattern(std::string_view pattern, TRegexOptions options)
{
    const TRewrittenExpression rewritten = RewriteExpression(pattern, options);
    if (!rewritten.Balanced)
        return rewritten.Pattern;
    std::string wrapped = NotInsideBreak;
    if (options.WholeWord)
        wrapped += WordStartCallout;
    wrapped += "(?:" + rewritten.Pattern + ")";
    if (options.WholeWord)
        wrapped += WordEndCallout;
    return wrapped + NotInsideBreak;
}

struct TCompiled {
    regex_t* Regex = nullptr;
    int Code = ONIG_NORMAL;
    std::string Reason;
};

TCompiled Compile(std::string_view pattern, TRegexOptions options, bool wrap = true)
{
    const std::string library = wrap ? LibraryPattern(pattern, options) : RewriteExpression(pattern, options).Pattern;
    OnigOptionType flags = ONIG_OPTION_CAPTURE_GROUP;
    if (options.IgnoreCase)
        flags |= ONIG_OPTION_IGNORECASE;
    OnigErrorInfo info {};
    TCompiled compiled;
    const auto* begin = reinterpret_cast<const OnigUChar*>(library.data());
    compiled.Code = onig_new(&compiled.Regex, begin, begin + library.size(), flags, ONIG_ENCODING_SJIS,
        RegexSyntax(), &info);
    if (compiled.Code != ONIG_NORMAL) {
        compiled.Regex = nullptr;
        OnigUChar reason[ONIG_MAX_ERROR_MESSAGE_LEN] {};
        onig_error_code_to_str(reason, compiled.Code, &info);
        compiled.Reason = reinterpret_cast<const char*>(reason);
    }
    return compiled;
}

// The first character at which a prefix of the pattern fails as the whole does: where the reader should look.
// The prefixes go unwrapped, since an unclosed class or group would take in the wrapping.
int ErrorColumn(std::string_view pattern, TRegexOptions options, int code)
{
    if (pattern.size() > MaxProbedBytes)
        return 0;
    int column = 0;
    for (std::size_t end = 0; end < pattern.size();) {
        end += IsLeadByte(static_cast<unsigned char>(pattern[end])) && end + 1 < pattern.size() ? 2 : 1;
        ++column;
        TCompiled prefix = Compile(pattern.substr(0, end), options, false);
        if (prefix.Regex)
            onig_free(prefix.Regex);
        else if (prefix.Code == code)
            return column;
    }
    return 0;
}

} // namespace

std::string TRegexError::Message(std::string_view reasonUtf8) const
{
    std::string message = "正規表現が正しくありません: ";
    if (TooLong)
        return message + "式が長すぎます（" + std::to_string(TRegexPattern::MaxPatternBytes) + " バイトまで）";
    message += reasonUtf8;
    if (Column > 0)
        message += "（" + std::to_string(Column) + " 文字目）";
    return message;
}

TRegexPattern::TRegexPattern(std::string_view pattern, TRegexOptions options)
    : source_(pattern)
    , options_(options)
{
    if (pattern.size() > MaxPatternBytes) {
        error_.TooLong = true;
        return;
    }
    TCompiled compiled = Compile(pattern, options);
    regex_ = compiled.Regex;
    if (!regex_)
        error_ = {compiled.Reason, ErrorColumn(pattern, options, compiled.Code), false};
}

TRegexPattern::~TRegexPattern()
{
    if (regex_)
        onig_free(regex_);
}

int TRegexPattern::GroupCount() const
{
    return regex_ ? onig_number_of_captures(regex_) : 0;
}

std::vector<int> TRegexPattern::GroupNumbers(std::string_view name) const
{
    if (!regex_ || name.empty())
        return {};
    int* numbers = nullptr;
    const auto* begin = reinterpret_cast<const OnigUChar*>(name.data());
    const int count = onig_name_to_group_numbers(regex_, begin, begin + name.size(), &numbers);
    if (count <= 0)
        return {};
    return std::vector<int>(numbers, numbers + count);
}

} // namespace brenvik
