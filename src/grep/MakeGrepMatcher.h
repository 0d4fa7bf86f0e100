// The one place a pattern becomes grep's matcher: the literal engine, or with expression the expression layer.
#pragma once

#include "grep/GrepMatcher.h"
#include "search/SearchFlags.h"

#include <memory>
#include <string>

namespace brenvik {

// pattern in Shift_JIS. An expression that does not compile gives none, and error (UTF-8, Japanese) says why.
std::unique_ptr<TGrepMatcher> MakeGrepMatcher(
    const std::string& pattern, TSearchFlags flags, bool expression, std::string& error);

} // namespace brenvik
