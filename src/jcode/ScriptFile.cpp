// The editor's open and save paths on files: two passes through a window, one atomic write.
#include "jcode/ScriptFile.h"

#include "jcode/InPlaceWrite.h"
#include "jcode/SystemReason.h"
#include "support/LineBreaks.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

namespace brenvik {

TLineWalk WindowWalk(TFileWindow& window)
{
    return [&window](const TLineSink& onLine) {
        window.Rewind();
        ForEachLine(window.View(), [&](std::string_view line) {
            onLine(line);
            window.Consumed(line.data() + line.size());
        });
    };
}

EReadCancelled::EReadCancelled()
    : std::runtime_error("読み込みを取り消しました。")
{
}

namespace {

// Tells progress at most every kStep bytes; throws when it answers false.
class TProgressSteps {
public:
    TProgressSteps(const TReadProgress& progress, std::uint64_t size)
        : progress_(progress)
        , total_(2 * size)
    {
    }
    void At(std::uint64_t done)
    {
        if (!progress_ || done < next_) {
            return;
        }
        next_ = done + kStep;
        if (!progress_(done, total_)) {
            throw EReadCancelled();
        }
    }

private:
    static constexpr std::uint64_t kStep = 4 << 20;
    const TReadProgress& progress_;
    std::uint64_t total_;
    std::uint64_t next_ = 0;
};

} // namespace

TStatedCodes DecodeScriptFileTo(const std::string& fileName, std::optional<TStatedCodes> stated,
    const TLineSink& sink, TDocumentChars* chars, std::unique_ptr<TFileForms>* forms, const TReadProgress& progress)
{
    TFileWindow window(fileName);
    const std::string_view bytes = window.View();
    TProgressSteps steps(progress, bytes.size());
    steps.At(0);
    const TLoadDecision decision = DecideFileLoad(bytes, stated, [&](const char* walked) {
        window.Consumed(walked);
        steps.At(static_cast<std::uint64_t>(walked - bytes.data()));
    });
    // Each decoded line is recorded beside the bytes it came from, which the walk has just handed over.
    std::unique_ptr<TFileForms> recorded;
    if (forms) {
        recorded = std::make_unique<TFileForms>(decision.codes);
    }
    TDocumentChars scratch;
    TDocumentChars& table = chars ? *chars : scratch;
    std::string_view found;
    const TLineWalk walk = [&](const TLineSink& onLine) {
        WindowWalk(window)([&](std::string_view line) {
            found = line;
            steps.At(bytes.size() + static_cast<std::uint64_t>(line.data() - bytes.data()));
            onLine(line);
        });
    };
    DecodeDecidedLines(
        walk, decision.source,
        [&](std::string_view text) {
            if (recorded) {
                recorded->Add(found, text, BreakAfter(bytes, found), table);
            }
            sink(text);
        },
        &table, bytes);
    if (forms) {
        *forms = std::move(recorded);
    }
    if (progress && !progress(2 * bytes.size(), 2 * bytes.size())) {
        throw EReadCancelled();
    }
    return decision.codes;
}

bool FileEndsWithBreak(const std::string& fileName)
{
    const TFileDescriptor fd(fileName);
    const struct stat status = ReadableStatus(fd.Get(), fileName);
    char last = 0;
    if (status.st_size <= 0 || ::pread(fd.Get(), &last, 1, status.st_size - 1) != 1)
        return true;
    return last == '\r' || last == '\n';
}

TDecodedText LoadScriptFile(const std::string& fileName, std::optional<TStatedCodes> stated)
{
    TDecodedText text;
    const TStatedCodes codes
        = DecodeScriptFileTo(fileName, stated, [&](std::string_view line) { text.Lines.emplace_back(line); });
    text.jcode = codes.jcode;
    text.rcode = codes.rcode;
    return text;
}

TDecodedFileLines::TDecodedFileLines(TFileWindow& window, const TLoadDecision& decision, TDocumentChars* chars)
    : window_(window)
    , source_(decision.source)
    , chars_(chars)
{
    WindowWalk(window_)([&](std::string_view) { ++lineCount_; });
}

void TDecodedFileLines::ForEachLine(const TLineSink& visit) const
{
    DecodeDecidedLines(WindowWalk(window_), source_, visit, chars_, window_.View());
}

namespace {

QString Native(const std::string& fileName)
{
    return QFile::decodeName(fileName.c_str());
}

// Why the save could not begin: the file itself (read-only, immutable) or its folder.
std::string OpenFailureReason(const std::string& fileName)
{
    const QFileInfo target(Native(fileName));
    if (target.isDir()) {
        return SystemReason(EISDIR, TFileAct::Write);
    }
    if (target.exists() && ::access(fileName.c_str(), W_OK) != 0) {
        return SystemReason(errno, TFileAct::Write);
    }
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists()) {
        return "保存先のフォルダがありません。";
    }
    if (!folder.isDir()) {
        return "保存先のフォルダ名がフォルダではありません。";
    }
    const int error = ::access(QFile::encodeName(folder.filePath()).constData(), W_OK) != 0 ? errno : 0;
    return "保存先の" + SystemReason(error, TFileAct::Write, TFileThing::Folder);
}

// Only a file that was there before the save has an original to speak of.
[[noreturn]] void FailSave(const std::string& fileName, const std::string& reason, bool existed)
{
    throw EScriptFileError(fileName, existed ? reason + "元のファイルは変更していません。" : reason);
}

} // namespace

void WriteFileBlocks(const std::string& fileName, const std::function<void(const TBlockSink&)>& produce)
{
    // A new file renamed over the name would split hard links, and cannot be made in a folder the user
    // cannot write.
    if (WritesInPlace(fileName)) {
        WriteFileInPlace(fileName, produce);
        return;
    }
    QSaveFile file(Native(fileName));
    const bool existed = QFileInfo::exists(Native(fileName));
    if (!file.open(QIODevice::WriteOnly)) {
        FailSave(fileName, OpenFailureReason(fileName), existed);
    }
    qint64 total = 0;
    produce([&](std::string_view block) {
        // errno is read right after the failing call: Qt keeps only the text of the system's reason.
        errno = 0;
        if (file.write(block.data(), static_cast<qint64>(block.size())) != static_cast<qint64>(block.size())) {
            const int error = errno;
            file.cancelWriting();
            FailSave(fileName, SystemReason(error, TFileAct::Write), existed);
        }
        total += static_cast<qint64>(block.size());
    });
    // Bytes still in Qt's buffer go out now. A short write there (a full disk, a file-size
    // limit) is not an error to Qt, and commit would keep the shortened file: the size tells.
    errno = 0;
    if (!file.flush() || file.size() != total) {
        const int error = errno != 0 ? errno : ENOSPC;
        file.cancelWriting();
        FailSave(fileName, SystemReason(error, TFileAct::Write), existed);
    }
    errno = 0;
    if (!file.commit()) {
        const int error = errno;
        FailSave(fileName, SystemReason(error, TFileAct::Write), existed);
    }
}

void WriteFileImage(const std::string& fileName, std::string_view image)
{
    WriteFileBlocks(fileName, [&](const TBlockSink& write) { write(image); });
}

void SaveScriptFile(const std::string& fileName, const TSaveLines& lines, JCode jcode, RCode rcode)
{
    SaveScriptFile(fileName, lines, {jcode, rcode, false}, TDocumentChars());
}

void SaveScriptFile(const std::string& fileName, const TSaveLines& lines, const TStatedCodes& codes,
    const TDocumentChars& chars, const TFileForms* forms)
{
    WriteFileBlocks(
        fileName, [&](const TBlockSink& write) { EncodeFileBlocks(lines, codes, chars, write, forms); });
}

void SaveScriptFile(const std::string& fileName, std::span<const std::string> lines, JCode jcode, RCode rcode)
{
    SaveScriptFile(fileName, TVectorSaveLines(lines), jcode, rcode);
}

} // namespace brenvik
