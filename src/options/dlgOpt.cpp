// The main window's options dialog: its colour items, its own tab and what it loads and stores
// beyond the shared editor settings.
#include "options/dlgOpt.h"
#include "options/RecoveryBackupTab.h"

#include "editor/RadioGroup.h"

#include "app/WindowParts.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "editor/EditorPainter.h"
#include "highlight/ConfiguredFountains.h"
#include "highlight/PERLFountain.h"

#include <QCheckBox>
#include <algorithm>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <array>
#include <cstring>

namespace brenvik {

namespace {

// The fifteen Perl colours the dialog copies.
const std::vector<const char*> kPerlColors {"Ank", "Comment", "DBCS", "Int", "Str", "Symbol", "Variable",
    "Arrangement", "AssocArr", "SubRoutineCall", "SubRoutine", "SearchStr", "KeyWordStr", "TrailBackslash",
    "Reserve"};

using TSource = TdlgOptionBase::TItemSource;

const char* const kTabMark = "TabMark";
const char* const kDBSpaceMark = "DBSpaceMark";

std::vector<TdlgOptionBase::TColorItem> PerlItems()
{
    return {{"デフォルト", TSource::DefaultColor, nullptr}, {"変数", TSource::Fountain, "Variable"},
        {"配列", TSource::Fountain, "Arrangement"}, {"連想配列", TSource::Fountain, "AssocArr"},
        {"サブルーチン定義", TSource::Fountain, "SubRoutine"},
        {"サブルーチン呼出", TSource::Fountain, "SubRoutineCall"}, {"英文字", TSource::Fountain, "Ank"},
        {"数値", TSource::Fountain, "Int"}, {"予約語", TSource::Fountain, "Reserve"},
        {"文字列", TSource::Fountain, "Str"}, {"記号", TSource::Fountain, "Symbol"},
        {"コメント", TSource::Fountain, "Comment"}, {"全角文字", TSource::Fountain, "DBCS"},
        {"ダメ文字", TSource::Fountain, "TrailBackslash"},
        {"選択文字列", TSource::SampleSelect, nullptr}, {"キーワード", TSource::Fountain, "KeyWordStr"},
        {"検索文字", TSource::Fountain, "SearchStr"}, {"EOFマーク", TSource::SampleMark, "EofMark"},
        {"Retマーク", TSource::SampleMark, "RetMark"}, {"Wrapマーク", TSource::SampleMark, "WrapMark"},
        {"Hideマーク", TSource::SampleMark, "HideMark"}, {"UnderLine", TSource::SampleMark, "Underline"},
        {"Tabマーク", TSource::Own, kTabMark}, {"全角スペース", TSource::Own, kDBSpaceMark}};
}

// A variable, a string, a comment, Japanese and a character whose trail byte Perl reads as a backslash.
const char* const kPerlSample = "# 掲示板の設定\r\n"
                                "$title = \"ようこそ、掲示板へ\";\r\n"
                                "$error = \"表示できません\"; # ダメ文字\r\n"
                                "print \"Content-type: text/html\\n\\n\"; # ヘッダー\r\n";

// The three presets of "デフォルト文字コード ": the button's place, its codes.
struct TCodePreset {
    JCode JCodeValue;
    RCode RCodeValue;
};
constexpr std::array<TCodePreset, 3> kPresets {{{jcSjis, rcCrLf}, {jcSjis, rcCr}, {jcEuc, rcLf}}};
constexpr std::array<JCode, 4> kJCodes {jcSjis, jcJis, jcEuc, jcUtf8};
constexpr std::array<RCode, 3> kRCodes {rcCrLf, rcCr, rcLf};

template <typename T, std::size_t N> int IndexOf(const std::array<T, N>& values, T value)
{
    const auto found = std::find(values.begin(), values.end(), value);
    return found == values.end() ? -1 : static_cast<int>(found - values.begin());
}

} // namespace

TdlgOption::TdlgOption(QWidget* parent)
    : TdlgOptionBase(parent, ConfiguredFountain(ConfigurePERLFountain), PerlItems(), kPerlSample)
    , FPERLView(static_cast<TPERLFountain*>(&SampleFountain()))
{
    setObjectName(QStringLiteral("dlgOpt"));
    setWindowTitle(QStringLiteral("設定"));
    CreateOtherTab();
    FRecoveryBackup = new TRecoveryBackupTab(AddTab(QStringLiteral("復元とバックアップ")));
    cbxPerlGrammar = new QCheckBox(QStringLiteral("Perl の文法を詳しく解析する"), this);
    cbxPerlGrammar->setObjectName(QStringLiteral("cbxPerlGrammar"));
    // Below the mark boxes of the colour tab, whose sample shows the choice at once.
    if (auto* colorTab = qobject_cast<QGridLayout*>(MarkBox(0)->parentWidget()->parentWidget()->layout()))
        colorTab->addWidget(cbxPerlGrammar, 1, 2, Qt::AlignTop);
    connect(cbxPerlGrammar, &QCheckBox::toggled, this, [this](bool checked) { FPERLView->SetPerlGrammar(checked); });
    connect(MarkBox(5), &QCheckBox::toggled, this, [this](bool checked) { FTabMark.SetVisible(checked); });
    connect(MarkBox(6), &QCheckBox::toggled, this, [this](bool checked) { FDBSpaceMark.SetVisible(checked); });
}

void TdlgOption::CreateOtherTab()
{
    QWidget* page = AddTab(QStringLiteral("その他"));
    auto* layout = new QVBoxLayout(page);
    auto* codes = new QGroupBox(QStringLiteral("デフォルト文字コード "), page);
    auto* codeLayout = new QVBoxLayout(codes);
    const auto radio = [codes, codeLayout](const char* name, const char* caption) {
        auto* button = new QRadioButton(QString::fromUtf8(caption), codes);
        button->setObjectName(QLatin1String(name));
        codeLayout->addWidget(button);
        return button;
    };
    rdbWin = radio("rdbWin", "Windows：SHIFT-JIS/CR+LF");
    rdbMac = radio("rdbMac", "Macintosh：SHIFT-JIS/CR");
    rdbUnix = radio("rdbUnix", "UNIX：EUC/LF");
    rdbOther = radio("rdbOther", "Others...");
    auto* others = new QHBoxLayout;
    rdgJcode = new TRadioGroup("rdgJcode", QStringLiteral("文字コード "),
        {QStringLiteral("SHIFT-JIS"), QStringLiteral("JIS"), QStringLiteral("EUC"), QStringLiteral("UTF-8")}, codes);
    rdgRCode = new TRadioGroup("rdgRCode", QStringLiteral("改行コード "),
        {QStringLiteral("CR+LF"), QStringLiteral("CR"), QStringLiteral("LF")}, codes);
    others->addWidget(rdgJcode);
    others->addWidget(rdgRCode);
    codeLayout->addLayout(others);
    layout->addWidget(codes);
    connect(rdbOther, &QRadioButton::toggled, this, [this](bool on) {
        rdgJcode->setEnabled(on);
        rdgRCode->setEnabled(on);
    });
    rdgJcode->setEnabled(false);
    rdgRCode->setEnabled(false);

    rdgListUpdate = new TRadioGroup("rdgListUpdate", QStringLiteral("エクスプローラ更新タイミング "),
        {QStringLiteral("データ保存時"), QStringLiteral("データ保存+改行入力時"),
            QStringLiteral("データ保存+改行入力+文字列変更時")},
        page);
    rdgListDefaultSet = new TRadioGroup("rdgListDefaultSet", QStringLiteral("エクスプローラー初期表示 "),
        {QStringLiteral("無し"), QStringLiteral("シンプル：サブルーチン＆キーワード"),
            QStringLiteral("標準：タブシート表示"), QStringLiteral("フル：全面表示")},
        page);
    layout->addWidget(rdgListUpdate);
    layout->addWidget(rdgListDefaultSet);
    cbxWheelOneRow = new QCheckBox(QStringLiteral("マウスホイールで1行ずつスクロールする"), page);
    cbxWheelOneRow->setObjectName(QStringLiteral("cbxWheelOneRow"));
    layout->addWidget(cbxWheelOneRow);
    speUndoLimit = new QSpinBox(page);
    speUndoLimit->setObjectName(QStringLiteral("speUndoLimit"));
    speUndoLimit->setRange(64, 100000);
    auto* undo = new QHBoxLayout;
    undo->addWidget(new QLabel(QStringLiteral("元に戻せる回数"), page));
    undo->addWidget(speUndoLimit);
    undo->addStretch();
    layout->addLayout(undo);
    auto* perl = new QGroupBox(QStringLiteral("構文チェックと CGI 実行 "), page);
    auto* perlLayout = new QGridLayout(perl);
    edtPerlPath = new QLineEdit(perl);
    edtPerlPath->setObjectName(QStringLiteral("edtPerlPath"));
    edtPerlPath->setPlaceholderText(QStringLiteral("空欄: PATH 上の最初の perl"));
    speRunTimeLimit = new QSpinBox(perl);
    speRunTimeLimit->setObjectName(QStringLiteral("speRunTimeLimit"));
    speRunTimeLimit->setRange(1, 600);
    speRunTimeLimit->setSuffix(QStringLiteral(" 秒"));
    perlLayout->addWidget(new QLabel(QStringLiteral("perl のパス"), perl), 0, 0);
    perlLayout->addWidget(edtPerlPath, 0, 1);
    perlLayout->addWidget(new QLabel(QStringLiteral("制限時間"), perl), 1, 0);
    perlLayout->addWidget(speRunTimeLimit, 1, 1, Qt::AlignLeft);
    layout->addWidget(perl);
    layout->addStretch();
}

TdlgOptionBase::TEditedColor TdlgOption::OwnColor(const char* name)
{
    if (std::strcmp(name, kTabMark) == 0)
        return {nullptr, &FTabMark};
    if (std::strcmp(name, kDBSpaceMark) == 0)
        return {nullptr, &FDBSpaceMark};
    return {};
}

void TdlgOption::Load(const TfrmMain& owner)
{
    FLoaded = owner.Options();
    FTabMark.SetColor(FLoaded.TabMarkColor);
    FTabMark.SetVisible(FLoaded.TabMarkVisible);
    FDBSpaceMark.SetColor(FLoaded.DBSpaceMarkColor);
    FDBSpaceMark.SetVisible(FLoaded.DBSpaceMarkVisible);
    MarkBox(5)->setChecked(FLoaded.TabMarkVisible);
    MarkBox(6)->setChecked(FLoaded.DBSpaceMarkVisible);
    LoadEditor(owner.Editor(), owner.PerlFountain(), FLoaded.WordWrapWindow, kPerlColors);
    cbxPerlGrammar->setChecked(owner.PerlFountain().PerlGrammar());
    LoadCodes(FLoaded.DefaultJCode, FLoaded.DefaultRCode);
    rdgListUpdate->SetItemIndex(FLoaded.ListUpdate);
    rdgListDefaultSet->SetItemIndex(FLoaded.ListDefaultSet);
    cbxWheelOneRow->setChecked(FLoaded.WheelOneRow);
    speUndoLimit->setValue(FLoaded.UndoLimit);
    edtPerlPath->setText(FLoaded.Run.PerlPath);
    speRunTimeLimit->setValue(FLoaded.Run.TimeLimit);
    FRecoveryBackup->Load(FLoaded);
}

void TdlgOption::LoadCodes(JCode jcode, RCode rcode)
{
    const std::array<QRadioButton*, 3> presets {rdbWin, rdbMac, rdbUnix};
    for (std::size_t i = 0; i < kPresets.size(); ++i) {
        if (kPresets[i].JCodeValue == jcode && kPresets[i].RCodeValue == rcode) {
            presets[i]->setChecked(true);
            return;
        }
    }
    rdbOther->setChecked(true);
    rdgJcode->SetItemIndex(IndexOf(kJCodes, jcode));
    rdgRCode->SetItemIndex(IndexOf(kRCodes, rcode));
}

void TdlgOption::StoreCodes(TMainOptions& options) const
{
    const std::array<QRadioButton*, 3> presets {rdbWin, rdbMac, rdbUnix};
    for (std::size_t i = 0; i < kPresets.size(); ++i) {
        if (presets[i]->isChecked()) {
            options.DefaultJCode = kPresets[i].JCodeValue;
            options.DefaultRCode = kPresets[i].RCodeValue;
            return;
        }
    }
    // A group without a choice keeps the value it was loaded with.
    if (const int index = rdgJcode->ItemIndex(); index >= 0)
        options.DefaultJCode = kJCodes[static_cast<std::size_t>(index)];
    if (const int index = rdgRCode->ItemIndex(); index >= 0)
        options.DefaultRCode = kRCodes[static_cast<std::size_t>(index)];
}

void TdlgOption::Store(TfrmMain& owner)
{
    TMainOptions options = FLoaded;
    TEditor& editor = owner.Editor();
    StoreEditor(editor, owner.PerlFountain(), options.WordWrapWindow, kPerlColors);
    owner.PerlFountain().SetPerlGrammar(cbxPerlGrammar->isChecked());
    // 4. The explorer's views take the editor's background and font.
    ApplyEditorLook(editor, owner.ExplorerViews());
    // 6. The tab and full-width-space marks; 8. codes and the explorer.
    options.TabMarkColor = FTabMark.Color();
    options.TabMarkVisible = FTabMark.Visible();
    options.DBSpaceMarkColor = FDBSpaceMark.Color();
    options.DBSpaceMarkVisible = FDBSpaceMark.Visible();
    StoreCodes(options);
    if (const int index = rdgListUpdate->ItemIndex(); index >= 0)
        options.ListUpdate = index;
    if (const int index = rdgListDefaultSet->ItemIndex(); index >= 0)
        options.ListDefaultSet = index;
    options.WheelOneRow = cbxWheelOneRow->isChecked();
    options.UndoLimit = speUndoLimit->value();
    options.Run.PerlPath = edtPerlPath->text().trimmed();
    options.Run.TimeLimit = speRunTimeLimit->value();
    FRecoveryBackup->Store(options);
    owner.SetOptions(options);
    owner.WriteViewSettings();
}

bool RunOptionDialog(TfrmMain& owner)
{
    TdlgOption dialog(&owner);
    dialog.Load(owner);
    if (dialog.exec() == QDialog::Accepted)
        dialog.Store(owner);
    return false;
}

} // namespace brenvik
