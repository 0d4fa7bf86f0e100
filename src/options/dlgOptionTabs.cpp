// The controls of the tabs "エディタ", "表示色" and "行・ルーラー": their names, captions and
// items, and the handlers that change only the dialog's samples and copies.
#include "options/CaretBoxes.h"
#include "options/ColorGrid.h"
#include "options/KinsokuBox.h"
#include "editor/RadioGroup.h"
#include "options/dlgOptionBase.h"

#include "editor/Editor.h"
#include "jcode/SjisUnicode.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorRuler.h"
#include "text/EditorStrings.h"
#include "text/EditorWrapOption.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace brenvik {

namespace {

// The mark boxes of the group "マーク表示 ": the sample's five marks, then the two copies.
constexpr std::array<std::pair<const char*, const char*>, 7> kMarkBoxes {{{"cbxMarkEOF", "EOF"},
    {"cbxMarkRet", "リターン"}, {"cbxMarkWrap", "折り返し"}, {"cbxMarkHide", "1000文字超"},
    {"cbxMarkUnderLine", "下線"}, {"cbxMarkTab", "Tab"}, {"cbxMarkDBSpace", "全角ｽﾍﾟｰｽ"}}};

const char* const kRulerItems[] = {"ルーラー", "ルーラー位置", "行番号"};

// A read-only sample showing lines (UTF-8 here, Shift_JIS in the editor).
TEditor* NewSample(const char* name, const char* lines, QWidget* parent)
{
    auto* sample = new TEditor(parent);
    sample->setObjectName(QLatin1String(name));
    sample->Lines().SetTextStr(UnicodeToSjis(QString::fromUtf8(lines)).value_or(std::string()));
    sample->SetReadOnly(true);
    sample->setMinimumHeight(110);
    return sample;
}

QCheckBox* NewCheckBox(const char* name, const char* caption, QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QListWidget* NewItemList(const char* name, const QStringList& items, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->addItems(items);
    list->setMaximumWidth(150);
    return list;
}

} // namespace

QWidget* TdlgOptionBase::AddTab(const QString& caption)
{
    auto* page = new QWidget(pgcOption);
    pgcOption->addTab(page, caption);
    return page;
}

void TdlgOptionBase::CreateEditorTab()
{
    QWidget* page = AddTab(QStringLiteral("エディタ"));
    auto* layout = new QGridLayout(page);
    rdgWordWrap = new TRadioGroup("rdgWordWrap", QStringLiteral("折り返し "),
        {QStringLiteral("折り返さない(&N)"), QStringLiteral("指定文字数で折り返し(&H)"),
            QStringLiteral("ウインドウの右端で折り返し(&W)")},
        page);
    layout->addWidget(rdgWordWrap, 0, 0, 1, 2);
    // The wrap width holds 20..250; a smaller value would wrap elsewhere than shown.
    speWordWrap = new QSpinBox(page);
    speWordWrap->setObjectName(QStringLiteral("speWordWrap"));
    speWordWrap->setRange(TEditorWrapOption::MinWrapByte, TEditorWrapOption::MaxWrapByte);
    auto* wrapWidth = new QHBoxLayout;
    wrapWidth->addWidget(new QLabel(QStringLiteral("文字数"), page));
    wrapWidth->addWidget(speWordWrap);
    wrapWidth->addStretch();
    layout->addLayout(wrapWidth, 1, 0, 1, 2);
    connect(rdgWordWrap, &TRadioGroup::ItemIndexChanged, this,
        [this](int index) { speWordWrap->setEnabled(index == 1); });

    int row = 2;
    for (const TCaretBox& box : kCaretBoxes) {
        QCheckBox* check = NewCheckBox(box.Name, box.Caption, page);
        FCaretBoxes.push_back(check);
        layout->addWidget(check, row / 2 + 1, row % 2);
        ++row;
    }
    row = row / 2 + 1;
    cmbTab = new QComboBox(page);
    cmbTab->setObjectName(QStringLiteral("cmbTab"));
    cmbTab->addItems({QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("8")});
    auto* tab = new QHBoxLayout;
    tab->addWidget(new QLabel(QStringLiteral("タブの文字数"), page));
    tab->addWidget(cmbTab);
    tab->addStretch();
    layout->addLayout(tab, row++, 0, 1, 2);
    btnFont = new QPushButton(QStringLiteral("フォントの設定"), page);
    btnFont->setObjectName(QStringLiteral("btnFont"));
    lblFont = new QLabel(page);
    lblFont->setObjectName(QStringLiteral("lblFont"));
    layout->addWidget(btnFont, row, 0);
    layout->addWidget(lblFont, row++, 1);
    grpKinsoku = new TKinsokuBox(page);
    layout->addWidget(grpKinsoku, row++, 0, 1, 2);
    layout->setRowStretch(row, 1);
    connect(btnFont, &QPushButton::clicked, this, [this] { ChooseFont(); });
}

void TdlgOptionBase::CreateViewTab(const char* sampleLines)
{
    QWidget* page = AddTab(QStringLiteral("表示色"));
    auto* layout = new QGridLayout(page);
    QStringList captions;
    for (const TColorItem& item : FItems)
        captions.append(QString::fromUtf8(item.Caption));
    lbxView = NewItemList("lbxView", captions, page);
    layout->addWidget(lbxView, 0, 0, 2, 1);
    FViewColors = new TColorEditor(QStringLiteral("View"), true, page);
    layout->addWidget(FViewColors, 0, 1);

    auto* marks = new QGroupBox(QStringLiteral("マーク表示 "), page);
    auto* markLayout = new QVBoxLayout(marks);
    for (const auto& [name, caption] : kMarkBoxes) {
        QCheckBox* box = NewCheckBox(name, caption, marks);
        markLayout->addWidget(box);
        FMarkBoxes.push_back(box);
    }
    layout->addWidget(marks, 0, 2);
    edrView = NewSample("edrView", sampleLines, page);
    layout->addWidget(edrView, 2, 0, 1, 3);
    layout->setRowStretch(1, 1);

    connect(lbxView, &QListWidget::currentRowChanged, this, [this](int row) { ViewItemChosen(row); });
    const std::array<TEditorMark*, 5> sampleMarks {edrView->Marks()->EofMark(), edrView->Marks()->RetMark(),
        edrView->Marks()->WrapMark(), edrView->Marks()->HideMark(), edrView->Marks()->Underline()};
    for (std::size_t i = 0; i < sampleMarks.size(); ++i)
        connect(FMarkBoxes[i], &QCheckBox::toggled, this,
            [mark = sampleMarks[i]](bool checked) { mark->SetVisible(checked); });
}

void TdlgOptionBase::CreateRulerTab()
{
    QWidget* page = AddTab(QStringLiteral("行・ルーラー"));
    auto* layout = new QGridLayout(page);
    QStringList captions;
    for (const char* item : kRulerItems)
        captions.append(QString::fromUtf8(item));
    lbxRuler = NewItemList("lbxRuler", captions, page);
    layout->addWidget(lbxRuler, 0, 0, 2, 1);
    FRulerColors = new TColorEditor(QStringLiteral("Ruler"), false, page);
    layout->addWidget(FRulerColors, 0, 1);

    auto* boxes = new QVBoxLayout;
    cbxRulerView = NewCheckBox("cbxRulerView", "表示", page);
    cbxRulerNum = NewCheckBox("cbxRulerNum", "行番号の表示", page);
    rdbRulerLine = new QRadioButton(QStringLiteral("論理行"), page);
    rdbRulerLine->setObjectName(QStringLiteral("rdbRulerLine"));
    rdbRulerRow = new QRadioButton(QStringLiteral("表示行"), page);
    rdbRulerRow->setObjectName(QStringLiteral("rdbRulerRow"));
    cbxRulerZeroBase = NewCheckBox("cbxRulerZeroBase", "ゼロベース", page);
    for (QWidget* control : std::initializer_list<QWidget*> {
             cbxRulerView, cbxRulerNum, rdbRulerLine, rdbRulerRow, cbxRulerZeroBase})
        boxes->addWidget(control);
    boxes->addStretch();
    layout->addLayout(boxes, 0, 2);
    edrRuler = NewSample("edrRuler",
        "# この行は長い一行です。ルーラーと行番号の見本として、ウインドウの右端で折り返して表示されます。"
        "折り返した表示行と論理行の番号の違いもここで確かめられます。",
        page);
    edrRuler->WrapOption()->SetWrapByte(40);
    edrRuler->SetWordWrap(true);
    layout->addWidget(edrRuler, 2, 0, 1, 3);
    layout->setRowStretch(1, 1);

    connect(lbxRuler, &QListWidget::currentRowChanged, this, [this](int row) { RulerItemChosen(row); });
    connect(cbxRulerView, &QCheckBox::toggled, this, [this](bool on) { edrRuler->Ruler()->SetVisible(on); });
    connect(cbxRulerNum, &QCheckBox::toggled, this, [this](bool on) { edrRuler->Leftbar()->SetVisible(on); });
    connect(rdbRulerLine, &QRadioButton::toggled, this, [this](bool on) {
        edrRuler->Leftbar()->SetShowNumberMode(on ? TEditorEnums::nmLine : TEditorEnums::nmRow);
    });
    connect(cbxRulerZeroBase, &QCheckBox::toggled, this,
        [this](bool on) { edrRuler->Leftbar()->SetZeroBase(on); });
}

} // namespace brenvik
