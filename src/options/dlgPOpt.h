// The print-statement builder's settings dialog ("Printフォームの設定"): the shared editor tabs
// over the builder's editor and its HTML colours; no "その他" tab, no tab or full-width-space
// marks, no explorer.
#pragma once

#include "options/dlgOptionBase.h"

#include <functional>

namespace brenvik {

class THTMLFountain;

// What the dialog edits of the builder window.
struct TPrintOptionTarget {
    TEditor& Editor;          // edrPrint
    THTMLFountain& Fountain;  // the builder's HTMLFountain
    bool& WordWrapWindow;     // the builder's "WordWrapWindow"
    // The builder's own writing of "Print.ini"; false when the file could not be written.
    std::function<bool()> WriteSettings;
    QString SettingsFile;
};

class TdlgPrintOption : public TdlgOptionBase {
    Q_OBJECT
public:
    explicit TdlgPrintOption(QWidget* parent = nullptr);

    void Load(const TEditor& editor, const THTMLFountain& fountain, bool wordWrapWindow);
    void Store(TEditor& editor, THTMLFountain& fountain, bool& wordWrapWindow);

    THTMLFountain& HTMLView() const { return *FHTMLView; }

private:
    // "コメント": the colour of the fountain's "<!--" "-->" bracket item, if it has one.
    TEditedColor OwnColor(const char* name) override;

    THTMLFountain* FHTMLView;
};

// The runner of the builder's "設定(&O)": shows the dialog modally, stores it on OK and writes
// the builder's settings at once. Its result is always false.
bool RunPrintOptionDialog(QWidget* owner, const TPrintOptionTarget& target);

} // namespace brenvik
