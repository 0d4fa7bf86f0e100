// The lines a print job reads: the editor's lines, or any list of Shift_JIS byte strings.
#pragma once

#include "jcode/SjisUnicode.h"

#include <string>
#include <vector>

namespace brenvik {

class TPrintLines {
public:
    virtual ~TPrintLines() = default;
    virtual int Count() const = 0;
    // Line index (0-based) as Shift_JIS bytes, without its line break.
    virtual std::string Line(int index) const = 0;
    // The characters the lines' codes stand for beyond code page 932 (a UTF-8 script's own).
    virtual const TDocumentChars& Chars() const { return NoDocumentChars(); }
};

class TVectorLines : public TPrintLines {
public:
    explicit TVectorLines(std::vector<std::string> lines)
        : FLines(std::move(lines))
    {
    }
    int Count() const override { return int(FLines.size()); }
    std::string Line(int index) const override { return FLines[std::size_t(index)]; }

private:
    std::vector<std::string> FLines;
};

} // namespace brenvik
