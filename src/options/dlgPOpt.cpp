// The builder's settings dialog: its HTML colour items, sample and runner.
#include "options/dlgPOpt.h"

#include "app/SettingsFile.h"
#include "highlight/ConfiguredFountains.h"
#include "highlight/HTMLFountain.h"
#include "support/Prompts.h"

#include <QCheckBox>

namespace brenvik {

namespace {

// The HTML colours the dialog copies; "Brackets" carries the comment colour.
const std::vector<const char*> kHtmlColors {"Ampersand", "Brackets", "Mail", "Reserve", "Str", "TagAttribute",
    "TagAttributeValue", "TagColor", "TagElement", "Url"};

using TSource = TdlgOptionBase::TItemSource;

std::vector<TdlgOptionBase::TColorItem> HtmlItems()
{
    return {{"デフォルト", TSource::DefaultColor, nullptr}, {"タグ", TSource::Fountain, "TagColor"},
        {"タグエレメント", TSource::Fountain, "TagElement"}, {"タグ属性", TSource::Fountain, "TagAttribute"},
        {"タグ属性値", TSource::Fountain, "TagAttributeValue"}, {"コメント", TSource::Own, "Comment"},
        {"文字列", TSource::Fountain, "Str"}, {"予約語", TSource::Fountain, "Reserve"},
        {"メール", TSource::Fountain, "Mail"}, {"URL", TSource::Fountain, "Url"},
        {"特殊文字", TSource::Fountain, "Ampersand"}, {"EOFマーク", TSource::SampleMark, "EofMark"},
        {"Retマーク", TSource::SampleMark, "RetMark"}, {"Wrapマーク", TSource::SampleMark, "WrapMark"},
        {"Hideマーク", TSource::SampleMark, "HideMark"}, {"UnderLine", TSource::SampleMark, "Underline"}};
}

const char* const kHtmlSample = "<!-- 掲示板のフォーム -->\r\n"
                                "<a href=\"http://www.example.jp/\">ホームへ戻る</a>\r\n"
                                "<font color=\"red\">&copy; 2026 管理人</font>\r\n"
                                "連絡先: webmaster@example.jp\r\n";

} // namespace

TdlgPrintOption::TdlgPrintOption(QWidget* parent)
    : TdlgOptionBase(parent, ConfiguredFountain(ConfigureHTMLFountain), HtmlItems(), kHtmlSample)
    , FHTMLView(static_cast<THTMLFountain*>(&SampleFountain()))
{
    setObjectName(QStringLiteral("dlgPOpt"));
    setWindowTitle(QStringLiteral("Printフォームの設定"));
    MarkBox(5)->hide();
    MarkBox(6)->hide();
}

TdlgOptionBase::TEditedColor TdlgPrintOption::OwnColor(const char*)
{
    // Stored brackets may have lost the comment pair; the item then edits nothing.
    TFountainBracketCollection& brackets = *FHTMLView->Brackets();
    for (int i = 0; i < brackets.Count(); ++i) {
        TFountainBracketItem& item = brackets.Brackets(i);
        if (item.LeftBracket() == "<!--" && item.RightBracket() == "-->")
            return {item.ItemColor(), nullptr};
    }
    return {};
}

void TdlgPrintOption::Load(const TEditor& editor, const THTMLFountain& fountain, bool wordWrapWindow)
{
    LoadEditor(editor, fountain, wordWrapWindow, kHtmlColors);
}

void TdlgPrintOption::Store(TEditor& editor, THTMLFountain& fountain, bool& wordWrapWindow)
{
    StoreEditor(editor, fountain, wordWrapWindow, kHtmlColors);
}

bool RunPrintOptionDialog(QWidget* owner, const TPrintOptionTarget& target)
{
    TdlgPrintOption dialog(owner);
    dialog.Load(target.Editor, target.Fountain, target.WordWrapWindow);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.Store(target.Editor, target.Fountain, target.WordWrapWindow);
    if (!target.WriteSettings || target.WriteSettings())
        return false;
    Prompts().ShowError(owner, TSettingsFile::WriteFailure(target.SettingsFile));
    return false;
}

} // namespace brenvik
