// The places the caret jumped between, to go back and forward through as a browser does. A
// place is a logical line and a byte in it, so that it survives a rewrap.
#pragma once

#include <optional>
#include <vector>

namespace brenvik {

struct TLinePlace {
    int Line = 0;
    int Byte = 0;
    friend bool operator==(const TLinePlace&, const TLinePlace&) = default;
};

// Invariant: FCurrent < FPlaces.size() when there are places; at most Max places.
class TCaretHistory {
public:
    static constexpr int Max = 100;

    // A jump from one place to another: what lay ahead of the current place is dropped.
    void Jumped(TLinePlace from, TLinePlace to);
    // The place to go to, the caret standing at current (kept to come back to); none at an end.
    std::optional<TLinePlace> Back(TLinePlace current);
    std::optional<TLinePlace> Forward(TLinePlace current);
    bool CanBack() const { return FCurrent > 0; }
    bool CanForward() const { return FCurrent + 1 < FPlaces.size(); }

private:
    std::vector<TLinePlace> FPlaces;
    std::size_t FCurrent = 0;
};

} // namespace brenvik
