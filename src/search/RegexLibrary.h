// The regular-expression library set up once for Shift_JIS: its syntax (Perl with named groups) and the
// callouts that apply literal search's whole-word rule inside a match. For the search layer's own files.
#pragma once

#include <oniguruma.h>

namespace brenvik {

// Initializes the library on first use; safe from any thread.
OnigSyntaxType* RegexSyntax();

// The callouts put around an expression searched as whole words; their user data is the searched
// TSearchText, so that a lone lead byte after the subject's end counts as the literal search counts it.
constexpr const char* WordStartCallout = "(*brenvik_word_start)";
constexpr const char* WordEndCallout = "(*brenvik_word_end)";

} // namespace brenvik
