// Checks the invariant of a decoded text: a document code and a line-break code in range.
#pragma once

#include "jcode/LineCodec.h"

#include <gtest/gtest.h>

namespace brenvik {

inline void CheckDecodedText(const TDecodedText& text)
{
    EXPECT_TRUE(text.jcode == jcJis || text.jcode == jcEuc || text.jcode == jcSjis) << text.jcode;
    EXPECT_TRUE(text.rcode >= rcNone && text.rcode <= rcLf) << text.rcode;
}

} // namespace brenvik
