// The line-break rule controls and their copy to and from the wrap options.
#include "options/KinsokuBox.h"

#include "jcode/SjisUnicode.h"
#include "text/EditorWrapOption.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace brenvik {

namespace {

QLineEdit* ListEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

std::string Bytes(const QLineEdit* edit, const std::string& old)
{
    return UnicodeToSjis(edit->text()).value_or(old);
}

QString Text(const std::string& bytes)
{
    return SjisToUnicode(bytes);
}

} // namespace

TKinsokuBox::TKinsokuBox(QWidget* parent)
    : QGroupBox(QStringLiteral("禁則処理 "), parent)
{
    setObjectName(QStringLiteral("grpKinsoku"));
    cbxLeading = new QCheckBox(QStringLiteral("行頭禁則・行末禁則(&K)"), this);
    cbxLeading->setObjectName(QStringLiteral("cbxLeading"));
    edtFollowStr = ListEdit("edtFollowStr", this);
    edtLeadStr = ListEdit("edtLeadStr", this);
    cbxFollowPunctuation = new QCheckBox(QStringLiteral("句読点のぶら下げ(&G)"), this);
    cbxFollowPunctuation->setObjectName(QStringLiteral("cbxFollowPunctuation"));
    edtPunctuationStr = ListEdit("edtPunctuationStr", this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(cbxLeading, 0, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("行頭禁則文字"), this), 1, 0);
    layout->addWidget(edtFollowStr, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("行末禁則文字"), this), 2, 0);
    layout->addWidget(edtLeadStr, 2, 1);
    layout->addWidget(cbxFollowPunctuation, 3, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("ぶら下げ文字"), this), 4, 0);
    layout->addWidget(edtPunctuationStr, 4, 1);
    connect(cbxLeading, &QCheckBox::toggled, this, [this](bool on) {
        edtFollowStr->setEnabled(on);
        edtLeadStr->setEnabled(on);
    });
    connect(cbxFollowPunctuation, &QCheckBox::toggled, edtPunctuationStr, &QLineEdit::setEnabled);
}

void TKinsokuBox::Load(const TEditorWrapOption& option)
{
    cbxLeading->setChecked(option.Leading());
    edtFollowStr->setText(Text(option.FollowStr()));
    edtLeadStr->setText(Text(option.LeadStr()));
    cbxFollowPunctuation->setChecked(option.FollowPunctuation());
    edtPunctuationStr->setText(Text(option.PunctuationStr()));
    edtFollowStr->setEnabled(option.Leading());
    edtLeadStr->setEnabled(option.Leading());
    edtPunctuationStr->setEnabled(option.FollowPunctuation());
}

bool TKinsokuBox::Differs(const TEditorWrapOption& option) const
{
    return cbxLeading->isChecked() != option.Leading() || cbxFollowPunctuation->isChecked() != option.FollowPunctuation()
        || Bytes(edtFollowStr, option.FollowStr()) != option.FollowStr()
        || Bytes(edtLeadStr, option.LeadStr()) != option.LeadStr()
        || Bytes(edtPunctuationStr, option.PunctuationStr()) != option.PunctuationStr();
}

void TKinsokuBox::Store(TEditorWrapOption& option) const
{
    option.SetLeading(cbxLeading->isChecked());
    option.SetFollowStr(Bytes(edtFollowStr, option.FollowStr()));
    option.SetLeadStr(Bytes(edtLeadStr, option.LeadStr()));
    option.SetFollowPunctuation(cbxFollowPunctuation->isChecked());
    option.SetPunctuationStr(Bytes(edtPunctuationStr, option.PunctuationStr()));
}

} // namespace brenvik
