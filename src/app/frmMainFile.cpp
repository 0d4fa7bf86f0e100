// The main window's file commands: open, save, asking to save, the history and other processes.
// The document reads and writes; the window asks and tells.
#include "app/ExplorerPanel.h"
#include "app/RecoveryKeeper.h"
#include "app/SettingsFile.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "highlight/PERLFountain.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QProgressDialog>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace brenvik {

namespace {

const QString kUntitled = QStringLiteral("新規文章");
// Files from this size up are read with a progress dialog.
constexpr qint64 kProgressBytes = qint64 {32} << 20;
constexpr int kProgressSteps = 1000;

QString Absolute(const QString& fileName)
{
    return QFileInfo(fileName).absoluteFilePath();
}

} // namespace

QString TfrmMain::DocumentFolder() const
{
    if (!FDocument.FileName().isEmpty())
        return FDocument.Folder({});
    // A new document starts where the user last opened or saved a script, in any copy.
    for (const QString& entry : TSettingsFile().History()) {
        const QString folder = QFileInfo(entry).absolutePath();
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}

bool TfrmMain::LoadFile(const QString& fileName, JCode jcode, RCode rcode, bool stated)
{
    const QString name = Absolute(fileName);
    const TScriptFileCheck check = CheckScriptFile(name);
    if (!check.Refusal.isEmpty()) {
        FPrompts->ShowError(this, QStringLiteral("ファイル「%1」を開けませんでした。\n%2").arg(name, check.Refusal));
        return false;
    }
    if (check.LooksBinary && !FPrompts->AskYesNo(this, name + QStringLiteral("はバイナリファイルのようです。開きますか？")))
        return false;
    // The rows are wrapped as they are read, so the wrap width the window will ask for at its
    // next idle moment is set first: otherwise a script opened just after the first show is
    // wrapped twice.
    FollowWindowWidth();
    // A large file shows how far the read has come, and can be cancelled (the document stays as it was).
    std::unique_ptr<QProgressDialog> progress;
    TReadProgress report;
    if (QFileInfo(name).size() >= kProgressBytes) {
        progress = std::make_unique<QProgressDialog>(QStringLiteral("「%1」を読んでいます...").arg(name),
            QStringLiteral("キャンセル"), 0, kProgressSteps, this);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        report = [&](std::uint64_t done, std::uint64_t total) {
            progress->setValue(static_cast<int>(done * kProgressSteps / std::max<std::uint64_t>(total, 1)));
            return !progress->wasCanceled();
        };
    }
    const TFileResult result = FDocument.Load(
        name, stated ? std::optional<TStatedCodes>(TStatedCodes {jcode, rcode}) : std::nullopt, check, report);
    if (progress && progress->wasCanceled())
        return false;
    if (!result) {
        FPrompts->ShowError(this, QStringLiteral("ファイル「%1」を開けませんでした。\n%2").arg(name, result.Error));
        return false;
    }
    ShowDocument(result.Note);
    if (!result.Warning.isEmpty())
        FPrompts->ShowWarning(this, QStringLiteral("ファイル「%1」\n%2").arg(name, result.Warning));
    if (const std::optional<TUnheldChar>& unheld = FDocument.Unheld()) {
        const QString code = QStringLiteral("U+%1").arg(static_cast<uint>(unheld->c), 4, 16, QLatin1Char('0')).toUpper();
        FPrompts->ShowError(this,
            QStringLiteral("ファイル「%1」には、Shift_JIS で表せない文字が外字領域（1,880 文字）に収まるより多くあります。"
                           "\n最初に収まらなかった文字: %2（%3 行目）\n読み取り専用で開きました。")
                .arg(name, code, QString::number(unheld->line)));
    }
    return true;
}

bool TfrmMain::SaveFile(const QString& fileName, JCode jcode, RCode rcode, bool bom, TWriteForms forms)
{
    const QString name = Absolute(fileName);
    if (const std::optional<TOwnCharsFound> own = FDocument.CharsLostIn(jcode);
        own
        && !FPrompts->AskYesNo(this,
            QStringLiteral("「%1」には Shift_JIS で表せない文字が %2 か所あります（最初は %3 行目の「%4」）。\n"
                           "UTF-8 以外で保存すると外字のコードで書かれ、元の文字には戻りません。\n保存しますか？")
                .arg(name)
                .arg(own->Count)
                .arg(own->Line)
                .arg(QString::fromUcs4(&own->First, 1))))
        return false;
    switch (AskOverwriteChanged(name)) {
    case TOverwrite::Go:
        break;
    case TOverwrite::SaveAs:
        return FileSaveAs();
    case TOverwrite::Cancel:
        return false;
    }
    if (!BackUp(name))
        return false;
    const TFileResult result = FDocument.Save(name, {jcode, rcode, bom}, FOptions.DefaultRCode, forms);
    if (!result) {
        FPrompts->ShowError(this, QStringLiteral("ファイル「%1」に保存できませんでした。\n%2").arg(name, result.Error));
        return false;
    }
    if (!result.Warning.isEmpty())
        FPrompts->ShowWarning(this, QStringLiteral("ファイル「%1」\n%2").arg(name, result.Warning));
    ShowDocument(result.Note);
    return true;
}

void TfrmMain::ShowDocument(const QString& note)
{
    PERLFountain->SetTrailBytesEscape(FDocument.WrittenInShiftJis());
    // The recovery file of the text before goes; the file on disk is what the document holds.
    FRecovery->Discard();
    FollowFile(TakeDiskStamp(FDocument.FileName()));
    AddHistory(FDocument.FileName());
    UpdateTitle();
    FExplorer->ShowSideFile();
    if (!note.isEmpty())
        ShowMessage(note);
    FExplorer->MakeListSoon();
}

TAnswer TfrmMain::QuerySave()
{
    if (!FDocument.Model().Modified())
        return TAnswer::No;
    const QString name = FDocument.FileName().isEmpty() ? kUntitled : FDocument.FileName();
    return FPrompts->AskSave(this, name + QStringLiteral("は変更されています。\n保存しますか？"));
}

bool TfrmMain::SaveIfAsked()
{
    switch (QuerySave()) {
    case TAnswer::No:
        return true;
    case TAnswer::Yes:
        return FileSave();
    default:
        return false;
    }
}

void TfrmMain::AddHistory(const QString& fileName)
{
    TSettingsFile().AddHistory(fileName);
}

bool TfrmMain::OpenElsewhere(const QString& fileName, const QString& position)
{
    // The name travels as one argument, never through a command line a quote could break.
    QStringList arguments;
    if (!position.isEmpty())
        arguments.append(position);
    if (!fileName.isEmpty())
        arguments.append(Absolute(fileName));
    if (FPrompts->StartProcess(QCoreApplication::applicationFilePath(), arguments))
        return true;
    FPrompts->ShowError(this, QStringLiteral("新しいウィンドウを開けませんでした。\n%1").arg(QCoreApplication::applicationFilePath()));
    return false;
}

void TfrmMain::OpenHereOrElsewhere(const QString& fileName)
{
    const QString name = Absolute(fileName);
    if (!FDocument.FileName().isEmpty() && name == FDocument.FileName())
        return;
    if (FDocument.IsEmpty())
        LoadFile(name);
    else
        OpenElsewhere(name);
}

void TfrmMain::FileNew()
{
    OpenElsewhere();
}

void TfrmMain::FileOpen()
{
    const QString name = FPrompts->OpenFileName(this, DocumentFolder());
    if (!name.isEmpty())
        OpenHereOrElsewhere(name);
}

QString TfrmMain::FileToReplaceDocument()
{
    return SaveIfAsked() ? FPrompts->OpenFileName(this, DocumentFolder()) : QString();
}

void TfrmMain::FileOpenClose()
{
    const QString name = FileToReplaceDocument();
    if (!name.isEmpty())
        LoadFile(name);
}

void TfrmMain::FileOpenCode()
{
    const QString name = FileToReplaceDocument();
    if (name.isEmpty())
        return;
    TCodePair codes {FDocument.DocumentJCode(), FDocument.DocumentRCode(), FDocument.Bom()};
    if (FPrompts->ChooseCode(this, name, codes, false))
        LoadFile(name, codes.jcode, codes.rcode, true);
}

bool TfrmMain::FileSave()
{
    return FDocument.FileName().isEmpty()
        ? FileSaveAs()
        : SaveFile(FDocument.FileName(), FDocument.DocumentJCode(), FDocument.DocumentRCode(), FDocument.Bom());
}

bool TfrmMain::FileSaveAs()
{
    const QString& current = FDocument.FileName();
    // A script saved under another name keeps its codes: its server reads it as before. A new document
    // takes the default codes.
    TCodePair codes {FOptions.DefaultJCode, FOptions.DefaultRCode, false};
    if (!current.isEmpty())
        codes = {FDocument.DocumentJCode(), FDocument.DocumentRCode(), FDocument.Bom()};
    bool chooseCode = false;
    const QString name = FPrompts->SaveScriptName(
        this, current.isEmpty() ? DocumentFolder() : current, CodeText(codes.jcode, codes.rcode, codes.bom), chooseCode);
    if (name.isEmpty())
        return false;
    if (chooseCode)
        return FPrompts->ChooseCode(this, name, codes, true)
            && SaveFile(name, codes.jcode, codes.rcode, codes.bom, TWriteForms::wfRules);
    return SaveFile(name, codes.jcode, codes.rcode, codes.bom);
}

bool TfrmMain::FileSaveCode()
{
    const QString& current = FDocument.FileName();
    const QString name = FPrompts->SaveFileName(this, current.isEmpty() ? DocumentFolder() : current);
    if (name.isEmpty())
        return false;
    TCodePair codes {FDocument.DocumentJCode(), FDocument.DocumentRCode(), FDocument.Bom()};
    return FPrompts->ChooseCode(this, name, codes, true)
        && SaveFile(name, codes.jcode, codes.rcode, codes.bom, TWriteForms::wfRules);
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event)
{
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    RunCommand([&] {
        for (int i = 1; i < files.size(); ++i)
            OpenElsewhere(files[i]);
        OpenHereOrElsewhere(files.front());
    });
}

} // namespace brenvik
