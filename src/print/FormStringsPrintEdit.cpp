// The print setup form's behaviour: loading, control edits, the range coupling and the buttons.
#include "editor/EditorFont.h"
#include "editor/FontFamilies.h"
#include "print/FormStringsPrint.h"
#include "print/PrintLines.h"
#include "support/Prompts.h"
#include "editor/RadioGroup.h"
#include "print/StringsPrinter.h"
#include "print/StringsPrinterInfo.h"

#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

namespace brenvik {

namespace {

// "全て", "偶数P", "奇数P" in the order of the group's buttons.
constexpr TStringsPrinterPageOption kPageOptions[] = {poBoth, poEven, poOdd};

QLineEdit* EditOf(QSpinBox* spin)
{
    return spin->findChild<QLineEdit*>();
}

} // namespace

QString TFormStringsPrint::KeywordHelp()
{
    return QStringLiteral("Header, Footer に利用出来るキーワードは以下の通りです。\r\n\r\n"
                          "%p  ページ番号\r\n%f  ファイル名パス付き\r\n%F  ファイル名パス無し\r\n"
                          "%y  年\r\n%m  月\r\n%d  日\r\n%t  時間");
}

void TFormStringsPrint::ConnectControls()
{
    TStringsPrinter* printer = StringsPrinter1;
    connect(ComboBox1, &QComboBox::currentTextChanged, this, [printer](const QString& name) {
        if (!name.isEmpty())
            printer->Font()->SetName(name);
    });
    connect(ComboBox2, &QComboBox::currentTextChanged, this, [printer](const QString& text) {
        if (text.isEmpty())
            return;
        bool number = false;
        const int size = text.toInt(&number);
        printer->Font()->SetSize(number ? size : 9);
    });
    const std::pair<QSpinBox*, void (TStringsPrinter::*)(int)> plain[] = {{SpinEdit1, &TStringsPrinter::SetMarginLeft},
        {SpinEdit2, &TStringsPrinter::SetMarginRight}, {SpinEdit3, &TStringsPrinter::SetMarginTop},
        {SpinEdit4, &TStringsPrinter::SetMarginBottom}, {SpinEdit5, &TStringsPrinter::SetColumnSpace}};
    for (const auto& [spin, setter] : plain)
        connect(spin, &QSpinBox::valueChanged, this, [printer, setter](int value) { (printer->*setter)(value); });
    connect(RadioGroup1, &TRadioGroup::ItemIndexChanged, this, [printer](int index) { printer->SetColumnCount(index + 1); });
    connect(CheckBox1, &QCheckBox::toggled, this, [printer](bool on) { printer->SetLineNumber(on); });
    connect(RadioGroup2, &TRadioGroup::ItemIndexChanged, this,
        [printer](int index) { printer->SetHeaderAlign(TStringsPrinterHeaderAlign(index)); });
    connect(RadioGroup3, &TRadioGroup::ItemIndexChanged, this,
        [printer](int index) { printer->SetFooterAlign(TStringsPrinterHeaderAlign(index)); });
    connect(Edit1, &QLineEdit::textChanged, this, [printer](const QString& text) { printer->SetHeader(text); });
    connect(Edit2, &QLineEdit::textChanged, this, [printer](const QString& text) { printer->SetFooter(text); });
    connect(RadioGroup4, &TRadioGroup::ItemIndexChanged, this,
        [printer](int index) { printer->SetPageOption(kPageOptions[index]); });
    connect(RadioGroup5, &TRadioGroup::ItemIndexChanged, this, &TFormStringsPrint::ApplyRange);
    ConnectPageSpin(SpinEdit6, 1, &TStringsPrinter::SetStartPage);
    ConnectPageSpin(SpinEdit7, kMaxPage, &TStringsPrinter::SetLastPage);
    ConnectPageSpin(SpinEdit8, 1, &TStringsPrinter::SetFirstPageNumber);
    // Under a limited range the start page carries the first page number by default.
    connect(SpinEdit6, &QSpinBox::valueChanged, this, [this](int value) {
        if (StringsPrinter1->RangeOption() == roLimited && value >= 1 && value <= kMaxPage)
            SpinEdit8->setValue(value);
    });
    connect(Button4, &QPushButton::clicked, this, [this] {
        if (QPrinter* device = StringsPrinter1->Info().Printer())
            Prompts().SetupPrinter(this, *device);
        ShowPrinter();
    });
    connect(Button5, &QPushButton::clicked, this, &TFormStringsPrint::Print);
    connect(Button6, &QPushButton::clicked, this, &TFormStringsPrint::Preview);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button3, &QPushButton::clicked, this, [this] { Prompts().ShowInformation(this, QStringLiteral("TStringsPrinter"), KeywordHelp()); });
}

void TFormStringsPrint::ConnectPageSpin(QSpinBox* spin, int fallback, void (TStringsPrinter::*setter)(int))
{
    connect(spin, &QSpinBox::valueChanged, this, [this, spin, setter](int value) {
        if (value <= 0)
            spin->setValue(kMaxPage);
        else if (value > kMaxPage)
            spin->setValue(1);
        else
            (StringsPrinter1->*setter)(value);
    });
    EditOf(spin)->installEventFilter(this);
    spin->setProperty("doubleClickValue", fallback);
}

bool TFormStringsPrint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (QSpinBox* spin : {SpinEdit6, SpinEdit7, SpinEdit8}) {
            if (watched == EditOf(spin)) {
                spin->setValue(spin->property("doubleClickValue").toInt());
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormStringsPrint::Load()
{
    TStringsPrinter& printer = *StringsPrinter1;
    const int firstPageNumber = printer.FirstPageNumber();
    {
        // Filling selects the first entry: that is no choice of the user's.
        const QSignalBlocker fontBlocker(ComboBox1);
        const QSignalBlocker sizeBlocker(ComboBox2);
        // The faces for a fixed grid first; the stored name shows as the face it resolves to
        // and stays stored until the user picks another.
        const QString inUse = FamilyInUse(printer.Font()->Name());
        QStringList families = GridFamilies(true);
        if (!families.contains(inUse))
            families.prepend(inUse);
        ComboBox1->addItems(families);
        for (int size = 6; size <= 30; ++size)
            ComboBox2->addItem(QString::number(size));
        ComboBox1->setCurrentIndex(ComboBox1->findText(inUse));
        ComboBox2->setCurrentIndex(ComboBox2->findText(QString::number(printer.Font()->Size())));
    }
    ShowPrinter();

    SpinEdit1->setValue(printer.MarginLeft());
    SpinEdit2->setValue(printer.MarginRight());
    SpinEdit3->setValue(printer.MarginTop());
    SpinEdit4->setValue(printer.MarginBottom());
    SpinEdit5->setValue(printer.ColumnSpace());
    CheckBox1->setChecked(printer.LineNumber());
    RadioGroup1->SetItemIndex(printer.ColumnCount() - 1);
    RadioGroup2->SetItemIndex(int(printer.HeaderAlign()));
    Edit1->setText(printer.Header());
    RadioGroup3->SetItemIndex(int(printer.FooterAlign()));
    Edit2->setText(printer.Footer());
    RadioGroup4->SetItemIndex(int(std::find(std::begin(kPageOptions), std::end(kPageOptions), printer.PageOption())
        - std::begin(kPageOptions)));
    SpinEdit6->setValue(printer.StartPage());
    SpinEdit7->setValue(printer.LastPage());
    RadioGroup5->SetItemIndex(int(printer.RangeOption()));
    // Last, with the value read before the start page and the range could change it.
    SpinEdit8->setValue(firstPageNumber);

    for (QWidget* control : std::initializer_list<QWidget*> {Label5, Label6, Label12, Button4, Button5, Button6})
        control->setEnabled(FLines != nullptr);
}

void TFormStringsPrint::ShowPrinter()
{
    const TStringsPrinterInfo& info = StringsPrinter1->Info();
    const QString name = info.GetPrinterName();
    Label5->setText(name.isEmpty() ? QStringLiteral("PDFファイルに出力") : name);
    Label6->setText(info.Landscape() ? QStringLiteral("poLandscape") : QStringLiteral("poPortrait"));
    Label12->setText(info.GetPaperName());
}

void TFormStringsPrint::ApplyRange(int index)
{
    StringsPrinter1->SetRangeOption(TStringsPrinterRangeOption(index));
    const bool limited = index == int(roLimited);
    for (QWidget* control : std::initializer_list<QWidget*> {SpinEdit6, SpinEdit7, lblStartPage, lblLastPage})
        control->setEnabled(limited);
    SpinEdit8->setValue(limited ? SpinEdit6->value() : 1);
}

void TFormStringsPrint::Print()
{
    if (!FLines)
        return;
    // The PDF's name is asked only once there is something to print.
    const auto chooseTarget = [this](QPrinter& device) {
        if (device.outputFormat() != QPrinter::PdfFormat)
            return true;
        const QString script = StringsPrinter1->FileName();
        const QString fileName = Prompts().PdfFileName(
            this, (script.isEmpty() ? QDir::home().filePath(StringsPrinter1->DocumentTitle()) : script) + QStringLiteral(".pdf"));
        if (fileName.isEmpty())
            return false;
        device.setOutputFileName(fileName);
        return true;
    };
    if (StringsPrinter1->PrintStrings(*FLines, chooseTarget))
        accept();
}

void TFormStringsPrint::Preview()
{
    if (FLines)
        StringsPrinter1->PreviewStrings(*FLines);
}

bool RunStringsPrintSetup(QWidget* parent, TStringsPrinter* printer, const TPrintLines* lines)
{
    if (!printer)
        return false;
    TFormStringsPrint form(parent, *printer, lines);
    if (form.exec() != QDialog::Accepted)
        return false;
    printer->Assign(*form.StringsPrinter1);
    return true;
}

} // namespace brenvik
