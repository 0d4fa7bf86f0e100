// A large text cut after line breaks into parts of about equal size, so that the lines of each part can be
// worked on by a thread of its own (the file-wide vote and conversion are sums over lines).
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace brenvik {

// Below this size a text stays one part: a thread costs more than it saves.
inline constexpr std::size_t kMinPartBytes = std::size_t {1} << 20;

// The starts of the parts followed by the text's size. count 0 asks for one part per processor; a part
// ends after a whole line break (never between the CR and LF of a pair), so no line is cut. firstShare is
// the size of the first part against that of each other part (its thread may have other work).
std::vector<std::size_t> TextPartBounds(std::string_view text, std::size_t count = 0, double firstShare = 1);

// Starts the threads that the parts of a large text are worked on by, before the text is at hand (a program
// about to read a file): a processor that has been idle can take milliseconds to start a new thread's work.
void PrepareTextParts();

// Runs work(index, from, to) for every part of bounds: part 0 on the calling thread, the others side by
// side on threads of their own (kept for the next pass). Returns when all are done, throwing what the first
// failing part threw. Passes run one at a time: work must not start another.
using TPartWork = std::function<void(std::size_t index, std::size_t from, std::size_t to)>;
void ForEachTextPart(const std::vector<std::size_t>& bounds, const TPartWork& work);

} // namespace brenvik
