// Reading and writing the side file of a script.
#include "model/ExplorerSideFile.h"

#include "jcode/SystemReason.h"

#include <cerrno>

#include "model/ExplorerKeywords.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace brenvik {

namespace {

// The failing call's reason in Japanese (Qt's own text is English); a failure without an error
// number, such as a file that grew past the limit, is named as such.
QString ReasonOfErrno(TFileAct act)
{
    return errno != 0 ? QString::fromStdString(SystemReason(errno, act))
                      : (act == TFileAct::Read ? QStringLiteral("途中までしか読めませんでした。")
                                               : QStringLiteral("最後まで書き込めませんでした。"));
}

} // namespace

QString SideFilePath(const QString& iniFolder, const QString& scriptFileName, const QString& extension)
{
    // The name stays readable for whoever looks in the folder; the hash of the full path tells apart
    // the many index.cgi of one disk.
    const QByteArray path = QFile::encodeName(QFileInfo(scriptFileName).absoluteFilePath());
    const QByteArray hash = QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(8);
    return QDir(iniFolder).filePath(
        QFileInfo(scriptFileName).fileName() + QLatin1Char('.') + QString::fromLatin1(hash) + extension);
}

QString SharedSideFilePath(const QString& iniFolder, const QString& scriptFileName)
{
    return QDir(iniFolder).filePath(QFileInfo(scriptFileName).fileName() + QStringLiteral(".dat"));
}

TSideFileContent ParseSideFile(const std::string& bytes)
{
    TSideFileContent content;
    const size_t lineEnd = bytes.find_first_of("\r\n");
    content.Keywords = SplitCommaText(std::string_view(bytes).substr(0, lineEnd));
    if (lineEnd == std::string::npos)
        return content;
    size_t memo = lineEnd + 1;
    if (bytes[lineEnd] == '\r' && memo < bytes.size() && bytes[memo] == '\n')
        ++memo;
    content.Memo = bytes.substr(memo);
    // Every line of the file ends with a break; the memo's last one is the file's.
    if (content.Memo.ends_with("\r\n"))
        content.Memo.resize(content.Memo.size() - 2);
    else if (content.Memo.ends_with('\n'))
        content.Memo.pop_back();
    return content;
}

std::string SideFileBytes(const TSideFileContent& content)
{
    std::string bytes = CommaText(content.Keywords) + "\r\n";
    if (!content.Memo.empty())
        bytes += content.Memo + "\r\n";
    return bytes;
}

TSmallFileRead ReadSmallFile(const QString& path)
{
    TSmallFileRead read;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return read;
    read.State = TSideFileState::Unreadable;
    if (info.isDir()) {
        read.Reason = QStringLiteral("%1 はフォルダです。").arg(path);
        return read;
    }
    if (info.size() > kSideFileLimit) {
        read.Reason = QStringLiteral("%1 は大きすぎます (16 MB 超)。").arg(path);
        return read;
    }
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        read.Reason = QStringLiteral("%1 を読めません: %2").arg(path, ReasonOfErrno(TFileAct::Read));
        return read;
    }
    // A special file could grow while read: one byte more than the limit tells.
    const QByteArray bytes = file.read(kSideFileLimit + 1);
    if (bytes.size() > kSideFileLimit || file.error() != QFileDevice::NoError) {
        read.Reason = QStringLiteral("%1 を読めません: %2").arg(path, ReasonOfErrno(TFileAct::Read));
        return read;
    }
    if (bytes.contains('\0')) {
        read.Reason = QStringLiteral("%1 にはNULバイトが含まれています。").arg(path);
        return read;
    }
    read.State = TSideFileState::Read;
    read.Bytes = bytes.toStdString();
    return read;
}

TSideFileRead ReadSideFile(const QString& path)
{
    TSmallFileRead read = ReadSmallFile(path);
    TSideFileRead side {read.State, {}, read.Reason};
    if (read.State == TSideFileState::Read)
        side.Content = ParseSideFile(read.Bytes);
    return side;
}

QString WriteWholeFile(const QString& path, const std::string& bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("フォルダ %1 を作成できません。").arg(folder);
    if (QFileInfo(path).isDir())
        return QStringLiteral("%1 はフォルダです。").arg(path);
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)
        || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !file.commit())
        return QStringLiteral("%1 に書き込めません: %2").arg(path, ReasonOfErrno(TFileAct::Write));
    return {};
}

QString WriteSideFile(const QString& path, const TSideFileContent& content)
{
    return WriteWholeFile(path, SideFileBytes(content));
}

} // namespace brenvik
