// The installed prompts, and the quiet ones in place before any are installed.
#include "support/Prompts.h"

#include <QtGlobal>

namespace brenvik {

namespace {

// Nobody to ask: nothing is changed, and what would have been shown is logged.
class TUnattendedPrompts final : public TPrompts {
public:
    TAnswer AskSave(QWidget*, const QString& text) override { return Unanswered(text, TAnswer::Cancel); }
    bool AskYesNo(QWidget*, const QString& text) override { return Unanswered(text, false); }
    bool AskOkCancel(QWidget*, const QString& text) override { return Unanswered(text, false); }
    TAnswer AskReplace(QWidget*, const QString& question, const QRect&, int) override
    {
        return Unanswered(question, TAnswer::Cancel);
    }
    void ShowError(QWidget*, const QString& text) override { qWarning("%s", qUtf8Printable(text)); }
    void ShowWarning(QWidget*, const QString& text) override { qWarning("%s", qUtf8Printable(text)); }
    void ShowInformation(QWidget*, const QString&, const QString& text) override
    {
        qInfo("%s", qUtf8Printable(text));
    }
    QString OpenFileName(QWidget*, const QString&) override { return {}; }
    QString SaveFileName(QWidget*, const QString&) override { return {}; }
    QString PdfFileName(QWidget*, const QString&) override { return {}; }
    bool SetupPrinter(QWidget*, QPrinter&) override { return false; }

private:
    template <class T>
    static T Unanswered(const QString& question, T answer)
    {
        qWarning("unanswered: %s", qUtf8Printable(question));
        return answer;
    }
};

TPrompts* gInstalled = nullptr;

} // namespace

TPrompts& Prompts()
{
    static TUnattendedPrompts unattended;
    return gInstalled ? *gInstalled : unattended;
}

TInstalledPrompts::TInstalledPrompts(TPrompts& prompts)
    : FPrevious(gInstalled)
{
    gInstalled = &prompts;
}

TInstalledPrompts::~TInstalledPrompts()
{
    gInstalled = FPrevious;
}

} // namespace brenvik
