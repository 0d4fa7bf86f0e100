// The editor's font dialog.
#include "options/FontPickDialog.h"

#include "editor/FontFamilies.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace brenvik {

TFontPickDialog::TFontPickDialog(const QFont& font, QWidget* parent)
    : QDialog(parent)
    , lbxFamily(new QListWidget(this))
    , speSize(new QSpinBox(this))
    , cbxAllFonts(new QCheckBox(QStringLiteral("すべてのフォントを表示(&A)"), this))
    , lblSample(new QLabel(QStringLiteral("Shift_JIS ｶﾀｶﾅ 漢字かな 0O1lI|"), this))
    , FFont(font)
    , FInUse(FamilyInUse(font.family()))
{
    setWindowTitle(QStringLiteral("フォントの設定"));
    lbxFamily->setObjectName(QStringLiteral("lbxFamily"));
    speSize->setObjectName(QStringLiteral("speSize"));
    cbxAllFonts->setObjectName(QStringLiteral("cbxAllFonts"));
    lblSample->setObjectName(QStringLiteral("lblSample"));
    speSize->setRange(1, 200);
    speSize->setValue(font.pointSize() > 0 ? font.pointSize() : 10);
    lblSample->setMinimumHeight(60);
    lblSample->setFrameShape(QFrame::StyledPanel);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    auto* faceCaption = new QLabel(QStringLiteral("フォント名(&F):"), this);
    faceCaption->setBuddy(lbxFamily);
    auto* sizeCaption = new QLabel(QStringLiteral("サイズ(&S):"), this);
    sizeCaption->setBuddy(speSize);
    layout->addWidget(faceCaption, 0, 0);
    layout->addWidget(sizeCaption, 0, 1);
    layout->addWidget(lbxFamily, 1, 0, 2, 1);
    layout->addWidget(speSize, 1, 1, Qt::AlignTop);
    layout->addWidget(cbxAllFonts, 3, 0, 1, 2);
    layout->addWidget(lblSample, 4, 0, 1, 2);
    layout->addWidget(buttons, 5, 0, 1, 2);
    layout->setRowStretch(2, 1);

    FillFamilies();
    connect(cbxAllFonts, &QCheckBox::toggled, this, &TFontPickDialog::FillFamilies);
    connect(lbxFamily, &QListWidget::currentTextChanged, this, &TFontPickDialog::ShowSample);
    connect(speSize, &QSpinBox::valueChanged, this, &TFontPickDialog::ShowSample);
    ShowSample();
    resize(420, 420);
}

void TFontPickDialog::FillFamilies()
{
    const QString current = lbxFamily->currentItem() ? lbxFamily->currentItem()->text() : FInUse;
    QStringList families = GridFamilies(cbxAllFonts->isChecked());
    // The face in use is always there to be kept, even when it would not be offered.
    if (!families.contains(FInUse))
        families.prepend(FInUse);
    const QSignalBlocker blocker(lbxFamily);
    lbxFamily->clear();
    lbxFamily->addItems(families);
    const int row = static_cast<int>(families.indexOf(families.contains(current) ? current : FInUse));
    lbxFamily->setCurrentRow(row);
    if (QListWidgetItem* item = lbxFamily->currentItem())
        lbxFamily->scrollToItem(item);
}

QFont TFontPickDialog::SelectedFont() const
{
    QFont font = FFont;
    const QString chosen = lbxFamily->currentItem() ? lbxFamily->currentItem()->text() : FInUse;
    if (chosen != FInUse)
        font.setFamily(chosen);
    font.setPointSize(speSize->value());
    return font;
}

void TFontPickDialog::ShowSample()
{
    QFont sample = SelectedFont();
    sample.setStyleHint(QFont::Monospace);
    lblSample->setFont(sample);
}

} // namespace brenvik
