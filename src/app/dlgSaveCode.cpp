// The code dialog: presets, the free combination and the mapping of group items to code numbers.
#include "app/dlgSaveCode.h"

#include <QAction>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <array>

namespace brenvik {

namespace {

// Group item i stands for these codes.
constexpr std::array<JCode, 4> kJcodeItems {jcSjis, jcJis, jcEuc, jcUtf8};
constexpr std::array<RCode, 3> kRCodeItems {rcCrLf, rcCr, rcLf};

constexpr TCodePair kWin {jcSjis, rcCrLf};
constexpr TCodePair kMac {jcSjis, rcCr};
constexpr TCodePair kUnix {jcEuc, rcLf};
constexpr TCodePair kUtf8 {jcUtf8, rcLf, false};
constexpr TCodePair kUtf8Bom {jcUtf8, rcLf, true};

template <std::size_t N, typename Code> int ItemOf(const std::array<Code, N>& items, Code code)
{
    for (std::size_t i = 0; i < N; ++i)
        if (items[i] == code)
            return static_cast<int>(i);
    return 0;
}

QGroupBox* RadioGroup(const QString& title, const QStringList& items, QButtonGroup*& buttons, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    buttons = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], box);
        buttons->addButton(button, i);
        layout->addWidget(button);
    }
    buttons->button(0)->setChecked(true);
    return box;
}

} // namespace

TdlgSaveCode::TdlgSaveCode(const QString& fileName, bool saving, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgSaveCode"));
    setWindowTitle(saving ? QStringLiteral("コード形式を指定して保存") : QStringLiteral("コード形式を指定して開く"));

    memFileName = new QPlainTextEdit(fileName, this);
    memFileName->setObjectName(QStringLiteral("memFileName"));
    memFileName->setReadOnly(true);
    memFileName->setFrameShape(QFrame::NoFrame);
    memFileName->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memFileName->setMaximumHeight(memFileName->fontMetrics().lineSpacing() * 3);

    rdbWin = new QRadioButton(QStringLiteral("Windows：SHIFT-JIS/CR+LF"), this);
    rdbMac = new QRadioButton(QStringLiteral("Macintosh：SHIFT-JIS/CR"), this);
    rdbUnix = new QRadioButton(QStringLiteral("UNIX：EUC/LF"), this);
    rdbUtf8 = new QRadioButton(QStringLiteral("UTF-8/LF"), this);
    rdbUtf8Bom = new QRadioButton(QStringLiteral("UTF-8 (BOM付き)/LF"), this);
    actOther = new QAction(QStringLiteral("Others..."), this);
    actOther->setCheckable(true);
    rdbOther = new QRadioButton(actOther->text(), this);
    rdbWin->setObjectName(QStringLiteral("rdbWin"));
    rdbMac->setObjectName(QStringLiteral("rdbMac"));
    rdbUnix->setObjectName(QStringLiteral("rdbUnix"));
    rdbUtf8->setObjectName(QStringLiteral("rdbUtf8"));
    rdbUtf8Bom->setObjectName(QStringLiteral("rdbUtf8Bom"));
    rdbOther->setObjectName(QStringLiteral("rdbOther"));
    actOther->setObjectName(QStringLiteral("actOther"));
    rdbWin->setChecked(true);

    rdgJcode = RadioGroup(QStringLiteral("文字コード "), {QStringLiteral("SHIFT-JIS"), QStringLiteral("JIS"), QStringLiteral("EUC"), QStringLiteral("UTF-8")},
        FJcodeItems, this);
    rdgRCode = RadioGroup(QStringLiteral("改行コード "), {QStringLiteral("CR+LF"), QStringLiteral("CR"), QStringLiteral("LF")},
        FRCodeItems, this);
    rdgJcode->setObjectName(QStringLiteral("rdgJcode"));
    rdgRCode->setObjectName(QStringLiteral("rdgRCode"));

    // The groups follow "Others..." at once rather than at the next idle moment.
    connect(rdbOther, &QRadioButton::toggled, actOther, &QAction::setChecked);
    connect(actOther, &QAction::toggled, rdgJcode, &QWidget::setEnabled);
    connect(actOther, &QAction::toggled, rdgRCode, &QWidget::setEnabled);
    rdgJcode->setEnabled(false);
    rdgRCode->setEnabled(false);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* groups = new QHBoxLayout;
    groups->addWidget(rdgJcode);
    groups->addWidget(rdgRCode);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("ファイル名"), this));
    layout->addWidget(memFileName);
    layout->addWidget(new QLabel(QStringLiteral("文字/改行コード"), this));
    for (QRadioButton* preset : {rdbWin, rdbMac, rdbUnix, rdbUtf8, rdbUtf8Bom, rdbOther})
        layout->addWidget(preset);
    layout->addLayout(groups);
    layout->addWidget(buttons);
}

void TdlgSaveCode::Preset(TCodePair codes)
{
    FPresetBom = codes.jcode == jcUtf8 && codes.bom;
    if (codes == kUtf8) {
        rdbUtf8->setChecked(true);
    } else if (codes == kUtf8Bom) {
        rdbUtf8Bom->setChecked(true);
    } else if (codes == kWin) {
        rdbWin->setChecked(true);
    } else if (codes == kMac) {
        rdbMac->setChecked(true);
    } else if (codes == kUnix) {
        rdbUnix->setChecked(true);
    } else {
        rdbOther->setChecked(true);
        FJcodeItems->button(ItemOf(kJcodeItems, codes.jcode))->setChecked(true);
        FRCodeItems->button(ItemOf(kRCodeItems, codes.rcode))->setChecked(true);
    }
}

TCodePair TdlgSaveCode::Choice() const
{
    if (rdbWin->isChecked())
        return kWin;
    if (rdbMac->isChecked())
        return kMac;
    if (rdbUnix->isChecked())
        return kUnix;
    if (rdbUtf8->isChecked())
        return kUtf8;
    if (rdbUtf8Bom->isChecked())
        return kUtf8Bom;
    const JCode jcode = kJcodeItems[FJcodeItems->checkedId()];
    return {jcode, kRCodeItems[FRCodeItems->checkedId()], jcode == jcUtf8 && FPresetBom};
}

bool ChooseCode(const QString& fileName, TCodePair& codes, bool saving, QWidget* parent)
{
    TdlgSaveCode dialog(fileName, saving, parent);
    dialog.Preset(codes);
    dialog.adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    codes = dialog.Choice();
    return true;
}

QString CodeText(JCode jcode, RCode rcode, bool bom)
{
    QString text;
    switch (jcode) {
    case jcJis:
        text = QStringLiteral("JIS ");
        break;
    case jcEuc:
        text = QStringLiteral("EUC ");
        break;
    case jcSjis:
        text = QStringLiteral("S-JIS ");
        break;
    case jcUtf8:
        text = bom ? QStringLiteral("UTF-8 BOM ") : QStringLiteral("UTF-8 ");
        break;
    default:
        break;
    }
    switch (rcode) {
    case rcCrLf:
        return text + QStringLiteral("CRLF");
    case rcCr:
        return text + QStringLiteral("CR");
    case rcLf:
        return text + QStringLiteral("LF");
    default:
        return text;
    }
}

} // namespace brenvik
