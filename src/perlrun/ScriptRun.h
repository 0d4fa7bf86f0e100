// A check ("perl -c") or a CGI run of a document's current text: the text is written in the
// document's own code to a private copy in a folder of its own (never beside the script), and
// perl runs on it from the script's folder with -I that folder and the "#!" line's switches, so
// that "require './lib.pl'" and "use lib '.'" resolve as on the server.
#pragma once

#include "perlrun/CgiRequest.h"
#include "perlrun/PerlMessages.h"
#include "perlrun/PerlProcess.h"
#include "perlrun/RunOptions.h"

#include <QObject>
#include <QTemporaryDir>
#include <QThread>

#include <memory>

namespace brenvik {

class TScriptDocument;

enum class TRunKind { Check, Cgi };

class TScriptRun : public QObject {
    Q_OBJECT
public:
    explicit TScriptRun(QObject* parent = nullptr);
    ~TScriptRun() override;

    // Starts a run; empty when it started (Finished follows, also when the copy could not be
    // written), else why not: perl missing, a run already going on. request: the CGI run's
    // environment and input.
    QString Start(TRunKind kind, const TScriptDocument& document, const TRunOptions& options,
        const TCgiRequest* request = nullptr);
    // From Start to Finished: the copy being written, then perl running.
    bool Running() const { return FWriter || FProcess.Running(); }
    TRunKind Kind() const { return FKind; }
    // Kills the run's whole process group.
    void Cancel();
    qint64 ProcessGroup() const { return FProcess.ProcessGroup(); }
    // How the last run's messages read: the copy's name, the script's name and code.
    const TMessageSource& Source() const { return FSource; }
    // The lines of the text the last run was given: a different count at the end means the
    // text was edited meanwhile, and the lines perl names are no longer the document's.
    int LineCount() const { return FLineCount; }
    // The arguments perl was given, for the panel.
    const QStringList& Arguments() const { return FArguments; }

signals:
    void Finished(TRunKind kind, const TProcessResult& result);

private:
    void End(const TProcessResult& result);

    TPerlProcess FProcess;
    QThread* FWriter = nullptr; // writes the copy before perl starts
    bool FCancelled = false;    // cancelled while the copy was being written
    TRunKind FKind = TRunKind::Check;
    std::unique_ptr<QTemporaryDir> FCopyFolder;
    TMessageSource FSource;
    QStringList FArguments;
    int FLineCount = 0;
};

} // namespace brenvik
