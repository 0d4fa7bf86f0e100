// Line and column to a byte offset of the document's text, whose lines are joined by CR LF.
#include "model/LineColumnJump.h"

#include "model/ScriptDocument.h"

#include <algorithm>

namespace brenvik {

void SelectAtLineColumn(TScriptDocument& document, int line, int column, int length)
{
    const std::string& text = document.Find().JoinedText();
    std::size_t start = 0;
    for (int at = 1; at < line; ++at) {
        const std::size_t next = text.find("\r\n", start);
        if (next == std::string::npos)
            break;
        start = next + 2;
    }
    const std::size_t end = std::min(text.find("\r\n", start), text.size());
    const std::size_t offset = std::min(start + static_cast<std::size_t>(std::max(column, 1) - 1), end);
    TEditorModel& model = document.Model();
    model.SetSelStart(static_cast<qint64>(offset));
    model.SetSelLength(std::min<qint64>(std::max(length, 0), static_cast<qint64>(end - offset)));
}

} // namespace brenvik
