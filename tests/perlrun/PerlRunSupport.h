// A script on disk, loaded into a document, and a run of perl over it waited for with the event loop.
#pragma once

#include "model/ScriptDocument.h"
#include "model/ScriptFileCheck.h"
#include "perlrun/ScriptRun.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

namespace brenvik::test {

class TScriptOnDisk {
public:
    // Writes bytes as folder/name and loads them into the document.
    TScriptOnDisk(const QString& name, const QByteArray& bytes)
    {
        Path = Folder.filePath(name);
        WriteFile(name, bytes);
        EXPECT_TRUE(Document.Load(Path, std::nullopt, CheckScriptFile(Path))) << Path.toStdString();
    }
    void WriteFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir Folder;
    QString Path;
    TScriptDocument Document;
};

// Runs kind over the document and waits (at most wait ms) for the end.
inline std::optional<TProcessResult> RunAndWait(TScriptRun& run, TRunKind kind, const TScriptDocument& document,
    const TRunOptions& options = {}, const TCgiRequest* request = nullptr, int wait = 20000)
{
    QSignalSpy finished(&run, &TScriptRun::Finished);
    const QString refused = run.Start(kind, document, options, request);
    EXPECT_TRUE(refused.isEmpty()) << refused.toStdString();
    if (!refused.isEmpty() || !finished.wait(wait))
        return std::nullopt;
    return finished.at(0).at(1).value<TProcessResult>();
}

} // namespace brenvik::test
