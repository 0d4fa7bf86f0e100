// The HTML highlighting definition: its colours, default extensions and the comment bracket.
#include "highlight/HTMLFountain.h"

#include "highlight/HTMLFountainParser.h"

namespace brenvik {

THTMLFountain::THTMLFountain(QObject* owner)
    : TFountain(owner)
    , FAmpersand(CreateColor())
    , FMail(CreateColor())
    , FStr(CreateColor())
    , FTagAttribute(CreateColor())
    , FTagAttributeValue(CreateColor())
    , FTagColor(CreateColor())
    , FTagElement(CreateColor())
    , FUrl(CreateColor())
{
    InitFileExtList();
    Brackets()->AddBracket("<!--", "-->");
}

THTMLFountain::~THTMLFountain() = default;

void THTMLFountain::InitFileExtList()
{
    for (const char* ext : {".htm", ".html"})
        FileExtList()->Add(ext);
}

std::unique_ptr<TFountainParser> THTMLFountain::CreateParser()
{
    return std::make_unique<THTMLFountainParser>(this);
}

} // namespace brenvik
