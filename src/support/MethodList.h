// A list of notify handlers that can be removed again by identity.
#pragma once

#include "support/NotifyEvent.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace brenvik {

// A handler value: the callable plus its identity (receiver and routine), so that the same
// handler can be found again for removal although std::function cannot be compared.
class TMethod {
public:
    using TCode = std::array<std::uintptr_t, 2>;

    // A handler identified by the caller: key is any address that names the routine.
    TMethod(const void* data, const void* key, TNotifyEvent call)
        : FData(data)
        , FCode {reinterpret_cast<std::uintptr_t>(key), 0}
        , FCall(std::move(call))
    {
    }

    // The usual handler: a member function of a receiver.
    template <typename R> static TMethod Of(R* receiver, void (R::*method)(QObject*))
    {
        static_assert(sizeof(method) <= sizeof(TCode));
        TMethod result(
            receiver, nullptr, [receiver, method](QObject* sender) { (receiver->*method)(sender); });
        std::memcpy(result.FCode.data(), &method, sizeof(method));
        return result;
    }

    const void* Data() const { return FData; }
    const TCode& Code() const { return FCode; }
    bool SameAs(const TMethod& other) const { return FData == other.FData && FCode == other.FCode; }
    void operator()(QObject* sender) const { FCall(sender); }

private:
    const void* FData;
    TCode FCode;
    TNotifyEvent FCall;
};

// Invariant: entries keep the order in which they were added; duplicates are allowed.
class TMethodList {
public:
    int Add(const TMethod& method);
    // Removes the last entry with the same code and data; nothing when there is none.
    void Remove(const TMethod& method);
    void Clear() { FItems.clear(); }
    int Count() const { return static_cast<int>(FItems.size()); }
    const TMethod& Items(int index) const { return FItems.at(static_cast<size_t>(index)); }
    const std::vector<TMethod>& Entries() const { return FItems; }

private:
    std::vector<TMethod> FItems;
};

} // namespace brenvik
