// The grep dialog (検索 > Grep...): the pattern with the find history, the folder with its own history and a
// browse button, the file masks, subfolders, the find options and the code; its last values are kept in the
// settings file's "Grep" section.
#pragma once

#include "grep/GrepRun.h"
#include "search/SearchFlags.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;

namespace brenvik {

// What an accepted dialog asks for.
struct TGrepRequest {
    QString Pattern; // as typed
    std::string SjisPattern;
    QString Folder; // absolute
    TSearchFlags Flags;
    bool Expression = false;
    std::shared_ptr<const TGrepMatcher> Matcher; // prepared on OK
    TGrepSettings Settings;
};

inline const QString kDefaultGrepMasks = QStringLiteral("*.cgi;*.pl;*.pm;*.html;*.txt");

// "*.cgi;*.pl" as the walk's globs; blanks around each mask are dropped.
std::vector<std::string> GrepMaskGlobs(const QString& masks);

class TGrepDialog : public QDialog {
    Q_OBJECT
public:
    // folder: offered when no folder was used before (the script's folder).
    TGrepDialog(const QString& initialPattern, const QString& folder, QWidget* parent);

    // The request of an accepted dialog.
    const TGrepRequest& Request() const { return request_; }

    QComboBox* cmbPattern;
    QComboBox* cmbFolder;
    QComboBox* cmbMasks;
    QCheckBox* chkSubFolders;
    QCheckBox* chkMatchCase;
    QCheckBox* chkWholeWord;
    QCheckBox* chkNoMatchZenkaku;
    QCheckBox* chkRegex;
    QComboBox* cmbCode;
    QLabel* lblMessage;

private:
    void Browse();
    void TryAccept();
    bool Refuse(const QString& message);
    void Load(const QString& initialPattern, const QString& folder);
    void Save();

    TGrepRequest request_;
};

} // namespace brenvik
