// The main window's safeguards for typed text: the recovery file and the question at start, the
// watch on the file for changes by other programs, and the backup before a save.
#include "app/DiskWatch.h"
#include "app/RecoveryKeeper.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "model/BackupCopy.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace brenvik {

namespace {

QString ShownName(const QString& fileName)
{
    return fileName.isEmpty() ? QStringLiteral("新規文章") : fileName;
}

} // namespace

void TfrmMain::CreateRecoveryParts()
{
    FRecovery = new TRecoveryKeeper(FDocument, this);
    FDiskWatch = new TDiskWatch([this] { RunCommand([this] { CheckDisk(); }); }, this);
    // After the explorer, whose handler of the same event runs first.
    edrMain->OnChange = [this, before = std::move(edrMain->OnChange)](TEditor* editor) {
        if (before)
            before(editor);
        FRecovery->Edited();
    };
    ApplyRecoveryOptions();
}

void TfrmMain::ApplyRecoveryOptions()
{
    FRecovery->SetTiming(FOptions.Recovery, FOptions.RecoveryIdle * 1000, FOptions.RecoveryLongest * 1000);
}

void TfrmMain::OpenAtStart(const QString& fileName)
{
    if (fileName.isEmpty()) {
        for (const TRecoveryEntry& orphan : FRecovery->Store().Orphans())
            OfferRecovery(orphan);
        return;
    }
    const QString name = QFileInfo(fileName).absoluteFilePath();
    std::vector<TRecoveryEntry> orphans = FRecovery->Store().Orphans(name);
    // A script that is gone but left unsaved text is not worth an error box first.
    if (orphans.empty() || QFileInfo::exists(name))
        LoadFile(name);
    // The newest first: it holds the latest text.
    for (auto orphan = orphans.rbegin(); orphan != orphans.rend(); ++orphan)
        if (OfferRecovery(*orphan))
            break;
}

bool TfrmMain::OfferRecovery(const TRecoveryEntry& orphan)
{
    const TRecoveryHeader& header = orphan.Header;
    QString text = QStringLiteral("前回終了時に保存されていない編集内容があります。復元しますか？\n\nファイル: %1\n記録した時刻: %2")
                       .arg(ShownName(header.FileName), header.Written.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    if (!header.FileName.isEmpty() && header.Stamp && CompareDiskStamp(header.FileName, *header.Stamp) != TDiskState::Same)
        text += QStringLiteral("\n\nこのファイルは、その後ディスク上で変更されています。復元した内容を保存すると、その変更は失われます。");
    // 復元, 破棄 (the file goes), or 後で (it stays for the next start).
    const int answer = FPrompts->AskChoice(this, text, {QStringLiteral("復元"), QStringLiteral("破棄"), QStringLiteral("後で")});
    if (answer == 1)
        QFile::remove(orphan.Path);
    if (answer != 0)
        return false;
    // This window takes the text when it shows nothing of the user's yet; otherwise another copy does.
    const bool here = !FDocument.Model().Modified()
        && (FDocument.FileName().isEmpty() || FDocument.FileName() == header.FileName);
    if (here)
        return Restore(orphan);
    FPrompts->StartProcess(QCoreApplication::applicationFilePath(), {QStringLiteral("--recover"), orphan.Path});
    return false;
}

bool TfrmMain::RestoreRecovery(const QString& path)
{
    std::optional<TRecoveryHeader> header = ReadRecoveryHeader(path);
    if (!header || IsRunning(header->Owner)) {
        ShowMessage(QStringLiteral("復元する内容は、すでにほかのウィンドウが復元しました。"));
        return false;
    }
    return Restore({path, std::move(*header)});
}

bool TfrmMain::Restore(const TRecoveryEntry& orphan)
{
    const QString own = FRecovery->Store().OwnPath(orphan.Header.FileName);
    // Of two copies started at once, only the first takes the file.
    if (!TRecoveryStore::Claim(orphan, own)) {
        ShowMessage(QStringLiteral("復元する内容は、すでにほかのウィンドウが復元しました。"));
        return false;
    }
    const std::optional<TRecoveredText> recovered = ReadRecoveryFile(own);
    const TFileResult result = recovered ? FDocument.Restore(*recovered) : TFileResult {QStringLiteral("ファイルが壊れています。"), {}, {}};
    if (!result) {
        // The file stays, under this process's name, for another try after the next start.
        FPrompts->ShowError(this, QStringLiteral("編集内容を復元できませんでした。\n%1\n%2").arg(own, result.Error));
        return false;
    }
    ShowDocument(result.Note);
    FollowFile(recovered->Header.Stamp);
    // The file is this process's now: rewritten at once under its identity, so that another copy
    // started meanwhile does not take it for an orphan.
    FRecovery->Adopt(own);
    FRecovery->WriteNow();
    CheckDisk();
    return true;
}

void TfrmMain::FollowFile(const std::optional<TDiskStamp>& stamp)
{
    FDiskWatch->Follow(FDocument.FileName(), stamp);
    FRecovery->SetDiskStamp(stamp);
    FDiskState = TDiskState::Same;
    FKeptChange.reset();
    UpdateTitle();
}

void TfrmMain::CheckDisk()
{
    if (FCheckingDisk || FClosing || FDocument.FileName().isEmpty())
        return;
    const QString& name = FDocument.FileName();
    const TDiskState state = FDiskWatch->State();
    const bool told = state == FDiskState;
    FDiskState = state;
    UpdateTitle();
    switch (state) {
    case TDiskState::Same:
        return;
    case TDiskState::Missing:
        if (!told)
            ShowMessage(QStringLiteral("ファイル「%1」はディスク上にありません（削除または移動されました）。保存すると書き直します。").arg(name));
        return;
    case TDiskState::Folder:
        if (!told)
            ShowMessage(QStringLiteral("「%1」はフォルダに置き換えられました。名前を付けて保存してください。").arg(name));
        return;
    case TDiskState::Changed:
        break;
    }
    const std::optional<TDiskStamp> now = TakeDiskStamp(name);
    if (FKeptChange == now)
        return;
    if (FDocument.Model().Modified()) {
        // The question comes with the save, which would overwrite the other program's change.
        ShowMessage(QStringLiteral("ファイル「%1」が他のプログラムで変更されました。保存するときに確認します。").arg(name));
        FKeptChange = now;
        return;
    }
    FCheckingDisk = true;
    const bool reload = FPrompts->AskYesNo(
        this, QStringLiteral("ファイル「%1」が他のプログラムで変更されました。再読み込みしますか？").arg(name));
    FCheckingDisk = false;
    if (reload && LoadFile(name))
        return;
    FKeptChange = now;
}

TfrmMain::TOverwrite TfrmMain::AskOverwriteChanged(const QString& fileName)
{
    if (fileName != FDocument.FileName() || FDiskWatch->State() != TDiskState::Changed)
        return TOverwrite::Go;
    switch (FPrompts->AskChoice(this,
        QStringLiteral("ファイル「%1」は、開いた後に他のプログラムで変更されています。\n上書きすると、その変更は失われます。")
            .arg(fileName),
        {QStringLiteral("上書き"), QStringLiteral("名前を付けて保存"), QStringLiteral("キャンセル")})) {
    case 0:
        return TOverwrite::Go;
    case 1:
        return TOverwrite::SaveAs;
    default:
        return TOverwrite::Cancel;
    }
}

bool TfrmMain::BackUp(const QString& fileName)
{
    if (!FOptions.Backup)
        return true;
    const QDateTime now = QDateTime::currentDateTime();
    const QString error = WriteBackup(fileName, FOptions.BackupFolder, now);
    if (error.isEmpty())
        return true;
    FPrompts->ShowError(this,
        QStringLiteral("バックアップ「%1」を作成できなかったため、保存しませんでした。\n%2\nファイル「%3」は変更していません。")
            .arg(BackupPath(fileName, FOptions.BackupFolder, now), error, fileName));
    return false;
}

QString TfrmMain::DiskNote() const
{
    switch (FDiskState) {
    case TDiskState::Missing:
        return QStringLiteral("（ディスク上にありません）");
    case TDiskState::Folder:
        return QStringLiteral("（フォルダに置き換えられました）");
    default:
        return {};
    }
}

} // namespace brenvik
