// The tokenizer of the editor's built-in definition: comments, quotes, hex numbers, control codes.
#pragma once

#include "highlight/FountainParser.h"

#include <string>

namespace brenvik {

class TEditorFountain;

enum TEditorTokenKind : int {
    tkQuotation = 26, // string in the configured quote
    tkControlDecimal = 27, // #13
    tkControlHex = 28, // #$0D
};

class TEditorParser : public TFountainParser {
public:
    explicit TEditorParser(TEditorFountain* fountain);

    TFountainColor* TokenColor() override;

protected:
    void DispatchByChar() override;

private:
    bool MatchQuotation();
    void ScanQuotation();
    bool MatchCommenter();
    bool MatchHexPrefix();
    bool MatchControlHex();
    void ScanControlHex();
    bool MatchControlDecimal();
    void ScanControlDecimal();

    TEditorFountain& FEditorFountain;
    // The settings are read once per pass.
    std::string FCommenter;
    std::string FQuotation;
    std::string FHexPrefix;
    bool FControlCode;
    bool FMail;
    bool FUrl;
};

} // namespace brenvik
