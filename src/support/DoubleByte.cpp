// Shift_JIS character walking over byte strings.
#include "support/DoubleByte.h"

#include "support/NotifyPersistent.h"
#include "support/StringList.h"

#include <algorithm>

namespace brenvik {

namespace {

enum class TByteRole { brSingle, brLead, brTrail, brOutside };

// The role of the byte at 1-based position N when S is walked character by character; a lead
// byte in the last position has no trail and counts as a single byte.
TByteRole RoleAt(const std::string& s, int n)
{
    if (n < 1 || n > static_cast<int>(s.size()))
        return TByteRole::brOutside;
    const size_t target = static_cast<size_t>(n - 1);
    size_t i = 0;
    while (true) {
        const bool pair = IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size();
        if (i == target)
            return pair ? TByteRole::brLead : TByteRole::brSingle;
        if (pair && i + 1 == target)
            return TByteRole::brTrail;
        i += pair ? 2 : 1;
    }
}

} // namespace

int CountCharIn(const std::string& s, char c, int n)
{
    const auto limit = static_cast<std::ptrdiff_t>(std::clamp<int>(n, 0, static_cast<int>(s.size())));
    return static_cast<int>(std::count(s.begin(), s.begin() + limit, c));
}

bool IsLeadBytePos(const std::string& s, int n)
{
    return RoleAt(s, n) == TByteRole::brLead;
}

bool IsTrailBytePos(const std::string& s, int n)
{
    return RoleAt(s, n) == TByteRole::brTrail;
}

char CharAtPos(const std::string& s, int n)
{
    return (n < 1 || n > static_cast<int>(s.size())) ? '\0' : s[static_cast<size_t>(n - 1)];
}

bool ContainsAtCharStart(const std::string& sub, const std::string& s)
{
    if (sub.empty() || sub.size() > s.size())
        return false;
    for (size_t i = 0; i + sub.size() <= s.size();) {
        if (s.compare(i, sub.size(), sub) == 0)
            return true;
        i += (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
    }
    return false;
}

void SetTextToStrings(const std::string& text, TStringList& list)
{
    list.SetText(text);
}

} // namespace brenvik
