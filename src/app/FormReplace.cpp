// The replace dialog: the replacement field (empty at show, its history loaded), the all
// button and the confirmation check box, which always starts checked and is not stored.
#include "app/FormReplace.h"

#include "app/SearchStore.h"
#include "jcode/SjisUnicode.h"
#include "search/RegexReplacement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brenvik {

namespace {

const char* const kHelp = "検索する文字列と置換える文字列を入力します。\n"
                          "OK: 次に見つかった 1 か所を置換えます。\n"
                          "すべて置換: 見つかった箇所をすべて置換えます。\n"
                          "置換え動作の確認: 置換えるたびに確認します（「すべて」でそれ以降は確認しません）。\n\n"
                          "大/小文字の区別、単語単位、全角・半角、改行・スペース、正規表現の扱いは検索と同じです。\n"
                          "正規表現では置換える文字列に $1～$9、${名前}、$&（見つかった文字列全体）、\\n（改行）、"
                          "\\t（タブ）、\\\\、\\$ が使えます。";

} // namespace

TFormReplace::TFormReplace(QWidget* parent)
    : TFindDialog(QStringLiteral("置換"), QSize(531, 215), QString::fromUtf8(kHelp), parent)
{
    setObjectName(QStringLiteral("FormReplace"));
    ComboBox2 = HistoryBox("ComboBox2");
    Label2 = new QLabel(QStringLiteral("置換える文字列(&R):"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setBuddy(ComboBox2);
    FFields->addWidget(Label2, 1, 0);
    FFields->addWidget(ComboBox2, 1, 1);

    btnAll = new QPushButton(QStringLiteral("すべて置換(&A)"), this);
    btnAll->setObjectName(QStringLiteral("btnAll"));
    FButtons->insertWidget(1, btnAll);
    connect(btnAll, &QPushButton::clicked, this, [this] { btnAllClick(); });

    chkReplaceConfirm = new QCheckBox(QStringLiteral("置換え動作の確認(&P)"), GroupBox1);
    chkReplaceConfirm->setObjectName(QStringLiteral("chkReplaceConfirm"));
    chkReplaceConfirm->setChecked(true);
    FOptions->addWidget(chkReplaceConfirm);

    SetTabOrder({ComboBox1, ComboBox2, btnOK, btnAll, btnCancel, rdbUp, rdbDown, btnHelp, chkMatchCase, chkWholeWord,
        chkNoMatchZenkaku, chkIncludeCRLF, chkRegExp, chkInSelection, chkReplaceConfirm});
}

TSearchFlags TFormReplace::Flags() const
{
    std::uint16_t bits = OptionFlags().Bits() | FButtonFlags.Bits();
    if (chkReplaceConfirm->isChecked())
        bits |= TSearchFlags::ReplaceConfirm;
    return bits;
}

void TFormReplace::btnOKClick()
{
    FButtonFlags = 0;
    if (AcceptWith(QDialog::Accepted))
        FButtonFlags = TSearchFlags::Replace;
}

void TFormReplace::btnAllClick()
{
    FButtonFlags = 0;
    if (AcceptWith(ResultAll))
        FButtonFlags = TSearchFlags::ReplaceAll;
}

bool TFormReplace::AcceptFields()
{
    // The replacement is checked before the search text is taken, so that a refusal leaves
    // both histories alone.
    if (const std::optional<QString> bad = FirstUnencodable(ComboBox2->currentText(), FChars)) {
        lblMessage->setText(UnencodableMessage(*bad));
        lblMessage->show();
        ComboBox2->setFocus();
        return false;
    }
    if (!TFindDialog::AcceptFields() || !TakeField(ComboBox2, FReplaceHistory, FReplaceText))
        return false;
    // A reference to a group the expression does not have is refused before anything changes.
    if (!Expression())
        return true;
    const TRegexReplacement replacement(FReplaceText, *Expression());
    if (replacement.Valid())
        return true;
    FReplaceText.clear();
    Refuse(QString::fromStdString(replacement.Message(SjisToUnicode(replacement.ErrorReference(), FChars).toStdString())),
        ComboBox2);
    return false;
}

void TFormReplace::LoadFields(TSearchStore& store)
{
    FReplaceText.clear();
    FButtonFlags = 0;
    TFindDialog::LoadFields(store);
    FReplaceHistory = TSearchHistory(store.ReadItems(TSearchStore::ReplaceItems));
    ShowHistory(ComboBox2, FReplaceHistory);
    chkReplaceConfirm->setChecked(true);
    ComboBox2->setEditText(QString());
}

void TFormReplace::SaveFields(TSearchStore& store)
{
    TFindDialog::SaveFields(store);
    store.WriteItems(TSearchStore::ReplaceItems, FReplaceHistory.Texts());
}

} // namespace brenvik
