// Answers for the main window's dialogs and forms and a record of what it asked, for offscreen tests.
#pragma once

#include "common/FakePrompts.h"

#include "app/FindDialog.h"
#include "app/UserPrompts.h"
#include "jcode/DocumentChars.h"
#include "perlrun/CgiRequest.h"

#include <optional>
#include <string>
#include <vector>

namespace brenvik::test {

class TFakePrompts : public TFakePromptsOf<TUserPrompts> {
public:
    bool ChooseCode(QWidget*, const QString&, TCodePair& codes, bool saving) override
    {
        CodeDialogs.append({codes, saving});
        if (!CodeAnswer)
            return false;
        codes = *CodeAnswer;
        return true;
    }
    QString SaveScriptName(QWidget* parent, const QString& start, const QString& codes, bool& chooseCode) override
    {
        SaveCodes.append(codes);
        chooseCode = ChooseCodeOnSave;
        return SaveFileName(parent, start);
    }
    bool RunFind(QWidget*, const std::string& initial, const TDocumentChars& chars, TFindRequest& request) override
    {
        Initials.push_back(initial);
        Chars = chars;
        request = Request.value_or(TFindRequest {});
        return !request.Search.empty();
    }
    // Like the form, the search text stays in the request when only the replacement is empty.
    bool RunReplace(QWidget*, const std::string& initial, const TDocumentChars& chars, TFindRequest& request) override
    {
        Initials.push_back(initial);
        Chars = chars;
        request = Request.value_or(TFindRequest {});
        return !request.Search.empty() && !request.Replacement.empty();
    }
    bool StartProcess(const QString&, const QStringList& arguments) override
    {
        Started.append(arguments);
        return StartSucceeds;
    }

    bool RunCgiForm(QWidget*, TCgiForm& form) override
    {
        CgiForms.push_back(form);
        if (!CgiAnswer)
            return false;
        form = *CgiAnswer;
        return true;
    }
    bool OpenInBrowser(const QString& fileName) override
    {
        Browsed.append(fileName);
        return true;
    }

    std::optional<TCodePair> CodeAnswer;
    std::optional<TCgiForm> CgiAnswer;
    std::vector<TCgiForm> CgiForms;
    QStringList Browsed;
    // The next of Choices; the last button (Escape) when they have run out.
    int AskChoice(QWidget*, const QString& text, const QStringList& buttons) override
    {
        ChoiceQuestions.append(text);
        ChoiceButtons.append(buttons);
        if (Choices.empty())
            return static_cast<int>(buttons.size()) - 1;
        const int choice = Choices.front();
        Choices.pop_front();
        return choice;
    }

    std::deque<int> Choices;
    QStringList ChoiceQuestions;
    QList<QStringList> ChoiceButtons;
    std::optional<TFindRequest> Request;
    bool StartSucceeds = true;
    bool ChooseCodeOnSave = false; // the save dialog's "コード指定して保存" is taken
    QStringList SaveCodes; // the codes each save dialog showed

    QList<std::pair<TCodePair, bool>> CodeDialogs;
    std::vector<std::string> Initials;
    TDocumentChars Chars;
    QList<QStringList> Started;
};

} // namespace brenvik::test
