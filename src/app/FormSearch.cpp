// The find dialog: the shared controls in the tab order ComboBox1, OK, Cancel, direction, help,
// options.
#include "app/FormSearch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace brenvik {

namespace {

const char* const kHelp = "検索する文字列を入力して OK を押すと、カーソル位置から指定の方向に検索します。\n\n"
                          "大/小文字の区別: 英字の大文字と小文字を別の文字として扱います。\n"
                          "単語単位で探す: 単語の先頭から始まり、区切りで終わる箇所だけを探します。\n"
                          "全角・半角を区別しない: 全角と半角の英数字・記号・カタカナを同じ文字として扱います。\n"
                          "改行・スペースを無視: 文字列の途中にある改行・タブ・空白を飛ばして照合します。\n"
                          "正規表現: 検索する文字列を Perl と同じ書き方の正規表現として扱います。"
                          "\\n は改行に、^ と $ は行の先頭と末尾に一致します。";

} // namespace

TFormSearch::TFormSearch(QWidget* parent)
    : TFindDialog(QStringLiteral("検索"), QSize(520, 159), QString::fromUtf8(kHelp), parent)
{
    setObjectName(QStringLiteral("FormSearch"));
    SetTabOrder({ComboBox1, btnOK, btnCancel, rdbUp, rdbDown, btnHelp, chkMatchCase, chkWholeWord, chkNoMatchZenkaku,
        chkIncludeCRLF, chkRegExp, chkInSelection});
}

} // namespace brenvik
