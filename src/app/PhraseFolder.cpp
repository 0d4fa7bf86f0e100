// Walking a phrase folder and reading a phrase file.
#include "app/PhraseFolder.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace brenvik {

namespace {

constexpr int kMaxDepth = 16;

class TPhraseWalk {
public:
    TPhraseWalk() { FCollator.setCaseSensitivity(Qt::CaseInsensitive); }

    std::vector<TPhraseEntry> Scan(const QString& folder, int depth)
    {
        std::vector<TPhraseEntry> entries;
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || depth > kMaxDepth || FBranch.contains(canonical))
            return entries;
        FBranch.append(canonical);
        // Without QDir::Hidden and QDir::System: no dot names, FIFOs, sockets or devices.
        const QFileInfoList infos
            = QDir(folder).entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
        for (const QFileInfo& info : infos) {
            if (info.fileName().startsWith(QLatin1Char('.')))
                continue;
            if (info.isDir()) {
                if (info.isSymLink() && FBranch.contains(info.canonicalFilePath()))
                    continue;
                entries.push_back({info.fileName(), info.filePath(), true, Scan(info.filePath(), depth + 1)});
            } else if (info.isFile()) {
                entries.push_back({info.fileName(), info.filePath(), false, {}});
            }
        }
        FBranch.removeLast();
        std::stable_sort(
            entries.begin(), entries.end(), [this](const TPhraseEntry& a, const TPhraseEntry& b) {
                if (a.Folder != b.Folder)
                    return a.Folder;
                return FCollator.compare(a.Name, b.Name) < 0;
            });
        return entries;
    }

private:
    QCollator FCollator;
    QStringList FBranch; // canonical folders from the top down to the one being read
};

} // namespace

std::vector<TPhraseEntry> ScanPhraseFolder(const QString& folder)
{
    TPhraseWalk walk;
    return walk.Scan(folder, 1);
}

bool ReadPhraseFile(const QString& path, std::string& bytes, QString& error)
{
    const QFileInfo info(path);
    const QString name = QDir::toNativeSeparators(path);
    if (!info.isFile()) {
        error = QStringLiteral("定型文ファイル「%1」が見つかりません。").arg(name);
        return false;
    }
    if (info.size() > kMaxPhraseBytes) {
        error = QStringLiteral("定型文ファイル「%1」は大きすぎます（1MBまで）。").arg(name);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("定型文ファイル「%1」を読めません。").arg(name);
        return false;
    }
    // One byte more than allowed shows a file that grew since it was listed.
    const QByteArray data = file.read(kMaxPhraseBytes + 1);
    if (data.size() > kMaxPhraseBytes || file.error() != QFileDevice::NoError) {
        error = QStringLiteral("定型文ファイル「%1」を読めません。").arg(name);
        return false;
    }
    if (data.contains('\0')) {
        error = QStringLiteral("定型文ファイル「%1」はバイナリファイルのため挿入できません。").arg(name);
        return false;
    }
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return true;
}

} // namespace brenvik
