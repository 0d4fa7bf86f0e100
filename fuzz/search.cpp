// The search engine on arbitrary Shift_JIS text, pattern, selection and every option bit:
//   - the scan finds what the reference candidate loop of the tests finds, in both directions;
//   - a match starts and ends at character starts of the text before its first zero byte;
//   - FindPattern gives the scan's match, and leaves the range alone when there is none.
#include "CharacterStarts.h"
#include "FuzzCheck.h"

#include "search/FindPattern.h"
#include "search/ReferenceScan.h"
#include "search/ScanPattern.h"
#include "search/ShiftJis.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using namespace brenvik;
using fuzz::CharacterStarts;
using fuzz::Require;

namespace {

constexpr std::size_t kMostPattern = 24;
constexpr std::size_t kMostText = 4096;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto flags = input.ConsumeIntegral<std::uint16_t>();
    const std::string pattern = input.ConsumeRandomLengthString(kMostPattern);
    const auto start = input.ConsumeIntegral<std::int16_t>();
    const auto length = input.ConsumeIntegralInRange<std::int32_t>(-1, 8);
    const std::string text = input.ConsumeRandomLengthString(kMostText);
    const auto textSize = static_cast<std::int32_t>(text.size());
    // Most selections inside the text or just outside it, as the dialogs give them.
    const TSearchRange selection {std::clamp<std::int32_t>(start, -1, textSize + 1), length};
    const std::optional<TSearchRange> expected = test::ReferenceScan(text, selection, pattern, flags);
    const std::optional<TSearchRange> found = ScanPattern(text, selection, pattern, flags);
    Require(found == expected, "the scan finds what the reference loop finds");
    TSearchRange range = selection;
    Require(FindPattern(text, range, pattern, flags) == found.has_value(),
        "FindPattern succeeds as the scan does");
    Require(range == found.value_or(selection), "FindPattern gives the scan's match or leaves the range");
    if (found) {
        const std::string_view searched = std::string_view(text).substr(0, text.find('\0'));
        const std::vector<bool> starts = CharacterStarts(searched);
        Require(found->Start >= 0 && found->Length > 0, "a match is not empty");
        Require(static_cast<std::size_t>(found->Start) + found->Length <= searched.size(),
            "a match lies before the text's first zero byte");
        Require(starts[found->Start], "a match begins at a character start");
        Require(starts[found->Start + found->Length], "a match ends at a character start");
    }
    return 0;
}
