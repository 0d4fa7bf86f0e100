// Library set-up and the whole-word callouts.
#include "search/RegexLibrary.h"

#include "search/SearchText.h"
#include "search/WordDelimiters.h"

#include <cstring>
#include <mutex>

namespace brenvik {

namespace {

const TSearchText& TextOf(void* userData)
{
    return *static_cast<const TSearchText*>(userData);
}

std::int64_t Position(OnigCalloutArgs* args)
{
    return onig_get_current_by_callout_args(args) - onig_get_string_by_callout_args(args);
}

// As literal whole-word search: the first byte is a word byte and the byte before it a delimiter.
int WordStart(OnigCalloutArgs* args, void* userData)
{
    const TSearchText& text = TextOf(userData);
    const std::int64_t pos = Position(args);
    const bool start = !IsWordDelimiter(text.At(pos)) && (pos == 0 || IsWordDelimiter(text.At(pos - 1)));
    return start ? ONIG_CALLOUT_SUCCESS : ONIG_CALLOUT_FAIL;
}

// The byte after the match is a delimiter; the end of the text counts as one.
int WordEnd(OnigCalloutArgs* args, void* userData)
{
    return IsWordDelimiter(TextOf(userData).At(Position(args))) ? ONIG_CALLOUT_SUCCESS : ONIG_CALLOUT_FAIL;
}

void Register(const char* callout, OnigCalloutFunc function)
{
    // The name between "(*" and ")".
    const auto* name = reinterpret_cast<const OnigUChar*>(callout + 2);
    onig_set_callout_of_name(ONIG_ENCODING_SJIS, ONIG_CALLOUT_TYPE_SINGLE, const_cast<OnigUChar*>(name),
        const_cast<OnigUChar*>(name + std::strlen(callout) - 3), ONIG_CALLOUT_IN_PROGRESS, function, nullptr, 0,
        nullptr, 0, nullptr);
}

} // namespace

OnigSyntaxType* RegexSyntax()
{
    static OnigSyntaxType syntax;
    static std::once_flag once;
    std::call_once(once, [] {
        OnigEncoding encodings[] = {ONIG_ENCODING_SJIS};
        onig_initialize(encodings, 1);
        onig_copy_syntax(&syntax, ONIG_SYNTAX_PERL_NG);
        // Named callouts carry the whole-word rule.
        onig_set_syntax_op2(&syntax, onig_get_syntax_op2(&syntax) | ONIG_SYN_OP2_ASTERISK_CALLOUT_NAME);
        Register(WordStartCallout, WordStart);
        Register(WordEndCallout, WordEnd);
    });
    return &syntax;
}

} // namespace brenvik
