// The main window's document: open, save, asking to save, the history and other processes.
#include "app/SettingsFile.h"
#include "app/ScriptFileCheck.h"
#include "app/ScriptIO.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "jcode/FileBytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <new>

namespace brenvik {

namespace {

const QString kUntitled = QStringLiteral("新規文章");

QString Absolute(const QString& fileName)
{
    return QFileInfo(fileName).absoluteFilePath();
}

std::string NativeName(const QString& fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

// The reason of a failed read or write, in the words of the file layer.
QString ReasonOf(const std::exception& error)
{
    if (const auto* fileError = dynamic_cast<const EScriptFileError*>(&error))
        return QString::fromStdString(fileError->Reason());
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return QStringLiteral("メモリが足りません。");
    return QString::fromLocal8Bit(error.what());
}

} // namespace

bool TfrmMain::IsEmptyDocument() const
{
    return FFileName.isEmpty() && !edrMain->Modified();
}

QString TfrmMain::DocumentFolder() const
{
    return FFileName.isEmpty() ? QDir::currentPath() : QFileInfo(FFileName).absolutePath();
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
    TStatedCodes codes;
    try {
        codes = ReadScriptInto(*edrMain, NativeName(name),
            stated ? std::optional<TStatedCodes>(TStatedCodes {jcode, rcode}) : std::nullopt);
    } catch (const std::exception& error) {
        FPrompts->ShowError(this, QStringLiteral("ファイル「%1」を開けませんでした。\n%2").arg(name, ReasonOf(error)));
        return false;
    }
    // The script being replaced keeps what changed in its side file.
    WriteChangedSideFile();
    // Only now, with the text in place, does the document take the file's name and codes.
    FFileName = name;
    SetDocumentJCode(codes.jcode);
    FRCode = codes.rcode;
    FBom = codes.bom;
    ShowUnheldChar(name);
    FFirstBreak = check.FirstBreak;
    edrMain->SetModified(false);
    edrMain->SetRowCol(0, 0);
    AddHistory(name);
    UpdateTitle();
    ReadSideFile();
    MakeListSoon();
    return true;
}

bool TfrmMain::SaveFile(const QString& fileName, JCode jcode, RCode rcode, bool bom)
{
    const QString name = Absolute(fileName);
    // A document read without a line break in its first bytes keeps the file's own first break.
    if (rcode == rcNone)
        rcode = FFirstBreak != rcNone ? FFirstBreak : FOptions.DefaultRCode;
    // A link is written through: its target gets the text, the link stays a link.
    const QFileInfo info(name);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : name;
    if (jcode != jcUtf8 && !AgreeToLoseOwnChars(name))
        return false;
    try {
        WriteScriptFrom(*edrMain, NativeName(target), {jcode, rcode, bom});
    } catch (const std::exception& error) {
        FPrompts->ShowError(this, QStringLiteral("ファイル「%1」に保存できませんでした。\n%2").arg(name, ReasonOf(error)));
        return false;
    }
    FFileName = name;
    SetDocumentJCode(jcode);
    FRCode = rcode;
    FBom = bom;
    FFirstBreak = rcode;
    edrMain->SetModified(false);
    AddHistory(name);
    UpdateTitle();
    WriteSideFile();
    MakeListSoon();
    return true;
}

void TfrmMain::SetDocumentJCode(JCode jcode)
{
    FJCode = jcode;
    edrMain->SetTakesNewChars(jcode == jcUtf8);
}

bool TfrmMain::AgreeToLoseOwnChars(const QString& name)
{
    const std::optional<TOwnCharsFound> own = OwnCharsIn(*edrMain);
    return !own
        || FPrompts->AskYesNo(this,
            QStringLiteral("「%1」には Shift_JIS で表せない文字が %2 か所あります（最初は %3 行目の「%4」）。\n"
                           "UTF-8 以外で保存すると外字のコードで書かれ、元の文字には戻りません。\n保存しますか？")
                .arg(name)
                .arg(own->Count)
                .arg(own->Line)
                .arg(QString::fromUcs4(&own->First, 1)));
}

TAnswer TfrmMain::QuerySave()
{
    if (!edrMain->Modified())
        return TAnswer::No;
    const QString name = FFileName.isEmpty() ? kUntitled : FFileName;
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

bool TfrmMain::OpenElsewhere(const QString& fileName)
{
    // The name travels as one argument, never through a command line a quote could break.
    QStringList arguments;
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
    if (!FFileName.isEmpty() && name == FFileName)
        return;
    if (IsEmptyDocument())
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
    TCodePair codes {FJCode, FRCode, FBom};
    if (FPrompts->ChooseCode(this, name, codes, false))
        LoadFile(name, codes.jcode, codes.rcode, true);
}

bool TfrmMain::FileSave()
{
    return FFileName.isEmpty() ? FileSaveAs() : SaveFile(FFileName, FJCode, FRCode, FBom);
}

bool TfrmMain::FileSaveAs()
{
    const QString name = FPrompts->SaveFileName(this, FFileName.isEmpty() ? DocumentFolder() : FFileName);
    return !name.isEmpty() && SaveFile(name, FOptions.DefaultJCode, FOptions.DefaultRCode);
}

bool TfrmMain::FileSaveCode()
{
    const QString name = FPrompts->SaveFileName(this, FFileName.isEmpty() ? DocumentFolder() : FFileName);
    if (name.isEmpty())
        return false;
    TCodePair codes {FJCode, FRCode, FBom};
    return FPrompts->ChooseCode(this, name, codes, true) && SaveFile(name, codes.jcode, codes.rcode, codes.bom);
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
