// brenvik-grep's output: the hits, counts or names on standard output as they arrive, and the word about
// every path skipped or not read on standard error.
#pragma once

#include "grep/GrepRun.h"

#include <cstdio>
#include <string>

namespace brenvik {

struct TPrintStyle {
    TGrepMode Mode = TGrepMode::gmLines;
    bool FileNames = true;
    bool Color = false;
    bool Quiet = false;
};

class TGrepPrinter : public TGrepReport {
public:
    TGrepPrinter(const TPrintStyle& style, std::FILE* out, std::FILE* errors);
    void File(TGrepFile&& file) override;
    // False once a write to out failed (a full disk, a closed pipe).
    bool OutputFailed() const { return failed_; }

private:
    void Put(std::string_view text);
    void Painted(std::string_view text, const char* color);
    void Name(const std::string& path, char separator);
    void Hit(const TGrepHit& hit);
    void Notice(const std::string& path, const std::string& message);

    TPrintStyle style_;
    std::FILE* out_;
    std::FILE* errors_;
    bool failed_ = false;
};

} // namespace brenvik
