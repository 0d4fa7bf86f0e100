// Writing the private copy and starting perl on it.
#include "perlrun/ScriptRun.h"

#include "model/ScriptDocument.h"
#include "perlrun/PerlCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace brenvik {

TScriptRun::TScriptRun(QObject* parent)
    : QObject(parent)
{
    connect(&FProcess, &TPerlProcess::Finished, this, &TScriptRun::End);
}

TScriptRun::~TScriptRun()
{
    if (FWriter) {
        FWriter->disconnect(this);
        FWriter->wait();
        delete FWriter;
    }
}

void TScriptRun::End(const TProcessResult& result)
{
    emit Finished(FKind, result);
    FCopyFolder.reset();
}

void TScriptRun::Cancel()
{
    if (FWriter)
        FCancelled = true;
    else
        FProcess.Cancel();
}

QString TScriptRun::Start(TRunKind kind, const TScriptDocument& document, const TRunOptions& options,
    const TCgiRequest* request)
{
    if (Running())
        return QStringLiteral("perl の実行中です。");
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    const TPerlLocation perl = FindPerl(options.PerlPath, system.value(QStringLiteral("PATH")));
    if (perl.Program.isEmpty())
        return PerlMissingMessage(perl);

    // A folder only this user reads, removed after the run; the copy keeps the script's name so
    // that $0 and the messages read as the script's.
    auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/brenvik-run-XXXXXX"));
    if (!folder->isValid())
        return QStringLiteral("一時フォルダを作成できません: %1").arg(folder->errorString());
    const QString scriptName =
        document.FileName().isEmpty() ? QStringLiteral("無題.cgi") : QFileInfo(document.FileName()).fileName();
    const QString copy = folder->filePath(scriptName);

    const QString scriptFolder = document.Folder(QDir::homePath());
    FArguments = ShebangSwitches(document.Model().LineText(0));
    FArguments << QStringLiteral("-I") + scriptFolder;
    if (kind == TRunKind::Check)
        FArguments << QStringLiteral("-c");
    FArguments << copy;

    TProcessRequest process;
    process.Program = perl.Program;
    process.Arguments = FArguments;
    process.WorkingFolder = scriptFolder;
    process.TimeLimitMs = options.TimeLimit * 1000;
    if (request) {
        process.Environment = request->Environment;
        process.Input = request->Input;
    }
    FKind = kind;
    FSource = {QFile::encodeName(copy), scriptName, document.DocumentJCode(), &document.Chars()};
    FCopyFolder = std::move(folder);
    FCancelled = false;

    // The text is taken now, as it stands, and written on a thread of its own: encoding a large
    // script would stall the window, and the user may go on typing meanwhile.
    auto text = std::make_shared<const TScriptTextCopy>(document.CopyText());
    FLineCount = int(text->LineCount());
    auto written = std::make_shared<TFileResult>();
    FWriter = QThread::create([text, written, copy] { *written = TScriptDocument::WriteCopy(copy, *text); });
    connect(FWriter, &QThread::finished, this, [this, written, copy, process] {
        FWriter->deleteLater();
        FWriter = nullptr;
        TProcessResult result;
        if (FCancelled) {
            result.End = TProcessResult::TEnd::Cancelled;
        } else if (!*written) {
            result.StartError = QStringLiteral("一時ファイル %1 に書き込めません: %2").arg(copy, written->Error);
        } else {
            FProcess.Start(process);
            return;
        }
        End(result);
    });
    FWriter->start();
    return {};
}

} // namespace brenvik
