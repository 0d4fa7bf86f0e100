// Inserting lined-up text at an editor's caret: fixed phrases in both windows and the
// builder's statements in the main window.
#pragma once

#include <QString>

#include <string>

namespace brenvik {

class TEditor;

// AlignmentPrefix of the logical line where an insertion goes (the selection start, else the
// caret) at that column of the line.
std::string CaretAlignment(const TEditor& editor);

// Reads a phrase file and inserts it at the caret, replacing the selection, in one undo step;
// false with a message for the user when the file is refused or the editor is read-only.
bool InsertPhraseFile(TEditor& editor, const QString& path, QString& error);

// The message for an insertion refused by a read-only editor.
QString ReadOnlyInsertMessage();

} // namespace brenvik
