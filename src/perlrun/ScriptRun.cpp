// Writing the private copy and starting perl on it.
#include "perlrun/ScriptRun.h"

#include "model/ScriptDocument.h"
#include "perlrun/PerlCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace brenvik {

TScriptRun::TScriptRun(QObject* parent)
    : QObject(parent)
{
    connect(&FProcess, &TPerlProcess::Finished, this, [this](const TProcessResult& result) {
        emit Finished(FKind, result);
        FCopyFolder.reset();
    });
}

TScriptRun::~TScriptRun() = default;

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
    if (const TFileResult written = document.WriteCopy(copy); !written)
        return QStringLiteral("一時ファイル %1 に書き込めません: %2").arg(copy, written.Error);

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
    FProcess.Start(process);
    return {};
}

} // namespace brenvik
