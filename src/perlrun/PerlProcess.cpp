// A child process in its own group, with a time limit and a cap on what it prints.
#include "perlrun/PerlProcess.h"

#include <signal.h>
#include <unistd.h>

namespace brenvik {

TPerlProcess::TPerlProcess(QObject* parent)
    : QObject(parent)
{
    FLimit.setSingleShot(true);
    // A coarse timer may fire 5 % early: the limit is the limit.
    FLimit.setTimerType(Qt::PreciseTimer);
    connect(&FLimit, &QTimer::timeout, this, [this] { Stop(TProcessResult::TEnd::TimedOut); });
}

TPerlProcess::~TPerlProcess()
{
    if (FProcess) {
        KillGroup();
        FProcess->disconnect(this);
        FProcess->kill();
        FProcess->waitForFinished(1000);
        delete FProcess;
    }
}

bool TPerlProcess::Start(const TProcessRequest& request)
{
    if (FProcess)
        return false;
    FResult = {};
    FStoppedAs.reset();
    FOutputCap = request.OutputCap;
    FProcess = new QProcess(this);
    FProcess->setProgram(request.Program);
    FProcess->setArguments(request.Arguments);
    FProcess->setWorkingDirectory(request.WorkingFolder);
    FProcess->setProcessEnvironment(request.Environment);
    // A group of its own, so that what the script starts (a pipe, a fork in BEGIN) ends with it.
    FProcess->setChildProcessModifier([] { ::setpgid(0, 0); });
    connect(FProcess, &QProcess::readyReadStandardOutput, this, &TPerlProcess::ReadOutput);
    connect(FProcess, &QProcess::readyReadStandardError, this, &TPerlProcess::ReadErrors);
    connect(FProcess, &QProcess::started, this, [this, input = request.Input] {
        FGroup = FProcess->processId();
        FProcess->write(input);
        FProcess->closeWriteChannel();
    });
    connect(FProcess, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        FResult.End = TProcessResult::TEnd::NotStarted;
        FResult.StartError = QStringLiteral("%1 を起動できません: %2").arg(FProcess->program(), FProcess->errorString());
        Finish();
    });
    connect(FProcess, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        ReadOutput();
        ReadErrors();
        FResult.End = FStoppedAs.value_or(
            status == QProcess::NormalExit ? TProcessResult::TEnd::Exited : TProcessResult::TEnd::Crashed);
        FResult.ExitCode = exitCode;
        Finish();
    });
    FClock.start();
    FLimit.start(request.TimeLimitMs);
    FProcess->start();
    return true;
}

void TPerlProcess::ReadOutput()
{
    // Past the cap the output is still read, so that the script is not blocked on a full pipe,
    // and dropped.
    const QByteArray bytes = FProcess->readAllStandardOutput();
    const qint64 room = FOutputCap - FResult.Output.size();
    if (bytes.size() > room) {
        FResult.Output.append(bytes.left(room));
        FResult.OutputCut = true;
    } else {
        FResult.Output.append(bytes);
    }
}

void TPerlProcess::ReadErrors()
{
    const QByteArray bytes = FProcess->readAllStandardError();
    FResult.Errors.append(bytes.left(FOutputCap - FResult.Errors.size()));
}

void TPerlProcess::Cancel()
{
    Stop(TProcessResult::TEnd::Cancelled);
}

void TPerlProcess::Stop(TProcessResult::TEnd end)
{
    if (!FProcess || FStoppedAs)
        return;
    FStoppedAs = end;
    KillGroup();
    // The leader may not be in its group yet (killed before setpgid ran): kill it by its id too.
    FProcess->kill();
}

void TPerlProcess::KillGroup()
{
    if (FGroup > 0)
        ::kill(-pid_t(FGroup), SIGKILL);
}

void TPerlProcess::Finish()
{
    FLimit.stop();
    // Whatever the script left running in its group goes with it.
    KillGroup();
    FGroup = 0;
    FResult.ElapsedMs = FClock.elapsed();
    FProcess->disconnect(this);
    FProcess->deleteLater();
    FProcess = nullptr;
    const TProcessResult result = std::move(FResult);
    FResult = {};
    emit Finished(result);
}

} // namespace brenvik
