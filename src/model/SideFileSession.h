// The side file of a document's script: its keywords and memo, read after a load, written after a
// save, after a keyword is added and when a changed memo is left, and before the script is
// replaced or the window closes when they changed. A side file that exists but could not be read
// is never overwritten; a memo whose bytes do not decode is kept as read and only shown.
// The script's bookmarks go to the bookmark file beside it (BookmarkFile.h) by the same rules, and
// only while the text is as saved: the lines of an edited text that was not saved would not match
// the file's.
#pragma once

#include <QString>

#include <string>
#include <vector>

namespace brenvik {

class TScriptDocument;

class TSideFileSession {
public:
    explicit TSideFileSession(TScriptDocument& document);

    // The folder side files live in ("<program folder>/ini").
    void SetFolder(const QString& folder) { FFolder = folder; }
    // The side file of the document's script; empty for a new document.
    QString Path() const;

    // Reads the side file of the document's script (none: no keywords, an empty memo). Returns
    // what the status bar says about it, empty when nothing.
    QString Read();
    const std::vector<std::string>& Keywords() const { return FKeywords; }
    void SetKeywords(std::vector<std::string> keywords);
    // The memo with LF line breaks, as an edit box shows it.
    QString MemoText() const;
    // The memo's bytes do not decode: it is shown read-only and written back as read.
    bool MemoLocked() const { return FMemoLocked; }
    // Takes the memo as typed; false (nothing changes) when it has no Shift_JIS form.
    bool SetMemoText(const QString& text);
    bool Changed() const { return FChanged; }
    // The bookmarked lines (0-based) Read found; the document puts them on its lines.
    const std::vector<int>& Bookmarks() const { return FBookmarks; }

    // The last values of the script's CGI run form, as text, kept in "<ini folder>/<file name>.<hash>.run"
    // beside the side file; empty when none.
    const QString& RunForm() const { return FRunForm; }
    // Takes the values and writes them at once; empty on success (or with no file to write
    // to: a new document keeps them until closed), else why not.
    QString SetRunForm(const QString& text);

    // Writes the keywords and the memo, and the document's bookmarks when its text is unmodified
    // and they changed; empty on success (or with nothing to write to), else why not.
    QString Write();
    QString WriteChanged();

private:
    // A file of the script's kept beside its side file, by extension; empty for a new document.
    QString Companion(const QString& extension) const;
    QString ReadBookmarks();
    QString WriteBookmarks();

    TScriptDocument& FDocument;
    QString FFolder;
    QString FBlockedPath; // an existing side file that could not be read: never overwritten
    QString FBlockedBookmarkPath; // likewise for the bookmark file
    std::vector<int> FBookmarks; // as read or last written
    std::vector<std::string> FKeywords;
    std::string FMemo; // lines joined by CR LF
    bool FMemoLocked = false;
    bool FChanged = false;
    QString FRunForm;
};

} // namespace brenvik
