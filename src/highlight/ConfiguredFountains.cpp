// The configured colours and word lists of the program's highlighting definitions.
#include "highlight/ConfiguredFountains.h"

#include "highlight/HTMLFountain.h"
#include "highlight/PERLFountain.h"

namespace brenvik {

namespace {

void SetColor(TFountainColor* color, TColor bkColor, TColor fontColor, TFontStyles style)
{
    TUpdateBatch batch(*color);
    color->SetBkColor(bkColor);
    color->SetColor(fontColor);
    color->SetStyle(style);
}

} // namespace

void ConfigurePERLFountain(TPERLFountain& f)
{
    TUpdateBatch batch(f.NotifyList());
    f.Brackets()->Clear();
    f.FileExtList()->Assign(std::vector<std::string> {".cgi", ".pl", ".pm"});
    std::vector<std::string> words;
    for (const std::string& word : TPERLFountain::BuiltInReservedWords()) {
        if (word != "until")
            words.push_back(word);
    }
    TStringList list;
    list.Assign(words);
    f.SetReserveWordList(&list);

    SetColor(f.Reserve(), clNone, clNone, fsBold);
    SetColor(f.Ank(), clNone, clNone, 0);
    SetColor(f.Comment(), clNone, clBlue, 0);
    SetColor(f.DBCS(), clRed, clNone, 0);
    SetColor(f.Int(), clNone, clNone, 0);
    SetColor(f.Str(), clNone, clGreen, 0);
    SetColor(f.Symbol(), clNone, clFuchsia, 0);
    SetColor(f.Variable(), clNone, clGreen, fsBold);
    SetColor(f.Arrangement(), clNone, clPurple, fsBold);
    SetColor(f.AssocArr(), clNone, clNavy, fsBold);
    SetColor(f.SubRoutineCall(), clNone, clPurple, fsBold);
    SetColor(f.SubRoutine(), clNone, clPurple, fsBold);
    SetColor(f.SearchStr(), clLime, clNone, 0);
    SetColor(f.KeyWordStr(), clYellow, clNone, 0);
    SetColor(f.TrailBackslash(), clYellow, clRed, fsBold);
}

void ConfigureHTMLFountain(THTMLFountain& f)
{
    TUpdateBatch batch(f.NotifyList());
    f.FileExtList()->Assign(std::vector<std::string> {".htm", ".html"});
    f.ReserveWordList()->Clear();
    f.Brackets()->Clear();
    TFountainBracketItem& comment = f.Brackets()->AddBracket("<!--", "-->");
    SetColor(comment.ItemColor(), clNone, clBlue, 0);

    SetColor(f.Reserve(), clNone, clNone, fsBold);
    SetColor(f.Ampersand(), clNone, clMaroon, 0);
    SetColor(f.Mail(), clNone, clNavy, fsUnderline);
    SetColor(f.Str(), clNone, clRed, 0);
    SetColor(f.TagAttribute(), clNone, clTeal, 0);
    SetColor(f.TagAttributeValue(), clNone, clRed, 0);
    SetColor(f.TagColor(), clNone, clOlive, fsBold);
    SetColor(f.TagElement(), clNone, clFuchsia, 0);
    SetColor(f.Url(), clNone, clNavy, fsUnderline);
}

} // namespace brenvik
