// Reading and writing a document's side file, with the rules that keep what cannot be read.
#include "model/SideFileSession.h"

#include "jcode/SjisUnicode.h"
#include "model/BookmarkFile.h"
#include "model/ExplorerKeywords.h"
#include "model/ExplorerSideFile.h"
#include "model/ScriptDocument.h"

#include <QFile>

#include <algorithm>
#include <optional>

namespace brenvik {

namespace {

QString MemoTextOf(const std::string& bytes)
{
    return SjisToUnicode(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::optional<std::string> MemoBytesOf(QString text)
{
    return UnicodeToSjis(text.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

QString ReadRunForm(const QString& path)
{
    const TSmallFileRead read = path.isEmpty() ? TSmallFileRead {} : ReadSmallFile(path);
    return read.State == TSideFileState::Read ? QString::fromStdString(read.Bytes) : QString();
}

} // namespace

TSideFileSession::TSideFileSession(TScriptDocument& document)
    : FDocument(document)
{
}

QString TSideFileSession::Path() const
{
    return Companion(QStringLiteral(".dat"));
}

QString TSideFileSession::Companion(const QString& extension) const
{
    return FDocument.FileName().isEmpty() ? QString() : SideFilePath(FFolder, FDocument.FileName(), extension);
}

QString TSideFileSession::Read()
{
    QString message;
    FBlockedPath.clear();
    TSideFileContent content;
    if (const QString path = Path(); !path.isEmpty()) {
        TSideFileRead read = ReadSideFile(path);
        // A side file kept by the name alone goes to the first script of that name read since.
        if (const QString shared = SharedSideFilePath(FFolder, FDocument.FileName());
            read.State == TSideFileState::Missing && QFile::exists(shared) && QFile::rename(shared, path))
            read = ReadSideFile(path);
        if (read.State == TSideFileState::Unreadable) {
            FBlockedPath = path;
            message = read.Reason + QStringLiteral(" このファイルには書き込みません。");
        }
        content = std::move(read.Content);
    }
    std::erase(content.Keywords, std::string());
    if (content.Keywords.size() > size_t(kKeywordCapacity))
        content.Keywords.resize(size_t(kKeywordCapacity));
    FKeywords = std::move(content.Keywords);
    FMemo = std::move(content.Memo);
    // Bytes that do not decode would change on the way back: such a memo is only shown.
    FMemoLocked = MemoBytesOf(MemoTextOf(FMemo)) != FMemo;
    FRunForm = ReadRunForm(Companion(QStringLiteral(".run")));
    if (FMemoLocked && message.isEmpty())
        message = QStringLiteral("メモにShift_JISとして読めないバイトがあるため、読み取り専用で表示します。");
    FChanged = false;
    if (const QString note = ReadBookmarks(); message.isEmpty())
        message = note;
    return message;
}

QString TSideFileSession::ReadBookmarks()
{
    FBookmarks.clear();
    FBlockedBookmarkPath.clear();
    if (FDocument.FileName().isEmpty())
        return {};
    const QString path = Companion(QStringLiteral(".bookmarks"));
    TSmallFileRead read = ReadSmallFile(path);
    if (read.State == TSideFileState::Read) {
        if (std::optional<std::vector<int>> lines = ParseBookmarks(read.Bytes)) {
            FBookmarks = std::move(*lines);
            return {};
        }
        read.Reason = QStringLiteral("%1 はブックマークの行番号として読めません。").arg(path);
    } else if (read.State == TSideFileState::Missing) {
        return {};
    }
    FBlockedBookmarkPath = path;
    return read.Reason + QStringLiteral(" このファイルには書き込みません。");
}

QString TSideFileSession::WriteBookmarks()
{
    const std::vector<int>& lines = FDocument.Model().Marks().Lines(TMarkKind::Bookmark);
    if (FDocument.FileName().isEmpty() || FDocument.Model().Modified() || lines == FBookmarks)
        return {};
    const QString path = Companion(QStringLiteral(".bookmarks"));
    if (path == FBlockedBookmarkPath)
        return {};
    const QString error = WriteWholeFile(path, BookmarkBytes(lines));
    if (error.isEmpty())
        FBookmarks = lines;
    return error;
}

void TSideFileSession::SetKeywords(std::vector<std::string> keywords)
{
    FKeywords = std::move(keywords);
    FChanged = true;
}

QString TSideFileSession::MemoText() const
{
    return MemoTextOf(FMemo);
}

bool TSideFileSession::SetMemoText(const QString& text)
{
    if (FMemoLocked)
        return false;
    std::optional<std::string> bytes = MemoBytesOf(text);
    if (!bytes)
        return false;
    if (*bytes != FMemo) {
        FMemo = std::move(*bytes);
        FChanged = true;
    }
    return true;
}

QString TSideFileSession::SetRunForm(const QString& text)
{
    FRunForm = text;
    const QString path = Companion(QStringLiteral(".run"));
    if (path.isEmpty())
        return {};
    const QByteArray bytes = text.toUtf8();
    return WriteWholeFile(path, std::string(bytes.constData(), std::size_t(bytes.size())));
}

QString TSideFileSession::Write()
{
    const QString path = Path();
    QString error;
    if (!path.isEmpty() && path != FBlockedPath) {
        error = WriteSideFile(path, {FKeywords, FMemo});
        if (error.isEmpty())
            FChanged = false;
    }
    if (const QString bookmarks = WriteBookmarks(); error.isEmpty())
        error = bookmarks;
    return error;
}

QString TSideFileSession::WriteChanged()
{
    return FChanged ? Write() : WriteBookmarks();
}

} // namespace brenvik
