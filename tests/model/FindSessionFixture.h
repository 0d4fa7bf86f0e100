// A script document whose find session the tests drive: its text, selection and a replace loop
// answered from a queue.
#pragma once

#include "model/ScriptDocument.h"
#include "text/EditorStrings.h"

#include <gtest/gtest.h>

#include <deque>

namespace brenvik::test {

class TFindSessionFixture : public ::testing::Test {
protected:
    TEditorModel& Model() { return document.Model(); }
    TFindSession& Find() { return document.Find(); }
    void SetText(const std::string& text)
    {
        Model().Lines().SetTextStr(text);
        Model().SetSelStart(0);
    }
    std::string Text() { return Model().Lines().GetTextStr(); }
    std::pair<qint64, qint64> Selection() { return {Model().SelStart(), Model().SelLength()}; }
    int Replace(const std::string& search, std::uint16_t flags, const std::string& replacement)
    {
        Find().Start(search, replacement, flags);
        return Find().Replace([this](const TSearchRange&) {
            const TAnswer answer = Answers.front();
            Answers.pop_front();
            ++Asked;
            return answer;
        });
    }

    TScriptDocument document;
    std::deque<TAnswer> Answers;
    int Asked = 0;
};

} // namespace brenvik::test
