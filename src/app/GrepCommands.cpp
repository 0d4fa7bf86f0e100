// Grep in the window: the dialog, the job and the panel's progress line, and opening a hit.
#include "app/GrepCommands.h"

#include "app/GrepJob.h"
#include "app/GrepPanel.h"
#include "app/SearchHistory.h"
#include "app/SettingsFile.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "jcode/SjisUnicode.h"
#include "model/LineColumnJump.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace brenvik {

namespace {

const QString kPanelShown = QStringLiteral("Grep/PanelShown");

bool SameFile(const QString& one, const QString& other)
{
    const QFileInfo first(one);
    const QFileInfo second(other);
    return first.absoluteFilePath() == second.absoluteFilePath()
        || (!first.canonicalFilePath().isEmpty() && first.canonicalFilePath() == second.canonicalFilePath());
}

} // namespace

TGrepCommands::TGrepCommands(TfrmMain& window)
    : QObject(&window)
    , FWindow(window)
    , FPanel(new TGrepPanel(&window))
{
    // Below any panels already at the bottom, across the window's width: hit lines are long.
    FWindow.addDockWidget(Qt::BottomDockWidgetArea, FPanel, Qt::Vertical);
    FPanel->setVisible(TSettingsFile().Value(kPanelShown).toBool());
    FWindow.BindCommand("actGrep", [this] { Grep(); });
    connect(FPanel, &TGrepPanel::CancelAsked, this, &TGrepCommands::Cancel);
    connect(FPanel, &TGrepPanel::HitChosen, this, [this](const TGrepRow& row) { OpenHit(row); });
}

TGrepCommands::~TGrepCommands()
{
    FJob.reset();
    TSettingsFile settings;
    settings.SetValue(kPanelShown, !FPanel->isHidden());
    settings.Sync();
}

bool TGrepCommands::Running() const
{
    return FJob && FJob->Running();
}

void TGrepCommands::Grep()
{
    const std::string selected = InitialSearchBytes(FWindow.Editor().SelText());
    const QString initial = SjisToUnicode(selected, FWindow.Document().Chars());
    TGrepDialog dialog(initial, QDir::toNativeSeparators(FWindow.Document().Folder(QDir::currentPath())), &FWindow);
    if (dialog.exec() == QDialog::Accepted)
        Start(dialog.Request());
}

void TGrepCommands::Start(const TGrepRequest& request)
{
    FJob.reset();
    FPanel->Hits().Clear(request.Folder);
    if (FPanel->isHidden() && !FPanel->isFloating()) {
        // Docked again when it comes back: a row of its own below the panels the layouts put at the bottom.
        FWindow.removeDockWidget(FPanel);
        FWindow.addDockWidget(Qt::BottomDockWidgetArea, FPanel, Qt::Vertical);
    }
    FPanel->show();
    FPanel->raise();
    FPattern = request.Pattern;
    FWalked = FDone = FHitFiles = 0;
    FHits = 0;
    FWalkOver = false;
    FClock.start();
    FJob = std::make_unique<TGrepJob>(request.Matcher,
        std::vector<std::string> {QFile::encodeName(request.Folder).toStdString()}, request.Settings);
    connect(FJob.get(), &TGrepJob::PathsWalked, this, [this](qulonglong paths) {
        FWalked = paths;
        FWalkOver = true;
        ShowProgress();
    });
    connect(FJob.get(), &TGrepJob::FilesArrived, this, &TGrepCommands::Arrived);
    connect(FJob.get(), &TGrepJob::Finished, this, &TGrepCommands::Finished);
    FPanel->CancelButton()->setEnabled(true);
    ShowProgress();
    FJob->Start();
}

void TGrepCommands::Cancel()
{
    if (FJob)
        FJob->Cancel();
}

void TGrepCommands::Arrived(const std::vector<TGrepFile>& files)
{
    FDone += files.size();
    for (const TGrepFile& file : files)
        FHitFiles += file.MatchedLines > 0;
    FHits += FPanel->Hits().Append(files);
    ShowProgress();
}

void TGrepCommands::ShowProgress()
{
    FPanel->Progress()->setText(FWalkOver ? QStringLiteral("「%1」を検索中… %2 / %3 ファイル、%4 行")
                                                .arg(FPattern).arg(FDone).arg(FWalked).arg(FHits)
                                          : QStringLiteral("「%1」を検索中… ファイルを集めています").arg(FPattern));
}

void TGrepCommands::Finished(const TGrepTotals& totals)
{
    FPanel->CancelButton()->setEnabled(false);
    if (totals.Cancelled) {
        FPanel->Progress()->setText(QStringLiteral("「%1」の検索を中止しました: %2 / %3 ファイルまで、%4 行")
                                        .arg(FPattern).arg(FDone).arg(FWalked).arg(FHits));
        return;
    }
    QString text = QStringLiteral("「%1」: %2 ファイル中 %3 ファイルで %4 行")
                       .arg(FPattern).arg(totals.Files).arg(totals.FilesWithHits).arg(totals.Lines);
    if (totals.Failed > 0)
        text += QStringLiteral("、読めなかったファイル %1").arg(totals.Failed);
    FPanel->Progress()->setText(text + QStringLiteral("（%1 秒）").arg(double(FClock.elapsed()) / 1000.0, 0, 'f', 2));
}

void TGrepCommands::OpenHit(const TGrepRow& row)
{
    if (!FWindow.Document().FileName().isEmpty() && SameFile(row.Path, FWindow.Document().FileName())) {
        SelectAtLineColumn(FWindow.Document(), row.Line, row.Column, row.Length);
        FWindow.Editor().ScrollCaret();
        FWindow.Editor().setFocus();
        return;
    }
    FWindow.OpenElsewhere(row.Path, QStringLiteral("+%1:%2").arg(row.Line).arg(row.Column));
}

} // namespace brenvik
