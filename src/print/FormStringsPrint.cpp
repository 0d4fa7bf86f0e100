// The print setup form's controls and their arrangement.
#include "print/FormStringsPrint.h"

#include "editor/RadioGroup.h"
#include "print/StringsPrinter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace brenvik {

namespace {

QSpinBox* NewSpin(QWidget* parent, const char* name, int minimum, int maximum)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(minimum, maximum);
    return spin;
}

QLabel* Caption(const char* text, QWidget* parent)
{
    return new QLabel(QString::fromUtf8(text), parent);
}

// "caption [spin] mm" in one row of a grid.
void AddMillimetres(QGridLayout* grid, int row, int column, const char* caption, QSpinBox* spin, QWidget* parent)
{
    grid->addWidget(Caption(caption, parent), row, column);
    grid->addWidget(spin, row, column + 1);
    grid->addWidget(Caption("mm", parent), row, column + 2);
}

} // namespace

TFormStringsPrint::TFormStringsPrint(QWidget* parent, const TStringsPrinter& source, const TPrintLines* lines)
    : QDialog(parent)
    , StringsPrinter1(new TStringsPrinter(this))
    , FLines(lines)
{
    setObjectName(QStringLiteral("FormStringsPrint"));
    setWindowTitle(QStringLiteral("TStringsPrinter"));
    StringsPrinter1->Assign(source);
    CreateControls();
    ArrangeControls();
    ConnectControls();
    Load();
    // A fixed dialog border, never smaller than the designed client area.
    setFixedSize(sizeHint().expandedTo(QSize(482, 433)));
}

void TFormStringsPrint::CreateControls()
{
    Label5 = new QLabel(this);
    Label6 = new QLabel(this);
    Label12 = new QLabel(this);
    Button4 = new QPushButton(QStringLiteral("プリンタの設定"), this);
    ComboBox1 = new QComboBox(this);
    ComboBox2 = new QComboBox(this);
    SpinEdit1 = NewSpin(this, "SpinEdit1", 0, 100);
    SpinEdit2 = NewSpin(this, "SpinEdit2", 0, 100);
    SpinEdit3 = NewSpin(this, "SpinEdit3", 0, 100);
    SpinEdit4 = NewSpin(this, "SpinEdit4", 0, 100);
    SpinEdit5 = NewSpin(this, "SpinEdit5", 0, 100);
    // Page numbers wrap rather than stop: 0 becomes the largest and one past it becomes 1.
    SpinEdit6 = NewSpin(this, "SpinEdit6", 0, kMaxPage + 1);
    SpinEdit7 = NewSpin(this, "SpinEdit7", 0, kMaxPage + 1);
    SpinEdit8 = NewSpin(this, "SpinEdit8", 0, kMaxPage + 1);
    lblStartPage = new QLabel(QStringLiteral("開始ページ"), this);
    lblLastPage = new QLabel(QStringLiteral("終了ページ"), this);
    RadioGroup1 = new TRadioGroup("RadioGroup1", QStringLiteral(" 割付印刷 "), {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}, this, 3);
    const QStringList aligns {QStringLiteral("None"), QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")};
    RadioGroup2 = new TRadioGroup("RadioGroup2", QStringLiteral(" Header "), aligns, this, 4);
    RadioGroup3 = new TRadioGroup("RadioGroup3", QStringLiteral(" Footer "), aligns, this, 4);
    RadioGroup4 = new TRadioGroup("RadioGroup4", QStringLiteral(" 印刷ページ指定 "), {QStringLiteral("全て"), QStringLiteral("偶数P"), QStringLiteral("奇数P")}, this, 3);
    RadioGroup5 = new TRadioGroup("RadioGroup5", QStringLiteral(" 印刷範囲 "), {QStringLiteral("ファイル全体"), QStringLiteral("指定範囲")}, this, 2);
    CheckBox1 = new QCheckBox(QStringLiteral("行番号印刷"), this);
    Edit1 = new QLineEdit(this);
    Edit2 = new QLineEdit(this);
    Button5 = new QPushButton(QStringLiteral("印刷"), this);
    Button6 = new QPushButton(QStringLiteral("プレビュー"), this);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button3 = new QPushButton(QStringLiteral("Help"), this);
    const std::pair<QObject*, const char*> names[] = {{Label5, "Label5"}, {Label6, "Label6"}, {Label12, "Label12"},
        {Button4, "Button4"}, {ComboBox1, "ComboBox1"}, {ComboBox2, "ComboBox2"}, {RadioGroup1, "RadioGroup1"},
        {RadioGroup2, "RadioGroup2"}, {RadioGroup3, "RadioGroup3"}, {RadioGroup4, "RadioGroup4"},
        {RadioGroup5, "RadioGroup5"}, {CheckBox1, "CheckBox1"}, {Edit1, "Edit1"}, {Edit2, "Edit2"},
        {Button5, "Button5"}, {Button6, "Button6"}, {Button1, "Button1"}, {Button2, "Button2"},
        {Button3, "Button3"}};
    for (const auto& [object, name] : names)
        object->setObjectName(QLatin1String(name));
    for (QPushButton* button : {Button4, Button5, Button6, Button2, Button3})
        button->setAutoDefault(false);
    Button1->setDefault(true);
}

void TFormStringsPrint::ArrangeControls()
{
    auto* printer = new QGridLayout;
    printer->addWidget(Label5, 0, 0, 1, 3);
    printer->addWidget(Label6, 1, 0);
    printer->addWidget(Label12, 1, 1);
    printer->addWidget(Button4, 0, 3, 2, 1);
    printer->setColumnStretch(2, 1);

    auto* font = new QHBoxLayout;
    font->addWidget(Caption("フォント名", this));
    font->addWidget(ComboBox1, 1);
    font->addWidget(Caption("フォントサイズ", this));
    font->addWidget(ComboBox2);

    auto* margins = new QGridLayout;
    AddMillimetres(margins, 0, 0, "左マージン", SpinEdit1, this);
    AddMillimetres(margins, 0, 3, "右マージン", SpinEdit2, this);
    AddMillimetres(margins, 1, 0, "上マージン", SpinEdit3, this);
    AddMillimetres(margins, 1, 3, "下マージン", SpinEdit4, this);

    auto* columns = new QHBoxLayout;
    columns->addWidget(RadioGroup1);
    auto* gap = new QGridLayout;
    AddMillimetres(gap, 0, 0, "割付間隔", SpinEdit5, this);
    gap->addWidget(CheckBox1, 1, 0, 1, 3);
    columns->addLayout(gap);
    columns->addStretch();

    auto* bands = new QGridLayout;
    bands->addWidget(RadioGroup2, 0, 0);
    bands->addWidget(Caption("Header string:", this), 0, 1);
    bands->addWidget(Edit1, 0, 2);
    bands->addWidget(RadioGroup3, 1, 0);
    bands->addWidget(Caption("Footer string:", this), 1, 1);
    bands->addWidget(Edit2, 1, 2);
    bands->setColumnStretch(2, 1);

    auto* pages = new QGridLayout;
    pages->addWidget(RadioGroup4, 0, 0, 2, 1);
    pages->addWidget(RadioGroup5, 0, 1, 2, 1);
    pages->addWidget(lblStartPage, 0, 2);
    pages->addWidget(SpinEdit6, 0, 3);
    pages->addWidget(lblLastPage, 1, 2);
    pages->addWidget(SpinEdit7, 1, 3);
    pages->addWidget(Caption("開始ページ数", this), 0, 4);
    pages->addWidget(SpinEdit8, 0, 5);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {Button5, Button6})
        buttons->addWidget(button);
    buttons->addStretch();
    for (QPushButton* button : {Button1, Button2, Button3})
        buttons->addWidget(button);

    auto* layout = new QVBoxLayout(this);
    for (QLayout* part : std::initializer_list<QLayout*> {printer, font, margins, columns, bands, pages, buttons})
        layout->addLayout(part);
}

} // namespace brenvik
