// Anchor choice: where each character of the pattern may stand in the text, and which of its bytes are
// rarest.
//
// With fixed widths a match has one byte per pattern byte, so the two rarest pattern byte positions are
// tested at their own distance. Otherwise (width-blind search, skipped breaks and blanks) a character's text
// spelling takes one or two bytes, so the anchor is one character spelled out in full plus the first byte of
// the next.
#include "search/SearchAnchor.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>

namespace brenvik {

namespace {

// Characters looked at for the anchor; later ones seldom help and each costs a table walk.
constexpr std::size_t ConsideredChars = 64;

class TByteSet {
public:
    void Add(std::uint8_t byte)
    {
        if (std::find(bytes_.begin(), bytes_.end(), byte) == bytes_.end())
            bytes_.push_back(byte);
    }
    void Add(const std::vector<std::uint8_t>& bytes)
    {
        for (const std::uint8_t byte : bytes)
            Add(byte);
    }

    double Share(const TByteFrequency& frequency) const
    {
        double share = 0;
        for (const std::uint8_t byte : bytes_)
            share += frequency.Share(byte);
        return std::min(share, 1.0);
    }

    // Share of the positions holding a byte of this set with a byte of next right after it.
    double PairShare(const TByteSet& next, const TByteFrequency& frequency) const
    {
        double share = 0;
        for (const std::uint8_t first : bytes_) {
            for (const std::uint8_t second : next.bytes_)
                share += frequency.PairShare(first, second);
        }
        return std::min(share, 1.0);
    }

    bool Fits() const { return bytes_.size() <= TByteTest {}.Bytes.size(); }

    // A set too large for one test is left out, which only lets more positions through.
    void AddTest(TAnchorSpelling& spelling, std::int64_t offset) const
    {
        if (!Fits())
            return;
        TByteTest& test = spelling.Tests[spelling.Count++];
        test.Offset = offset;
        test.Count = static_cast<int>(bytes_.size());
        std::copy(bytes_.begin(), bytes_.end(), test.Bytes.begin());
    }

private:
    std::vector<std::uint8_t> bytes_;
};

std::int64_t ReachOf(const TSearchAnchor& anchor)
{
    std::int64_t reach = 0;
    for (int s = 0; s < anchor.Count; ++s) {
        for (int t = 0; t < anchor.Spellings[s].Count; ++t)
            reach = std::max(reach, anchor.Spellings[s].Tests[t].Offset);
    }
    return reach;
}

TSearchAnchor FixedWidthAnchor(const TPatternMatcher& matcher, const TByteFrequency& frequency)
{
    const auto& starts = matcher.CharStarts();
    std::vector<TByteSet> sets;
    for (std::size_t c = 0; c < starts.size() && c < ConsideredChars; ++c) {
        const std::vector<TTextForm> forms = matcher.TextForms(starts[c]);
        const int width = c + 1 < starts.size() ? static_cast<int>(starts[c + 1] - starts[c])
                                                : static_cast<int>(matcher.Prepared().size() - starts[c]);
        for (int b = 0; b < width; ++b) {
            TByteSet set;
            for (const TTextForm& form : forms)
                set.Add(form.Bytes[b]);
            sets.push_back(set);
        }
    }
    std::vector<std::size_t> order(sets.size());
    std::iota(order.begin(), order.end(), std::size_t {0});
    std::stable_sort(order.begin(), order.end(),
        [&](std::size_t a, std::size_t b) { return sets[a].Share(frequency) < sets[b].Share(frequency); });
    if (order.size() > 2)
        order.resize(2);
    std::sort(order.begin(), order.end());
    const auto first = static_cast<std::int64_t>(order.front());
    TSearchAnchor anchor;
    TAnchorSpelling& spelling = anchor.Spellings[anchor.Count++];
    for (const std::size_t offset : order)
        sets[offset].AddTest(spelling, static_cast<std::int64_t>(offset) - first);
    anchor.NearMin = first;
    anchor.FarMax = first;
    anchor.Reach = ReachOf(anchor);
    return anchor;
}

struct TCharForms {
    std::vector<TTextForm> Forms;
    int MinWidth = 2;
    int MaxWidth = 1;
};

TCharForms FormsOf(const TPatternMatcher& matcher, std::size_t index)
{
    TCharForms result;
    result.Forms = matcher.TextForms(index);
    for (const TTextForm& form : result.Forms) {
        result.MinWidth = std::min(result.MinWidth, form.Size);
        result.MaxWidth = std::max(result.MaxWidth, form.Size);
    }
    return result;
}

// Spellings of character k: its one-byte forms together, its two-byte forms by first byte, each followed by
// a byte that may begin the next character. None when the character has too many spellings.
std::optional<TSearchAnchor> SpellingsOf(const TCharForms& forms, const std::optional<TByteSet>& next,
    const TByteFrequency& frequency, double& cost)
{
    TSearchAnchor anchor;
    TByteSet singles;
    bool anySingle = false;
    std::vector<std::uint8_t> leads;
    for (const TTextForm& form : forms.Forms) {
        if (form.Size == 1) {
            singles.Add(form.Bytes[0]);
            anySingle = true;
        } else if (std::find(leads.begin(), leads.end(), form.Bytes[0]) == leads.end()) {
            leads.push_back(form.Bytes[0]);
        }
    }
    const int spellings = (anySingle ? 1 : 0) + static_cast<int>(leads.size());
    if (spellings == 0 || spellings > static_cast<int>(anchor.Spellings.size()))
        return std::nullopt;
    const bool nextTestable = next && next->Fits();
    // The share of a byte followed by the next character's first byte, which often go together in text.
    const auto followedShare = [&](const TByteSet& last) {
        return nextTestable ? last.PairShare(*next, frequency) : last.Share(frequency);
    };
    cost = 0;
    if (anySingle) {
        TAnchorSpelling& spelling = anchor.Spellings[anchor.Count++];
        singles.AddTest(spelling, 0);
        if (nextTestable)
            next->AddTest(spelling, 1);
        cost += followedShare(singles);
    }
    for (const std::uint8_t lead : leads) {
        TByteSet leadSet;
        leadSet.Add(lead);
        TByteSet trails;
        for (const TTextForm& form : forms.Forms) {
            if (form.Size == 2 && form.Bytes[0] == lead)
                trails.Add(form.Bytes[1]);
        }
        TAnchorSpelling& spelling = anchor.Spellings[anchor.Count++];
        leadSet.AddTest(spelling, 0);
        trails.AddTest(spelling, 1);
        if (nextTestable)
            next->AddTest(spelling, 2);
        cost += leadSet.PairShare(trails, frequency) * followedShare(trails) / trails.Share(frequency);
    }
    return anchor;
}

TSearchAnchor VariableWidthAnchor(const TPatternMatcher& matcher, const TByteFrequency& frequency, bool skips)
{
    const auto& starts = matcher.CharStarts();
    // Skipped bytes may stand between any two characters, so only the first has a known place then.
    const std::size_t candidates = skips ? 1 : std::min(starts.size(), ConsideredChars);
    std::vector<TCharForms> forms;
    for (std::size_t c = 0; c < std::min(starts.size(), candidates + 1); ++c)
        forms.push_back(FormsOf(matcher, starts[c]));
    TSearchAnchor best;
    double bestCost = std::numeric_limits<double>::infinity();
    std::int64_t nearMin = 0;
    std::int64_t farMax = 0;
    for (std::size_t k = 0; k < candidates; ++k) {
        std::optional<TByteSet> next;
        if (k + 1 < starts.size()) {
            next.emplace();
            for (const TTextForm& form : forms[k + 1].Forms)
                next->Add(form.Bytes[0]);
            next->Add(matcher.SkippableFirstBytes());
        }
        double cost = 0;
        if (std::optional<TSearchAnchor> anchor = SpellingsOf(forms[k], next, frequency, cost)) {
            // Each anchor found costs a pause in the scan and a comparison at every start its window allows.
            cost *= static_cast<double>(farMax - nearMin + 3);
            if (cost < bestCost) {
                bestCost = cost;
                best = *anchor;
                best.NearMin = nearMin;
                best.FarMax = farMax;
            }
        }
        nearMin += forms[k].MinWidth;
        farMax += forms[k].MaxWidth;
    }
    best.Reach = ReachOf(best);
    return best;
}

// The rarest test first, so that a scan can stop testing a block once nothing in it can hold.
void OrderByRarity(TSearchAnchor& anchor, const TByteFrequency& frequency)
{
    const auto share = [&](const TByteTest& test) {
        double sum = 0;
        for (int b = 0; b < test.Count; ++b)
            sum += frequency.Share(test.Bytes[b]);
        return sum;
    };
    for (int s = 0; s < anchor.Count; ++s) {
        TAnchorSpelling& spelling = anchor.Spellings[s];
        std::stable_sort(spelling.Tests.begin(), spelling.Tests.begin() + spelling.Count,
            [&](const TByteTest& a, const TByteTest& b) { return share(a) < share(b); });
    }
}

} // namespace

bool TByteTest::Holds(std::uint8_t byte) const
{
    for (int i = 0; i < Count; ++i) {
        if (Bytes[i] == byte)
            return true;
    }
    return false;
}

TSearchAnchor ChooseAnchor(const TPatternMatcher& matcher, const TByteFrequency& frequency)
{
    if (matcher.Empty())
        return {};
    TSearchAnchor anchor = matcher.FixedWidth()
        ? FixedWidthAnchor(matcher, frequency)
        : VariableWidthAnchor(matcher, frequency, !matcher.SkippableFirstBytes().empty());
    OrderByRarity(anchor, frequency);
    return anchor;
}

} // namespace brenvik
