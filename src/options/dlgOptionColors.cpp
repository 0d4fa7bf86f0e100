// The colour side of the shared options dialog: the colour holders and their samples, the
// items of lbxView and lbxRuler with what each edits, and the font dialog.
#include "options/ColorGrid.h"
#include "options/OptionHooks.h"
#include "options/dlgOptionBase.h"
#include "editor/FontFamilies.h"

#include "editor/Editor.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorRuler.h"
#include "editor/EditorViewInfo.h"
#include "highlight/EditorColors.h"
#include "highlight/Fountain.h"

#include <QLabel>
#include <QListWidget>

namespace brenvik {

void TdlgOptionBase::CreateHolders()
{
    {
        TUpdateBatch batch(FDefaultColor);
        FDefaultColor.SetBkColor(edrView->Color());
        FDefaultColor.SetColor(edrView->Font()->Color());
        FDefaultColor.SetStyle(edrView->Font()->Style());
    }
    FDefaultColor.OnChange = [this](QObject*) {
        edrView->SetColor(FDefaultColor.BkColor());
        TUpdateBatch batch(*edrView->Font());
        edrView->Font()->SetColor(FDefaultColor.Color());
        edrView->Font()->SetStyle(FDefaultColor.Style());
    };
    const TEditorRuler& ruler = *edrRuler->Ruler();
    FRulerColor.SetBkColor(ruler.BkColor());
    FRulerColor.SetColor(ruler.Color());
    FRulerColor.OnChange = [this](QObject*) {
        TUpdateBatch batch(*edrRuler->Ruler());
        edrRuler->Ruler()->SetBkColor(FRulerColor.BkColor());
        edrRuler->Ruler()->SetColor(FRulerColor.Color());
    };
    FRulerMarkColor.SetColor(ruler.MarkColor());
    FRulerMarkColor.OnChange = [this](QObject*) { edrRuler->Ruler()->SetMarkColor(FRulerMarkColor.Color()); };
    const TEditorLeftbar& leftbar = *edrRuler->Leftbar();
    FLeftbarColor.SetBkColor(leftbar.BkColor());
    FLeftbarColor.SetColor(leftbar.Color());
    FLeftbarColor.OnChange = [this](QObject*) {
        TUpdateBatch batch(*edrRuler->Leftbar());
        edrRuler->Leftbar()->SetBkColor(FLeftbarColor.BkColor());
        edrRuler->Leftbar()->SetColor(FLeftbarColor.Color());
    };
}

TdlgOptionBase::TEditedColor TdlgOptionBase::OwnColor(const char*)
{
    return {};
}

TdlgOptionBase::TEditedColor TdlgOptionBase::ItemColor(const TColorItem& item)
{
    switch (item.Source) {
    case TItemSource::DefaultColor:
        return {&FDefaultColor, nullptr};
    case TItemSource::Fountain:
        return {FSampleFountain->property(item.Name).value<TFountainColor*>(), nullptr};
    case TItemSource::SampleSelect:
        return {edrView->View()->Colors()->Select(), nullptr};
    case TItemSource::SampleMark:
        return {nullptr, edrView->Marks()->property(item.Name).value<TEditorMark*>()};
    case TItemSource::Own:
        return OwnColor(item.Name);
    }
    return {};
}

void TdlgOptionBase::ViewItemChosen(int row)
{
    TEditorColorManager& manager = FViewColors->Manager();
    if (row < 0 || row >= static_cast<int>(FItems.size())) {
        manager.SetColor(nullptr);
        return;
    }
    const TEditedColor edited = ItemColor(FItems[static_cast<std::size_t>(row)]);
    if (edited.Mark)
        manager.SetMark(edited.Mark);
    else
        manager.SetColor(edited.Color);
}

void TdlgOptionBase::RulerItemChosen(int row)
{
    TEditorColorManager& manager = FRulerColors->Manager();
    switch (row) {
    case 0:
        manager.SetColor(&FRulerColor);
        break;
    case 1:
        manager.SetMark(&FRulerMarkColor);
        break;
    case 2:
        manager.SetColor(&FLeftbarColor);
        break;
    default:
        manager.SetColor(nullptr);
        break;
    }
}

void TdlgOptionBase::SelectViewItem(const QString& caption)
{
    const auto found = lbxView->findItems(caption, Qt::MatchExactly);
    lbxView->setCurrentRow(found.isEmpty() ? -1 : lbxView->row(found.front()));
}

void TdlgOptionBase::SelectRulerItem(const QString& caption)
{
    const auto found = lbxRuler->findItems(caption, Qt::MatchExactly);
    lbxRuler->setCurrentRow(found.isEmpty() ? -1 : lbxRuler->row(found.front()));
}

void TdlgOptionBase::ChooseFont()
{
    QFont font = FFont.ToQFont();
    if (!FontChooser()(this, font))
        return;
    {
        TUpdateBatch batch(FFont);
        FFont.SetName(font.family());
        FFont.SetSize(font.pointSize() > 0 ? font.pointSize() : FFont.Size());
    }
    // The face and size go to the sample; the style stays the default colour's, as its boxes
    // show it.
    {
        TUpdateBatch batch(*edrView->Font());
        edrView->Font()->SetName(FFont.Name());
        edrView->Font()->SetSize(FFont.Size());
    }
    {
        TUpdateBatch batch(*edrRuler->Font());
        edrRuler->Font()->SetName(FFont.Name());
        edrRuler->Font()->SetSize(FFont.Size());
    }
    ShowFontName();
}

void TdlgOptionBase::ShowFontName()
{
    // The face actually used: a localized listing of the stored name, or a missing face's fallback.
    lblFont->setText(QStringLiteral("%1 %2pt").arg(FamilyInUse(FFont.Name())).arg(FFont.Size()));
}

} // namespace brenvik
