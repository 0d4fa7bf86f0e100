// Recovery file names and the search for orphans.
#include "model/RecoveryStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace brenvik {

namespace {

const QString kSuffix = QStringLiteral(".recovery");

} // namespace

QString TRecoveryStore::DefaultFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/brenvik/recovery");
}

TRecoveryStore::TRecoveryStore(QString folder)
    : FFolder(std::move(folder))
{
}

QString TRecoveryStore::OwnPath(const QString& fileName) const
{
    const QString pid = QString::number(CurrentProcess().Pid);
    if (fileName.isEmpty())
        return FFolder + QStringLiteral("/新規文章-") + pid + kSuffix;
    // The name says which script it is; the hash of the whole path tells apart scripts of one
    // name in different folders.
    const QByteArray hash = QCryptographicHash::hash(fileName.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return FFolder + QLatin1Char('/') + QFileInfo(fileName).fileName() + QLatin1Char('-') + QString::fromLatin1(hash)
        + QLatin1Char('-') + pid + kSuffix;
}

std::vector<TRecoveryEntry> TRecoveryStore::Orphans(const QString& fileName) const
{
    std::vector<TRecoveryEntry> orphans;
    const QFileInfoList files = QDir(FFolder).entryInfoList({QLatin1Char('*') + kSuffix}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& file : files) {
        std::optional<TRecoveryHeader> header = ReadRecoveryHeader(file.filePath());
        if (!header || IsRunning(header->Owner) || (!fileName.isEmpty() && header->FileName != fileName))
            continue;
        orphans.push_back({file.filePath(), std::move(*header)});
    }
    std::stable_sort(orphans.begin(), orphans.end(),
        [](const TRecoveryEntry& a, const TRecoveryEntry& b) { return a.Header.Written < b.Header.Written; });
    return orphans;
}

bool TRecoveryStore::Claim(const TRecoveryEntry& orphan, const QString& ownPath)
{
    // rename(2) is atomic: of two copies claiming one orphan, only the first finds it.
    return std::rename(QFile::encodeName(orphan.Path).constData(), QFile::encodeName(ownPath).constData()) == 0;
}

} // namespace brenvik
