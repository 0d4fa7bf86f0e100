// What the options dialog and the builder's settings dialog share: the tabs "エディタ",
// "表示色" and "行・ルーラー" with their two read-only sample editors, the colour holders and
// managers, and the loading and storing of the editor settings those tabs edit.
#pragma once

#include "editor/EditorFont.h"
#include "editor/EditorMarks.h"
#include "highlight/FountainColor.h"

#include <QDialog>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace brenvik {

class TColorEditor;
class TEditor;
class TKinsokuBox;
class TFountain;
class TRadioGroup;

// A sample fountain set up as its owner window's is.
template <typename T> std::unique_ptr<TFountain> ConfiguredFountain(void (*configure)(T&))
{
    auto fountain = std::make_unique<T>();
    configure(*fountain);
    return fountain;
}

// The dialog edits copies only: its samples, holders and font. Storing copies them into the
// owner's editor and fountain.
class TdlgOptionBase : public QDialog {
    Q_OBJECT
public:
    // Where an item of lbxView finds the colour or mark it edits.
    enum class TItemSource { DefaultColor, Fountain, SampleSelect, SampleMark, Own };
    struct TColorItem {
        const char* Caption;
        TItemSource Source;
        const char* Name; // the property of the fountain or of the sample's marks; Own: a key
    };

    ~TdlgOptionBase() override;

    // The sample editors and the font the font dialog edits (for the owner's tests and bench).
    TEditor& ViewSample() const { return *edrView; }
    TEditor& RulerSample() const { return *edrRuler; }
    const TEditorFont& ChosenFont() const { return FFont; }
    // Opens the font dialog on the chosen font; its face, size and style go to the sample.
    void ChooseFont();
    // Chooses an item of lbxView or lbxRuler, as a click on it does.
    void SelectViewItem(const QString& caption);
    void SelectRulerItem(const QString& caption);
    TColorEditor& ViewColors() const { return *FViewColors; }
    TColorEditor& RulerColors() const { return *FRulerColors; }

protected:
    // The colour or mark an item edits; neither when it has none (the grid is then disabled).
    struct TEditedColor {
        TFountainColor* Color = nullptr;
        TEditorMark* Mark = nullptr;
    };

    // sampleFountain (owned) highlights edrView; sampleLines are its text (CR LF breaks).
    TdlgOptionBase(QWidget* parent, std::unique_ptr<TFountain> sampleFountain, std::vector<TColorItem> items,
        const char* sampleLines);
    TFountain& SampleFountain() const { return *FSampleFountain; }

    // Loading steps 1 to 4 and 6 from an editor, its fountain (the colours named in
    // colorNames are copied) and its wrap-at-window setting.
    void LoadEditor(const TEditor& editor, const TFountain& fountain, bool wordWrapWindow,
        const std::vector<const char*>& colorNames);
    // Storing steps 1 to 3, 5 to 7 into the editor and its fountain, inside one batch of the
    // fountain and with the rows rebuilt at most once. wordWrapWindow keeps its value when
    // no wrap mode is chosen.
    void StoreEditor(TEditor& editor, TFountain& fountain, bool& wordWrapWindow,
        const std::vector<const char*>& colorNames);
    // Resolves the items whose Source is Own.
    virtual TEditedColor OwnColor(const char* name);
    QWidget* AddTab(const QString& caption);
    QCheckBox* MarkBox(int index) const { return FMarkBoxes.at(static_cast<std::size_t>(index)); }

    QTabWidget* pgcOption;

    // Tab "エディタ".
    TRadioGroup* rdgWordWrap;
    QSpinBox* speWordWrap;
    std::vector<QCheckBox*> FCaretBoxes;
    QComboBox* cmbTab;
    QPushButton* btnFont;
    QLabel* lblFont;
    TKinsokuBox* grpKinsoku;
    // Tab "表示色".
    QListWidget* lbxView;
    TEditor* edrView;
    // Tab "行・ルーラー".
    QListWidget* lbxRuler;
    QCheckBox* cbxRulerView;
    QCheckBox* cbxRulerNum;
    QRadioButton* rdbRulerLine;
    QRadioButton* rdbRulerRow;
    QCheckBox* cbxRulerZeroBase;
    TEditor* edrRuler;

    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    void CreateEditorTab();
    void CreateViewTab(const char* sampleLines);
    void CreateRulerTab();
    void CreateHolders();
    void ShowFontName();
    TEditedColor ItemColor(const TColorItem& item);
    void ViewItemChosen(int row);
    void RulerItemChosen(int row);
    void ApplyWrap(TEditor& editor, int index, int width, bool tabChanged) const;

    std::unique_ptr<TFountain> FSampleFountain;
    std::vector<TColorItem> FItems;
    std::vector<QCheckBox*> FMarkBoxes;
    TColorEditor* FViewColors;
    TColorEditor* FRulerColors;
    TEditorFont FFont;
    // The colour holders: default (editor colour, font colour and style), ruler, ruler mark
    // and line-number bar. Each repaints its sample when it changes.
    TFountainColor FDefaultColor;
    TFountainColor FRulerColor;
    TEditorMark FRulerMarkColor;
    TFountainColor FLeftbarColor;
};

} // namespace brenvik
