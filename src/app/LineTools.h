// The line tools "選択行をインデント" and "選択行をコメント化": a prefix in front of every
// selected line, over the headless editing model.
#pragma once

#include <string>
#include <string_view>

namespace brenvik {

class TEditorModel;

// Puts prefix in front of the selected lines in one undo step and leaves the result selected.
// A normal selection takes whole logical lines (a selection ending at the start of a line
// leaves that line out) and keeps the text's own line end; a box selection gets the prefix as
// a box at its left edge. Nothing happens without a selection or on a read-only model.
void PrefixSelectedLines(TEditorModel& model, std::string_view prefix);

// The indent the tool adds: a tab, or as many spaces as the tab width when soft tabs are on.
std::string IndentUnit(bool softTab, int tabWidth);

} // namespace brenvik
