// The shared part of the find and replace dialogs: controls and layout, show, accept and the
// two runners.
#include "app/FindDialog.h"

#include "app/FormReplace.h"
#include "app/FormSearch.h"
#include "app/SearchStore.h"
#include "jcode/SjisUnicode.h"
#include "support/Prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace brenvik {

namespace {

template <typename T> T* Named(T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QCheckBox* CheckBox(const char* name, const char* caption, QWidget* parent)
{
    return Named(new QCheckBox(QString::fromUtf8(caption), parent), name);
}

} // namespace

TFindDialog::TFindDialog(const QString& title, QSize clientSize, const QString& help, QWidget* parent)
    : QDialog(parent)
    , FHelp(help)
    , FClientSize(clientSize)
{
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    ComboBox1 = HistoryBox("ComboBox1");
    Label1 = Named(new QLabel(QStringLiteral("検索する文字列(&T):"), this), "Label1");
    Label1->setBuddy(ComboBox1);

    btnOK = Named(new QPushButton(QStringLiteral("OK"), this), "btnOK");
    btnOK->setDefault(true);
    btnCancel = Named(new QPushButton(QStringLiteral("キャンセル"), this), "btnCancel");
    btnHelp = Named(new QPushButton(QStringLiteral("ヘルプ(&H)"), this), "btnHelp");
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnHelp, &QPushButton::clicked, this, &TFindDialog::ShowHelp);

    RadioGroup1 = Named(new QGroupBox(QStringLiteral(" 検索方向 "), this), "RadioGroup1");
    auto* directions = new QGridLayout(RadioGroup1);
    rdbUp = Named(new QRadioButton(QStringLiteral("上へ(&B)"), RadioGroup1), "rdbUp");
    rdbDown = Named(new QRadioButton(QStringLiteral("下へ(&D)"), RadioGroup1), "rdbDown");
    directions->addWidget(rdbUp, 0, 0);
    directions->addWidget(rdbDown, 0, 1);
    rdbDown->setChecked(true);

    GroupBox1 = Named(new QGroupBox(QStringLiteral(" ｵﾌﾟｼｮﾝ "), this), "GroupBox1");
    FOptions = new QVBoxLayout(GroupBox1);
    chkMatchCase = CheckBox("chkMatchCase", "大/小文字の区別(&C)", GroupBox1);
    chkWholeWord = CheckBox("chkWholeWord", "単語単位で探す(&W)", GroupBox1);
    chkNoMatchZenkaku = CheckBox("chkNoMatchZenkaku", "全角・半角を区別しない(&Z)", GroupBox1);
    chkIncludeCRLF = CheckBox("chkIncludeCRLF", "改行・スペースを無視(&L)", GroupBox1);
    chkRegExp = CheckBox("chkRegExp", "正規表現(&X)", GroupBox1);
    chkInSelection = CheckBox("chkInSelection", "選択範囲内(&I)", GroupBox1);
    for (QCheckBox* box : {chkMatchCase, chkWholeWord, chkNoMatchZenkaku, chkIncludeCRLF, chkRegExp, chkInSelection})
        FOptions->addWidget(box);
    connect(chkRegExp, &QCheckBox::toggled, chkIncludeCRLF, &QWidget::setDisabled);

    lblMessage = Named(new QLabel(this), "lblMessage");
    lblMessage->setWordWrap(true);
    lblMessage->setStyleSheet(QStringLiteral("color: #c00000;"));
    lblMessage->hide();

    FFields = new QGridLayout;
    FFields->addWidget(Label1, 0, 0);
    FFields->addWidget(ComboBox1, 0, 1);
    FFields->setColumnStretch(1, 1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(GroupBox1, 1);
    groups->addWidget(RadioGroup1, 0, Qt::AlignTop);
    auto* left = new QVBoxLayout;
    left->addLayout(FFields);
    left->addLayout(groups);
    left->addWidget(lblMessage);
    left->addStretch();
    FButtons = new QVBoxLayout;
    FButtons->addWidget(btnOK);
    FButtons->addWidget(btnCancel);
    FButtons->addWidget(btnHelp);
    FButtons->addStretch();
    auto* main = new QHBoxLayout(this);
    main->addLayout(left, 1);
    main->addLayout(FButtons);
}

TFindDialog::~TFindDialog() = default;

QComboBox* TFindDialog::HistoryBox(const char* name)
{
    auto* box = Named(new QComboBox(this), name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(HistoryMax);
    // What is typed is searched for and written as typed: the history is offered in the
    // drop-down, never completed into the field (an inline completion ignores case, and takes
    // the first Enter for itself).
    box->setCompleter(nullptr);
    return box;
}

TSearchFlags TFindDialog::OptionFlags() const
{
    std::uint16_t bits = 0;
    if (chkWholeWord->isChecked())
        bits |= TSearchFlags::WholeWord;
    if (chkMatchCase->isChecked())
        bits |= TSearchFlags::MatchCase;
    if (chkNoMatchZenkaku->isChecked())
        bits |= TSearchFlags::NoMatchZenkaku;
    if (rdbDown->isChecked())
        bits |= TSearchFlags::Down;
    if (chkIncludeCRLF->isChecked())
        bits |= TSearchFlags::IncludeCRLF | TSearchFlags::IncludeSpace;
    if (chkRegExp->isChecked())
        bits |= TSearchFlags::RegExp;
    return bits;
}

void TFindDialog::showEvent(QShowEvent* event)
{
    // Fits its texts, at least the classic client size, centred on the screen.
    setFixedSize(sizeHint().expandedTo(FClientSize));
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
    QDialog::showEvent(event);
}

void TFindDialog::FormShow()
{
    FSearchText.clear();
    TSearchStore store;
    LoadFields(store);
    if (ComboBox1->count() > 0)
        ComboBox1->setCurrentIndex(0);
    ComboBox1->setFocus();
}

void TFindDialog::LoadFields(TSearchStore& store)
{
    const TSearchOptions options = store.ReadOptions();
    chkMatchCase->setChecked(options.MatchCase);
    chkWholeWord->setChecked(options.WholeWord);
    chkNoMatchZenkaku->setChecked(options.NoMatchZenkaku);
    chkIncludeCRLF->setChecked(options.IncludeCRLF);
    chkRegExp->setChecked(options.RegExp);
    (options.Down ? rdbDown : rdbUp)->setChecked(true);
    FSearchHistory = TSearchHistory(store.ReadItems(TSearchStore::SearchItems));
    const std::string initial = InitialSearchBytes(FInitialText);
    if (!initial.empty())
        FSearchHistory.PutFirst({SjisToUnicode(initial, FChars), initial});
    ShowHistory(ComboBox1, FSearchHistory);
}

void TFindDialog::SaveFields(TSearchStore& store)
{
    store.WriteOptions({chkMatchCase->isChecked(), chkWholeWord->isChecked(), chkNoMatchZenkaku->isChecked(),
        chkIncludeCRLF->isChecked(), rdbDown->isChecked(), chkRegExp->isChecked()});
    store.WriteItems(TSearchStore::SearchItems, FSearchHistory.Texts());
}

void TFindDialog::ShowHistory(QComboBox* box, const TSearchHistory& history)
{
    const QString edited = box->currentText();
    box->clear();
    for (const THistoryEntry& entry : history.Entries())
        box->addItem(entry.Text);
    box->setEditText(edited);
}

void TFindDialog::SetTabOrder(std::initializer_list<QWidget*> widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

bool TFindDialog::TakeField(QComboBox* box, TSearchHistory& history, std::string& accepted)
{
    const QString text = box->currentText();
    accepted.clear();
    if (text.isEmpty())
        return true;
    std::optional<std::string> bytes = history.BytesOf(text);
    if (!bytes) {
        const std::optional<QString> bad = FirstUnencodable(text, FChars);
        if (!bad)
            bytes = UnicodeToSjis(text, FChars);
        if (!bytes) {
            Refuse(UnencodableMessage(bad.value_or(text.left(1))), box);
            return false;
        }
    }
    accepted = *bytes;
    history.PutFirst({text, *bytes});
    ShowHistory(box, history);
    box->setEditText(text);
    return true;
}

void TFindDialog::Refuse(const QString& message, QComboBox* box)
{
    lblMessage->setText(message);
    lblMessage->show();
    box->setFocus();
}

bool TFindDialog::AcceptFields()
{
    FExpression.reset();
    if (!TakeField(ComboBox1, FSearchHistory, FSearchText))
        return false;
    if (!chkRegExp->isChecked() || FSearchText.empty())
        return true;
    FExpression = std::make_unique<TRegexPattern>(FSearchText, TRegexOptions::FromFlags(OptionFlags()));
    if (FExpression->Valid())
        return true;
    const TRegexError& error = FExpression->Error();
    FSearchText.clear();
    Refuse(QString::fromStdString(error.Message(SjisToUnicode(error.Reason, FChars).toStdString())), ComboBox1);
    return false;
}

bool TFindDialog::AcceptWith(int result)
{
    lblMessage->hide();
    if (!AcceptFields())
        return false;
    TSearchStore store;
    SaveFields(store);
    store.Sync();
    done(result);
    return true;
}

void TFindDialog::btnOKClick()
{
    AcceptWith(QDialog::Accepted);
}

void TFindDialog::ShowHelp()
{
    Prompts().ShowInformation(this, windowTitle(), FHelp);
}

bool SearchDialogRun(QWidget* parent, const std::string& initial, const TDocumentChars& chars, TFindRequest& request)
{
    request = {};
    TFormSearch dialog(parent);
    dialog.SetInitialText(initial);
    dialog.SetDocumentChars(chars);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    request.Search = dialog.SearchText();
    request.Flags = dialog.OptionFlags();
    request.InSelection = dialog.chkInSelection->isChecked();
    return !request.Search.empty();
}

bool ReplaceDialogRun(QWidget* parent, const std::string& initial, const TDocumentChars& chars, TFindRequest& request)
{
    request = {};
    TFormReplace dialog(parent);
    dialog.SetInitialText(initial);
    dialog.SetDocumentChars(chars);
    const int result = dialog.exec();
    if (result != QDialog::Accepted && result != TFormReplace::ResultAll)
        return false;
    // The search text stays in the request when only the replacement is missing, so that the
    // caller can say which text was empty.
    request.Search = dialog.SearchText();
    request.Replacement = dialog.ReplaceText();
    request.Flags = dialog.Flags();
    request.InSelection = dialog.chkInSelection->isChecked();
    return !request.Search.empty() && !request.Replacement.empty();
}

} // namespace brenvik
