// One run of perl (or any program) as a child process in a process group of its own: standard
// input given whole, standard output and error collected up to a cap, a time limit, cancel, and
// the whole group killed when the run is cut short. Never blocks the thread it runs on.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTimer>

#include <optional>

namespace brenvik {

// What one run came to.
struct TProcessResult {
    enum class TEnd { Exited, Crashed, TimedOut, Cancelled, NotStarted };
    TEnd End = TEnd::NotStarted;
    int ExitCode = -1;
    QString StartError; // why the program did not start (NotStarted), in a sentence
    QByteArray Output;
    QByteArray Errors;
    bool OutputCut = false; // output beyond the cap was dropped
    qint64 ElapsedMs = 0;
    bool Ended() const { return End == TEnd::Exited; }
};

struct TProcessRequest {
    QString Program;
    QStringList Arguments;
    QString WorkingFolder;
    QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
    QByteArray Input;
    int TimeLimitMs = 10000;
    qint64 OutputCap = 10 * 1024 * 1024;
};

class TPerlProcess : public QObject {
    Q_OBJECT
public:
    explicit TPerlProcess(QObject* parent = nullptr);
    ~TPerlProcess() override;

    // Starts a run; Finished follows once, also when the program cannot start. False while a run
    // is going on.
    bool Start(const TProcessRequest& request);
    bool Running() const { return FProcess != nullptr; }
    // Ends the run: the whole process group is killed and Finished says Cancelled.
    void Cancel();
    // The process group of the run going on (its leader's id); 0 when none.
    qint64 ProcessGroup() const { return FGroup; }

signals:
    void Finished(const TProcessResult& result);

private:
    void ReadOutput();
    void ReadErrors();
    void Stop(TProcessResult::TEnd end);
    void Finish();
    void KillGroup();

    QProcess* FProcess = nullptr;
    QTimer FLimit;
    QElapsedTimer FClock;
    qint64 FGroup = 0;
    qint64 FOutputCap = 0;
    TProcessResult FResult;
    std::optional<TProcessResult::TEnd> FStoppedAs; // the time limit or a cancel ended the run
};

} // namespace brenvik
