// The checks before an open: a regular readable file, binary content, the first line break.
#include "model/ScriptFileCheck.h"

#include "jcode/CodeDetect.h"
#include "jcode/SystemReason.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace brenvik {

namespace {

constexpr qint64 kBinarySample = 512;
// NUL bytes are looked for this far: the question comes before a large file is read, not after.
constexpr qint64 kNulSample = 64 * 1024;
constexpr qint64 kPiece = 1 << 20;

// The code of the break at piece[at]; next is the byte after the piece (NUL at the file's end).
RCode BreakAt(std::string_view piece, std::size_t at, char next)
{
    if (piece[at] == '\n')
        return rcLf;
    const char after = at + 1 < piece.size() ? piece[at + 1] : next;
    return after == '\n' ? rcCrLf : rcCr;
}

} // namespace

TScriptFileCheck CheckScriptFile(const QString& fileName)
{
    TScriptFileCheck check;
    const QFileInfo info(fileName);
    if (!info.exists()) {
        check.Refusal = QStringLiteral("見つかりません");
        return check;
    }
    if (info.isDir()) {
        check.Refusal = QStringLiteral("フォルダです");
        return check;
    }
    if (!info.isFile()) {
        check.Refusal = QStringLiteral("通常のファイルではありません");
        return check;
    }
    QFile file(fileName);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        const int error = errno;
        check.Refusal = QString::fromStdString(SystemReason(error, TFileAct::Read));
        return check;
    }
    std::vector<char> buffer(kPiece + 1);
    bool first = true;
    for (;;) {
        const qint64 read = file.read(buffer.data(), kPiece);
        if (read < 0) {
            const int error = errno;
            check.Refusal = QString::fromStdString(SystemReason(error, TFileAct::Read));
            return check;
        }
        if (read == 0)
            break;
        const std::string_view piece(buffer.data(), static_cast<std::size_t>(read));
        if (first && DetectJCode(piece.substr(0, kBinarySample)) == jcBinary)
            check.LooksBinary = true;
        if (first && !check.LooksBinary && std::memchr(piece.data(), '\0', std::min<std::size_t>(piece.size(), kNulSample)))
            check.LooksBinary = true;
        if (check.FirstBreak == rcNone) {
            const std::size_t at = piece.find_first_of("\r\n");
            if (at != std::string_view::npos) {
                char next = '\0';
                if (at + 1 == piece.size() && file.peek(&next, 1) != 1)
                    next = '\0';
                check.FirstBreak = BreakAt(piece, at, next);
            }
        }
        first = false;
        if (check.FirstBreak != rcNone)
            break;
    }
    return check;
}

} // namespace brenvik
