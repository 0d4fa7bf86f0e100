// Code page 932 conversions for tests, done by the C library's iconv.
#include "SjisText.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace brenvik::test {

namespace {

// Converts between two iconv encodings; returns false when the input does not convert.
bool Convert(const char* to, const char* from, std::string_view input, std::string& output)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv cannot convert between the test encodings");
    std::string in(input);
    output.assign(in.size() * 4 + 8, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = output.data();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    output.resize(output.size() - outLeft);
    return result != static_cast<std::size_t>(-1) && inLeft == 0;
}

} // namespace

std::string ToSjis(std::string_view utf8)
{
    std::string out;
    if (!Convert("CP932", "UTF-8", utf8, out))
        throw std::invalid_argument("test text has no code page 932 form");
    return out;
}

std::u32string FromSjis(std::string_view sjis)
{
    return Decode("CP932", sjis);
}

std::u32string Decode(const char* encoding, std::string_view bytes)
{
    std::string out;
    if (!Convert("UTF-32LE", encoding, bytes, out))
        return {};
    return std::u32string(reinterpret_cast<const char32_t*>(out.data()), out.size() / 4);
}

std::string ToSjis(std::u32string_view text)
{
    std::string out;
    const std::string_view bytes(reinterpret_cast<const char*>(text.data()), text.size() * 4);
    if (!Convert("CP932", "UTF-32LE", bytes, out))
        return {};
    return out;
}

} // namespace brenvik::test
