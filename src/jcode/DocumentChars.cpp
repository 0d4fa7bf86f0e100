// The per-document character table.
#include "jcode/DocumentChars.h"

namespace brenvik {

namespace {

// The code of a character before the document has a say: code page 932's, else that of a JIS form.
TSjisCode BaseCode(char32_t c)
{
    const TSjisCode code = UnicodeToCp932(c);
    return code != 0 ? code : JisFormCode(c);
}

// The code of c where the table need not change: the base code when it has one form, or the code the
// document gave c.
std::optional<TSjisCode> KnownCode(
    char32_t c, TSjisCode base, const std::unordered_map<char32_t, TSjisCode>& codes)
{
    if (base != 0 && !HasJisForm(base)) {
        return base;
    }
    if (const auto found = codes.find(c); found != codes.end()) {
        return found->second;
    }
    return std::nullopt;
}

} // namespace

// Only the codes with two forms and those of the user-defined area ever stand for a character of the
// document's own; every other code and character goes by code page 932 without a look at the table.
char32_t TDocumentChars::OwnChar(TSjisCode code) const
{
    if (!chars_.empty() && (HasJisForm(code) || UserCodeIndex(code) >= 0)) {
        if (const auto found = chars_.find(code); found != chars_.end()) {
            return found->second;
        }
    }
    return kNoChar;
}

char32_t TDocumentChars::ToUnicode(TSjisCode code) const
{
    const char32_t own = OwnChar(code);
    return own != kNoChar ? own : Cp932ToUnicode(code);
}

TSjisCode TDocumentChars::FromUnicode(char32_t c) const
{
    const TSjisCode base = BaseCode(c);
    if (const std::optional<TSjisCode> known = KnownCode(c, base, codes_)) {
        return *known;
    }
    return base != 0 && !chars_.contains(base) ? base : 0;
}

TSjisCode TDocumentChars::Take(char32_t c)
{
    const TSjisCode base = BaseCode(c);
    if (const std::optional<TSjisCode> known = KnownCode(c, base, codes_)) {
        return *known;
    }
    return base != 0 && UseForm(base, c) ? base : Assign(c);
}

bool TDocumentChars::UseForm(TSjisCode code, char32_t c)
{
    if (chars_.contains(code)) {
        return false;
    }
    chars_.emplace(code, c);
    codes_.emplace(c, code);
    return true;
}

TSjisCode TDocumentChars::Assign(char32_t c)
{
    while (nextUser_ < kUserCodeCount && usedUser_[static_cast<std::size_t>(nextUser_)]) {
        ++nextUser_;
    }
    if (nextUser_ == kUserCodeCount) {
        return 0;
    }
    const TSjisCode code = UserCodeAt(nextUser_);
    usedUser_.set(static_cast<std::size_t>(nextUser_));
    chars_.emplace(code, c);
    codes_.emplace(c, code);
    return code;
}

TSjisCode TDocumentChars::SharedCode(TSjisCode code) const
{
    if (UserCodeIndex(code) < 0) {
        return code;
    }
    const char32_t own = OwnChar(code);
    const TSjisCode base = own != kNoChar ? BaseCode(own) : 0;
    return base != 0 ? base : code;
}

bool TDocumentChars::HasCharsWithoutCode() const
{
    for (const auto& [code, c] : chars_) {
        if (UserCodeIndex(code) >= 0 && BaseCode(c) == 0) {
            return true;
        }
    }
    return false;
}

void TDocumentChars::Reserve(TSjisCode code)
{
    const int index = UserCodeIndex(code);
    if (index >= 0) {
        usedUser_.set(static_cast<std::size_t>(index));
    }
}

void TDocumentChars::SetUnheld(const TUnheldChar& unheld)
{
    if (!unheld_) {
        unheld_ = unheld;
    }
}

} // namespace brenvik
