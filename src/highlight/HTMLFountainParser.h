// The HTML tokenizer: tag punctuation, element and attribute names, values, entities.
#pragma once

#include "highlight/FountainParser.h"

namespace brenvik {

class THTMLFountain;

enum THTMLTokenKind : int {
    tkTagOpen = 50, // <
    tkTagClose = 51, // >
    tkElement = 52, // element name, with the slash of an end tag
    tkAttribute = 53, // attribute name
    tkEquals = 54, // = inside a tag
    tkAttributeValue = 55, // unquoted attribute value
    tkEntity = 56, // &name; or &#number;
};

// Element: 1 inside a tag, 0 outside. LastKind: the kind of the previous non-empty token.
// Both travel in the row states, so a tag may span lines.
class THTMLFountainParser : public TFountainParser {
public:
    explicit THTMLFountainParser(THTMLFountain* fountain);

    int ReadToken() override;
    TFountainColor* TokenColor() override;

protected:
    void DispatchByChar() override;

private:
    bool InsideTag() const { return Element() == 1; }
    void ScanEntity();
    void ScanSlash();
    void ResumeAttributeName();
    void ScanEquals();
    void ScanAttributeValue();
    void ResumeElementName();
    void ScanTagClose();
    void ScanTagOpen();
    // Inside a tag, the kind a token takes from the one before it.
    void AdjustKind();

    THTMLFountain& FHTMLFountain;
};

} // namespace brenvik
