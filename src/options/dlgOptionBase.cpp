// The shared options dialog: construction, the loading and the storing of the editor settings.
#include "options/dlgOptionBase.h"

#include "options/CaretBoxes.h"
#include "options/ColorGrid.h"
#include "editor/RadioGroup.h"

#include "editor/Editor.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorRuler.h"
#include "editor/EditorViewInfo.h"
#include "highlight/EditorColors.h"
#include "highlight/Fountain.h"
#include "options/KinsokuBox.h"
#include "text/EditorWrapOption.h"

#include <QCheckBox>
#include <algorithm>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace brenvik {

namespace {

// Copies the named published colours (or collections) of source into target; the setters copy.
void CopyColors(QObject& target, const QObject& source, const std::vector<const char*>& names)
{
    for (const char* name : names)
        target.setProperty(name, source.property(name));
}

} // namespace

TdlgOptionBase::TdlgOptionBase(QWidget* parent, std::unique_ptr<TFountain> sampleFountain,
    std::vector<TColorItem> items, const char* sampleLines)
    : QDialog(parent)
    , pgcOption(new QTabWidget(this))
    , FSampleFountain(std::move(sampleFountain))
    , FItems(std::move(items))
{
    pgcOption->setObjectName(QStringLiteral("pgcOption"));
    CreateEditorTab();
    CreateViewTab(sampleLines);
    CreateRulerTab();
    edrView->SetFountain(FSampleFountain.get());

    auto* buttons = new QDialogButtonBox(this);
    OKBtn = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pgcOption);
    layout->addWidget(buttons);
}

TdlgOptionBase::~TdlgOptionBase()
{
    // The samples go before the fountain and the holders they refer to; the managers forget
    // what they edit.
    FViewColors->Manager().SetColor(nullptr);
    FRulerColors->Manager().SetColor(nullptr);
    delete edrView;
    delete edrRuler;
}

void TdlgOptionBase::LoadEditor(const TEditor& editor, const TFountain& fountain, bool wordWrapWindow,
    const std::vector<const char*>& colorNames)
{
    // 1. Wrap mode and width.
    rdgWordWrap->SetItemIndex(!editor.WordWrap() ? 0 : wordWrapWindow ? 2 : 1);
    speWordWrap->setValue(editor.WrapByte());
    speWordWrap->setEnabled(rdgWordWrap->ItemIndex() == 1);
    grpKinsoku->Load(*editor.WrapOption());
    // 2. Caret; no tab entry is chosen for a width that is not listed.
    const TEditorCaret& caret = *editor.Caret();
    for (std::size_t i = 0; i < kCaretBoxes.size(); ++i)
        FCaretBoxes[i]->setChecked((caret.*kCaretBoxes[i].Get)());
    cmbTab->setCurrentIndex(cmbTab->findText(QString::number(caret.TabSpaceCount())));
    // 3. Font, colours and marks of edrView, the fountain's colours.
    FFont.Assign(*editor.Font());
    edrView->Font()->Assign(*editor.Font());
    edrView->SetColor(editor.Color());
    edrView->View()->Colors()->Select()->Assign(*editor.View()->Colors()->Select());
    edrView->Marks()->Assign(*editor.Marks());
    CopyColors(*FSampleFountain, fountain, colorNames);
    const std::array<const TEditorMark*, 5> marks {edrView->Marks()->EofMark(), edrView->Marks()->RetMark(),
        edrView->Marks()->WrapMark(), edrView->Marks()->HideMark(), edrView->Marks()->Underline()};
    for (std::size_t i = 0; i < marks.size(); ++i)
        FMarkBoxes[i]->setChecked(marks[i]->Visible());
    ShowFontName();
    // 4. Ruler and left bar.
    edrRuler->Font()->Assign(*editor.Font());
    edrRuler->SetColor(editor.Color());
    edrRuler->Ruler()->Assign(*editor.Ruler());
    edrRuler->Leftbar()->Assign(*editor.Leftbar());
    cbxRulerView->setChecked(editor.Ruler()->Visible());
    cbxRulerNum->setChecked(editor.Leftbar()->Visible());
    const bool byLine = editor.Leftbar()->ShowNumberMode() == TEditorEnums::nmLine;
    (byLine ? rdbRulerLine : rdbRulerRow)->setChecked(true);
    cbxRulerZeroBase->setChecked(editor.Leftbar()->ZeroBase());
    // 6. The holders and the managers' first items.
    CreateHolders();
    lbxView->setCurrentRow(0);
    lbxRuler->setCurrentRow(0);
}

void TdlgOptionBase::StoreEditor(
    TEditor& editor, TFountain& fountain, bool& wordWrapWindow, const std::vector<const char*>& colorNames)
{
    // Everything that only repaints comes first, inside one batch of the fountain; the wrap
    // comes last, measured with the new font, tab width and left bar, and rebuilds the rows
    // at most once.
    TUpdateBatch fountainBatch(fountain.NotifyList());
    TEditorCaret& caret = *editor.Caret();
    const int oldTab = caret.TabSpaceCount();
    {
        TUpdateBatch caretBatch(caret);
        for (std::size_t i = 0; i < kCaretBoxes.size(); ++i)
            (caret.*kCaretBoxes[i].Set)(FCaretBoxes[i]->isChecked());
        bool isNumber = false;
        const int tab = cmbTab->currentText().toInt(&isNumber);
        if (isNumber)
            caret.SetTabSpaceCount(tab);
    }
    {
        TUpdateBatch fontBatch(*editor.Font());
        editor.Font()->Assign(FFont);
        editor.Font()->SetColor(edrView->Font()->Color());
        editor.Font()->SetStyle(edrView->Font()->Style());
    }
    editor.SetColor(edrView->Color());
    editor.View()->Colors()->Select()->Assign(*edrView->View()->Colors()->Select());
    editor.Marks()->Assign(*edrView->Marks());
    CopyColors(fountain, *FSampleFountain, colorNames);
    editor.Ruler()->Assign(*edrRuler->Ruler());
    editor.Leftbar()->Assign(*edrRuler->Leftbar());

    const int index = rdgWordWrap->ItemIndex();
    if (index < 0)
        return;
    wordWrapWindow = index == 2;
    ApplyWrap(editor, index, index == 2 ? editor.VisibleCols() : speWordWrap->value(),
        caret.TabSpaceCount() != oldTab);
}

void TdlgOptionBase::ApplyWrap(TEditor& editor, int index, int width, bool tabChanged) const
{
    // The row list rebuilds its rows on every wrap switch and, while wrapping, on every change
    // of the wrap options: the width is set while wrapping is off, or in one options batch.
    TEditorWrapOption& option = *editor.WrapOption();
    if (index == 0) {
        editor.SetWordWrap(false);
        option.SetWrapByte(width);
        grpKinsoku->Store(option);
    } else if (!editor.WordWrap()) {
        option.SetWrapByte(width);
        grpKinsoku->Store(option);
        editor.SetWordWrap(true);
    } else if (tabChanged || grpKinsoku->Differs(option)
        || option.WrapByte() != std::clamp(width, TEditorWrapOption::MinWrapByte, TEditorWrapOption::MaxWrapByte)) {
        // The batch reports once at its end, rebuilding the rows also for a new tab width.
        TUpdateBatch batch(option);
        option.SetWrapByte(width);
        grpKinsoku->Store(option);
    }
}

} // namespace brenvik
