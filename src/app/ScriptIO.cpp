// The open and save paths between script files and the editor's rows.
#include "app/ScriptIO.h"

#include "editor/Editor.h"
#include "jcode/ScriptFile.h"
#include "text/EditorStrings.h"

namespace brenvik {

TStatedCodes ReadScriptInto(TEditor& editor, const std::string& fileName, std::optional<TStatedCodes> stated)
{
    TDecodedText text = LoadScriptFile(fileName, stated);
    editor.Lines().Assign(text.Lines);
    if (editor.WordWrap()) {
        editor.SetWordWrap(false);
        editor.SetWordWrap(true);
    }
    return {text.jcode, text.rcode};
}

void WriteScriptFrom(const TEditor& editor, const std::string& fileName, JCode jcode, RCode rcode)
{
    TEditor& lines = const_cast<TEditor&>(editor);
    std::vector<std::string> all;
    const int count = lines.Lines().GetCount();
    all.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        all.push_back(lines.Lines().Get(i));
    SaveScriptFile(fileName, all, jcode, rcode);
}

} // namespace brenvik
