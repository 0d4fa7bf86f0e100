// What printing asks the user or tells them, behind replaceable functions, so that tests
// answer without dialogs.
#pragma once

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace brenvik {

struct TPrintPrompts {
    std::function<void(QWidget* parent, const QString& text)> ShowMessage;
    // The PDF file to write; empty when cancelled.
    std::function<QString(QWidget* parent, const QString& suggested)> AskPdfFile;
    // The platform's printer setup; false when cancelled.
    std::function<bool(QWidget* parent, QPrinter& printer)> SetupPrinter;
};

// The program-wide prompts, the real dialogs unless a test put others in place.
TPrintPrompts& PrintPrompts();

} // namespace brenvik
