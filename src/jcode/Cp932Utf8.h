// Code page 932 straight to UTF-8 bytes, for converting whole files.
#pragma once

#include "jcode/Cp932Table.h"

namespace brenvik {

// For every code, the UTF-8 bytes of its character packed first byte lowest, and their count in the top
// byte; 0 for a code without a character. Every character of code page 932 takes at most three bytes.
const std::uint32_t* Cp932Utf8Table();

} // namespace brenvik
