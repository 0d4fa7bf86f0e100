// Perl print statements built from lines of Shift_JIS text: what the print-statement builder
// inserts into the script. Pure functions over bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// The four output forms, in the order of the builder's "形式" menu.
enum class TPrintForm {
    pfDoubleQuoted = 1, // print "line\n" ;       (interpolates)
    pfSingleQuoted, // print 'line' . "\n" ;  (literal)
    pfHereDouble, // print <<"EOM"; ...     (interpolates)
    pfHereSingle, // print <<'EOM'; ...     (literal)
};

// The builder's text as lines; a final line break adds no empty line, an empty text has none.
std::vector<std::string> BuilderLines(std::string_view text);

// The statements for lines, each line followed by CR LF; empty for no lines. The one-line
// forms put alignment in front of every statement but the first; here-documents never indent.
// Perl reads the script as bytes, so the quoting keeps Shift_JIS trail bytes 0x5C ("\") and
// 0x40 ("@") from acting as escapes or array sigils.
std::string PrintStatements(
    const std::vector<std::string>& lines, TPrintForm form, std::string_view alignment);

// The here-document terminator: EOM, else EOM1, EOM2, ... the first equal to no body line.
std::string HereDocTerminator(const std::vector<std::string>& body);

} // namespace brenvik
