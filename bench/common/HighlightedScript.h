// What the benches that time the editor itself share: a script loaded into an editor
// highlighted by the Perl fountain, as in the main window, so every edit and query pays for it.
#pragma once

#include "editor/Editor.h"
#include "highlight/ConfiguredFountains.h"
#include "highlight/PERLFountain.h"
#include "text/EditorStrings.h"

#include <fstream>
#include <iterator>
#include <string>

namespace brenvik::bench {

class THighlightedScript {
public:
    explicit THighlightedScript(const char* script)
    {
        ConfigurePERLFountain(FPerl);
        Editor.SetFountain(&FPerl);
        Editor.resize(1280, 1024);
        std::ifstream file(script, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        Editor.Lines().LoadLines([&bytes](const TLineSink& sink) { ForEachLine(bytes, sink); }, EndsWithLineBreak(bytes));
    }

    TPERLFountain& Perl() { return FPerl; }

private:
    TPERLFountain FPerl; // before the editor, which refers to it

public:
    TEditor Editor;
};

} // namespace brenvik::bench
