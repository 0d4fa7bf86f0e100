// The bookmarks of a script, kept beside its side file as "<ini folder>/<file name>.<hash>.bookmarks":
// one line of 1-based line numbers joined by commas. They live apart from the side file, whose
// layout (keywords, then the memo to the end) leaves no room for them.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// lines are 0-based.
std::string BookmarkBytes(const std::vector<int>& lines);
// 0-based lines; none when the bytes are not such a list (the file is then left alone).
std::optional<std::vector<int>> ParseBookmarks(std::string_view bytes);

} // namespace brenvik
