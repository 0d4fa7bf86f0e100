// Word-wrap settings with their Shift_JIS default character sets.
#include "text/EditorWrapOption.h"

#include "text/ColumnModel.h"

#include <algorithm>

namespace brenvik {

namespace {
// 、。，．,.｡､
constexpr char kPunctuation[] = "\x81\x41\x81\x42\x81\x43\x81\x44,.\xA1\xA4";
// （［｛「『([{｢
constexpr char kLead[] = "\x81\x69\x81\x6D\x81\x6F\x81\x75\x81\x77([{\xA2";
// 、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ
constexpr char kFollow[] = "\x81\x41\x81\x42\x81\x43\x81\x44\x81\x45\x81\x48\x81\x49\x81\x4A\x81\x4B\x81\x52"
                           "\x81\x53\x81\x54\x81\x55\x81\x58\x81\x5B\x81\x6A\x81\x6E\x81\x70\x81\x76\x81\x78"
                           "!),.:;?]}\xA1\xA3\xA4\xA5\xB0\xDE\xDF";
} // namespace

TEditorWrapOption::TEditorWrapOption(QObject* parent)
    : TNotifyPersistent(parent)
    , FPunctuationStr(kPunctuation)
    , FLeadStr(kLead)
    , FFollowStr(kFollow)
{
}

void TEditorWrapOption::SetWrapByte(int value)
{
    SetField(FWrapByte, std::clamp(value, MinWrapByte, MaxWrapByte));
}

bool ContainsChar(std::string_view set, std::string_view character)
{
    if (character.empty())
        return false;
    for (std::size_t i = 0; i < set.size();) {
        std::size_t size = IsLeadByte(static_cast<unsigned char>(set[i])) && i + 1 < set.size() ? 2 : 1;
        if (set.substr(i, size) == character)
            return true;
        i += size;
    }
    return false;
}

} // namespace brenvik
