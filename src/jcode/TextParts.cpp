#include "jcode/TextParts.h"

#include "jcode/ByteSearch.h"
#include "jcode/PartThreads.h"

#include <algorithm>
#include <exception>
#include <thread>

namespace brenvik {

namespace {

// More threads than this gain nothing on a pass that reads memory as fast as it converts.
constexpr std::size_t kMaxParts = 8;

std::size_t ProcessorParts()
{
    return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, kMaxParts);
}

std::size_t AfterWholeBreak(std::string_view text, std::size_t from)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    std::size_t i = jcode_detail::FindLineBreakByte(bytes, from, text.size());
    if (i == text.size()) {
        return i;
    }
    ++i;
    if (bytes[i - 1] == '\r' && i < text.size() && bytes[i] == '\n') {
        ++i;
    }
    return i;
}

} // namespace

void PrepareTextParts()
{
    TPartThreads::Shared().Prepare(ProcessorParts());
}

std::vector<std::size_t> TextPartBounds(std::string_view text, std::size_t count, double firstShare)
{
    if (count == 0) {
        count = std::max<std::size_t>(1, std::min(ProcessorParts(), text.size() / kMinPartBytes));
    }
    const double partBytes = static_cast<double>(text.size()) / (firstShare + static_cast<double>(count - 1));
    std::vector<std::size_t> bounds {0};
    for (std::size_t part = 1; part < count; ++part) {
        const auto target
            = static_cast<std::size_t>(partBytes * (firstShare + static_cast<double>(part - 1)));
        const std::size_t start
            = AfterWholeBreak(text, std::max(bounds.back(), std::min(target, text.size())));
        if (start >= text.size()) {
            break;
        }
        bounds.push_back(start);
    }
    bounds.push_back(text.size());
    return bounds;
}

void ForEachTextPart(const std::vector<std::size_t>& bounds, const TPartWork& work)
{
    const std::size_t parts = bounds.size() - 1;
    std::vector<std::exception_ptr> failures(parts);
    TPartThreads::Shared().Run(parts, [&](std::size_t index) {
        try {
            work(index, bounds[index], bounds[index + 1]);
        } catch (...) {
            failures[index] = std::current_exception();
        }
    });
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
}

} // namespace brenvik
