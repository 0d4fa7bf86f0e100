// Running the grep library in tests: every path's result collected by path.
#pragma once

#include "grep/GrepRun.h"
#include "grep/LiteralMatcher.h"

#include <map>
#include <string>
#include <vector>

namespace brenvik::test {

class TCollect : public TGrepReport {
public:
    void Walked(std::size_t paths) override { walked = paths; }
    void File(TGrepFile&& file) override
    {
        order.push_back(file.Path);
        files[file.Path] = std::move(file);
    }
    const TGrepFile& At(const std::string& path) const
    {
        static const TGrepFile none;
        const auto found = files.find(path);
        return found == files.end() ? none : found->second;
    }

    std::size_t walked = 0;
    std::vector<std::string> order;
    std::map<std::string, TGrepFile> files;
};

inline TCollect Grep(const std::string& root, const std::string& pattern, TSearchFlags flags,
    const TGrepSettings& settings = {}, const TGrepReader& reader = TGrepReader())
{
    TCollect collect;
    const TLiteralMatcher matcher(pattern, flags);
    RunGrep({root}, matcher, settings, collect, nullptr, reader);
    return collect;
}

} // namespace brenvik::test
