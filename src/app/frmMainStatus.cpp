// The main window at idle: command states, the status panels, the title, the wrap width
// that follows the window, and the history items rebuilt when another copy changed them.
#include "app/ProgramFolder.h"
#include "app/dlgSaveCode.h"
#include "app/SettingsFile.h"
#include "app/RecoveryKeeper.h"
#include "app/frmMain.h"
#include "editor/CharacterReadout.h"
#include "editor/Editor.h"
#include "editor/EditorLeftbar.h"
#include "text/EditorWrapOption.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

namespace brenvik {

namespace {

void SetText(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

} // namespace

void TfrmMain::CreateStatusBar()
{
    // Panels 0-4 keep at least their designed widths; panel 5 takes the rest; panel 6, at the
    // right, reads out the character under the caret.
    constexpr int kWidths[] = {80, 50, 50, 50, 80, 50, 130};
    for (int i = 0; i < 7; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setMinimumWidth(kWidths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(panel, i == 5 ? 1 : 0);
        FStatusPanels.push_back(panel);
    }
}

QString TfrmMain::StatusPanelText(int panel) const
{
    return FStatusPanels.at(static_cast<std::size_t>(panel))->text();
}

void TfrmMain::ShowMessage(const QString& text)
{
    FStatusPanels[5]->setText(text);
}

void TfrmMain::UpdateStatusBar()
{
    const int row = edrMain->Row();
    const bool byLine = edrMain->Leftbar()->ShowNumberMode() == TEditorEnums::nmLine;
    const int line = byLine ? edrMain->LineOfRow(row) : row;
    const int column = byLine ? edrMain->LineCharIndex(row, edrMain->Col()) : edrMain->Col();
    SetText(FStatusPanels[0], QString::asprintf("%5d 行:%4d 桁", line + 1, column + 1));
    SetText(FStatusPanels[1], edrMain->Modified() ? QStringLiteral("更新") : QString());
    SetText(FStatusPanels[2], edrMain->Overwrite() ? QStringLiteral("上書き") : QStringLiteral("挿入"));
    SetText(FStatusPanels[3], edrMain->BoxSelection() ? QStringLiteral("矩形") : QString());
    SetText(FStatusPanels[4], CodeText(FDocument.DocumentJCode(), FDocument.DocumentRCode(), FDocument.Bom()));
    SetText(FStatusPanels[6], CaretCharacterReadout(*edrMain, FDocument.DocumentJCode() == jcUtf8));
}

void TfrmMain::UpdateTitle()
{
    // The caption is the full path; the task-bar title "name : BV" is the window's icon text
    // (WM_ICON_NAME on X11). The application's display name stays unset: the platform would
    // append it to every caption and recompose it only when the caption itself changes.
    const QString& fileName = FDocument.FileName();
    const QString caption = (fileName.isEmpty() ? QStringLiteral("新規文章") : fileName) + DiskNote();
    const QString shortName = fileName.isEmpty() ? caption : QFileInfo(fileName).fileName();
    if (windowTitle() != caption)
        setWindowTitle(caption);
    const QString title = shortName + QStringLiteral(" : BV");
    if (windowIconText() != title)
        setWindowIconText(title);
}

void TfrmMain::FollowWindowWidth()
{
    if (!FOptions.WordWrapWindow || !edrMain->WordWrap() || !isVisible())
        return;
    const int columns = std::clamp(edrMain->VisibleCols(), TEditorWrapOption::MinWrapByte, TEditorWrapOption::MaxWrapByte);
    if (columns == FWrapColumns)
        return;
    FWrapColumns = columns;
    edrMain->WrapOption()->SetWrapByte(columns);
}

void TfrmMain::UpdateHistoryMenus()
{
    // Rebuilt only when the settings file changed, and never under the user's pointer.
    const QDateTime stamp = QFileInfo(SettingsFileName()).lastModified();
    if (stamp == FHistoryStamp && !FHistoryItems.isEmpty())
        return;
    if (mnuFile->isVisible() || FReOpenMenu->isVisible())
        return;
    FHistoryStamp = stamp;
    const QStringList entries = TSettingsFile().History();
    if (entries == FHistoryShown && !FHistoryItems.isEmpty())
        return;
    FHistoryShown = entries;
    qDeleteAll(FHistoryItems);
    FHistoryItems.clear();
    const auto insertAfter = [this, &entries](QMenu* menu, QAction* split) {
        const QList<QAction*> items = menu->actions();
        QAction* before = items.value(items.indexOf(split) + 1, nullptr);
        for (int i = 0; i < entries.size(); ++i) {
            // The path travels in the item's data; in the caption an "&" is doubled so that it
            // shows as itself instead of underlining the next letter.
            QString caption = entries[i];
            auto* item = new QAction(QStringLiteral("&%1 %2").arg(i).arg(caption.replace(QLatin1Char('&'), QStringLiteral("&&"))), menu);
            item->setData(entries[i]);
            connect(item, &QAction::triggered, this, [this, item] { RunCommand([&] { OpenHistoryEntry(item->data().toString()); }); });
            menu->insertAction(before, item);
            FHistoryItems.append(item);
        }
    };
    insertAfter(mnuFile, mnuHistorySplit);
    insertAfter(FReOpenMenu, FReOpenSplit);
}

void TfrmMain::OpenHistoryEntry(const QString& fileName)
{
    if (!QFileInfo::exists(fileName)) {
        FPrompts->ShowError(this, fileName + QStringLiteral("が見つかりません。"));
        return;
    }
    OpenHereOrElsewhere(fileName);
}

void TfrmMain::IdleUpdate()
{
    if (FClosing)
        return;
    for (const TUpdateRule& rule : FRules) {
        const bool enabled = rule.Enabled();
        if (rule.Action->isEnabled() != enabled)
            rule.Action->setEnabled(enabled);
        if (rule.Checked) {
            const bool checked = rule.Checked();
            if (rule.Action->isChecked() != checked)
                rule.Action->setChecked(checked);
        }
    }
    UpdateStatusBar();
    UpdateTitle();
    if (const QString error = FRecovery->TakeError(); !error.isEmpty())
        ShowMessage(QStringLiteral("編集内容を復元用ファイルに記録できませんでした。%1").arg(error));
    FollowWindowWidth();
    UpdateHistoryMenus();
}

} // namespace brenvik
