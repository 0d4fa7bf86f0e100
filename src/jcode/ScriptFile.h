// Reading and writing a script file exactly as the editor's open and save commands do.
#pragma once

#include "jcode/FileBytes.h"
#include "jcode/FileForms.h"
#include "jcode/FileWindow.h"
#include "jcode/LineCodec.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brenvik {

// Every line of the file's lines through a window that gives back the pages walked past.
TLineWalk WindowWalk(TFileWindow& window);

// Reads the file through a window in two passes (the vote, then the decode) and hands each line, in
// Shift_JIS, to sink; lines that need no conversion are views into the window, to be copied by the
// sink. A file that cannot be opened throws EScriptFileError before sink is called. A UTF-8 file fills chars.
// Told how far a read has come, in bytes of both passes (done of total, twice the file's size); returning
// false cancels the read, which then throws EReadCancelled.
using TReadProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;
class EReadCancelled : public std::runtime_error {
public:
    EReadCancelled();
};

// forms, when given, is made to record how the file's lines stood (TFileForms).
TStatedCodes DecodeScriptFileTo(const std::string& fileName, std::optional<TStatedCodes> stated,
    const TLineSink& sink, TDocumentChars* chars = nullptr, std::unique_ptr<TFileForms>* forms = nullptr,
    const TReadProgress& progress = {});

// Whether the file's last byte is a line break (true for an empty file, or one whose size is not known);
// throws EScriptFileError when the file cannot be opened.
bool FileEndsWithBreak(const std::string& fileName);

// The same, collecting the lines.
TDecodedText LoadScriptFile(const std::string& fileName, std::optional<TStatedCodes> stated = std::nullopt);

// A file's lines as the load path decodes them, handed to save without being held: each walk decodes
// again from the window. A UTF-8 file's own characters go to chars, which must outlive the walks.
class TDecodedFileLines : public TSaveLines {
public:
    TDecodedFileLines(TFileWindow& window, const TLoadDecision& decision, TDocumentChars* chars = nullptr);
    void ForEachLine(const TLineSink& visit) const override;
    std::size_t LineCount() const override { return lineCount_; }
    // An upper bound: the file's bytes, which no decoding to Shift_JIS makes longer.
    std::size_t TextBytes() const override { return window_.View().size(); }

private:
    TFileWindow& window_;
    TLineSource source_;
    TDocumentChars* chars_;
    std::size_t lineCount_ = 0;
};

// Writes the blocks produce hands to its sink in place of the file, only once all of them are written, so
// a failed save (or produce throwing) leaves the old file as it was. A file with several links, or in a
// folder that cannot be written, is written in place (InPlaceWrite.h). Failures throw EScriptFileError with
// the reason in Japanese.
void WriteFileBlocks(const std::string& fileName, const std::function<void(const TBlockSink&)>& produce);
void WriteFileImage(const std::string& fileName, std::string_view image);

// Encodes every line (each followed by its terminator) block by block into the file.
void SaveScriptFile(const std::string& fileName, const TSaveLines& lines, JCode jcode, RCode rcode);
// forms, when given, writes each line in the form its file had.
void SaveScriptFile(const std::string& fileName, const TSaveLines& lines, const TStatedCodes& codes,
    const TDocumentChars& chars, const TFileForms* forms = nullptr);
void SaveScriptFile(
    const std::string& fileName, std::span<const std::string> lines, JCode jcode, RCode rcode);

} // namespace brenvik
