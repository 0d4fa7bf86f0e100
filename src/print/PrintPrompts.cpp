// The real dialogs behind printing's prompts.
#include "print/PrintPrompts.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace brenvik {

TPrintPrompts& PrintPrompts()
{
    static TPrintPrompts prompts {
        [](QWidget* parent, const QString& text) {
            QMessageBox::information(parent, QStringLiteral("TStringsPrinter"), text);
        },
        [](QWidget* parent, const QString& suggested) {
            return QFileDialog::getSaveFileName(
                parent, QString(), suggested, QStringLiteral("PDF (*.pdf)"));
        },
        [](QWidget* parent, QPrinter& printer) {
            // The range is chosen in the setup form, not here.
            QPrintDialog dialog(&printer, parent);
            dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
            dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
            dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
            // This dialog only sets the printer up; printing is the setup form's button.
            dialog.setWindowTitle(QStringLiteral("プリンタの設定"));
            if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
                if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                    ok->setText(QStringLiteral("OK"));
            return dialog.exec() == QDialog::Accepted;
        },
    };
    return prompts;
}

} // namespace brenvik
