// Classifies a byte string by Japanese character code and by its first line break.
#pragma once

#include "jcode/JCodeTypes.h"

#include <cstddef>
#include <string_view>

namespace brenvik {

// Binary bytes are looked for only this far before the main scan.
inline constexpr std::size_t kBinaryScanLimit = 512;

JCode DetectJCode(std::string_view text);
RCode DetectRCode(std::string_view text);

} // namespace brenvik
