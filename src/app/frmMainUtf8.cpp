// UTF-8 documents in the main window: a file whose characters the user-defined area cannot all hold is
// opened read-only, so that no save can lose them.
#include "app/frmMain.h"
#include "editor/Editor.h"

namespace brenvik {

void TfrmMain::ShowUnheldChar(const QString& fileName)
{
    const std::optional<TUnheldChar>& unheld = edrMain->DocumentChars().Unheld();
    if (FUnheldReadOnly && !unheld)
        edrMain->SetReadOnly(false);
    FUnheldReadOnly = unheld.has_value();
    if (!unheld)
        return;
    edrMain->SetReadOnly(true);
    const QString code = QStringLiteral("U+%1").arg(static_cast<uint>(unheld->c), 4, 16, QLatin1Char('0')).toUpper();
    FPrompts->ShowError(this,
        QStringLiteral("ファイル「%1」には、Shift_JIS で表せない文字が外字領域（1,880 文字）に収まるより多くあります。"
                       "\n最初に収まらなかった文字: %2（%3 行目）\n読み取り専用で開きました。")
            .arg(fileName, code, QString::number(unheld->line)));
}

} // namespace brenvik
