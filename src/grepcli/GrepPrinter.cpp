// Printing: grep's layout (PATH:LINE:COLUMN:TEXT), coloured as grep colours it when asked.
#include "grepcli/GrepPrinter.h"

namespace brenvik {

namespace {

constexpr const char* kNameColor = "35";
constexpr const char* kNumberColor = "32";
constexpr const char* kSeparatorColor = "36";
constexpr const char* kMatchColor = "01;31";

} // namespace

TGrepPrinter::TGrepPrinter(const TPrintStyle& style, std::FILE* out, std::FILE* errors)
    : style_(style)
    , out_(out)
    , errors_(errors)
{
}

void TGrepPrinter::Put(std::string_view text)
{
    if (!failed_ && !text.empty() && std::fwrite(text.data(), 1, text.size(), out_) != text.size())
        failed_ = true;
}

void TGrepPrinter::Painted(std::string_view text, const char* color)
{
    if (!style_.Color) {
        Put(text);
        return;
    }
    Put("\x1b[");
    Put(color);
    Put("m");
    Put(text);
    Put("\x1b[m");
}

void TGrepPrinter::Name(const std::string& path, char separator)
{
    Painted(path, kNameColor);
    Painted(std::string_view(&separator, 1), kSeparatorColor);
}

void TGrepPrinter::Hit(const TGrepHit& hit)
{
    Painted(std::to_string(hit.Line), kNumberColor);
    Painted(":", kSeparatorColor);
    Painted(std::to_string(hit.Column), kNumberColor);
    Painted(":", kSeparatorColor);
    if (!style_.Color) {
        Put(hit.Text);
    } else {
        int from = 0;
        const std::string_view text = hit.Text;
        for (const auto& [start, end] : hit.Marks) {
            Put(text.substr(from, start - from));
            Painted(text.substr(start, end - start), kMatchColor);
            from = end;
        }
        Put(text.substr(from));
    }
    Put("\n");
}

void TGrepPrinter::Notice(const std::string& path, const std::string& message)
{
    if (!style_.Quiet)
        std::fprintf(errors_, "brenvik-grep: %s: %s\n", path.c_str(), message.c_str());
}

void TGrepPrinter::File(TGrepFile&& file)
{
    if (file.Outcome == TGrepFile::goSkipped || file.Outcome == TGrepFile::goFailed) {
        // Standard output first, so that a word on a terminal comes after the hits before it.
        std::fflush(out_);
        Notice(file.Path, file.Message);
        return;
    }
    if (file.Outcome != TGrepFile::goSearched)
        return;
    if (!file.Message.empty()) {
        std::fflush(out_);
        Notice(file.Path, file.Message);
    }
    switch (style_.Mode) {
    case TGrepMode::gmFileNames:
        if (file.MatchedLines > 0) {
            Painted(file.Path, kNameColor);
            Put("\n");
        }
        return;
    case TGrepMode::gmCount:
        if (style_.FileNames)
            Name(file.Path, ':');
        Put(std::to_string(file.MatchedLines));
        Put("\n");
        return;
    case TGrepMode::gmLines:
        for (const TGrepHit& hit : file.Hits) {
            if (style_.FileNames)
                Name(file.Path, ':');
            Hit(hit);
        }
        if (file.FirstInvalidLine > 0) {
            std::fflush(out_);
            Notice(file.Path + ":" + std::to_string(file.FirstInvalidLine),
                "文字にならないバイトを U+FFFD で表示しました（この行から）。");
        }
        return;
    }
}

} // namespace brenvik
