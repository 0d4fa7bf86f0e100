// The grep dialog's fields, its checks on OK, and its memory between runs.
#include "app/GrepDialog.h"

#include "app/SearchHistory.h"
#include "app/SearchStore.h"
#include "app/SettingsFile.h"
#include "grep/MakeGrepMatcher.h"
#include "jcode/SjisUnicode.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brenvik {

namespace {

const QString kSection = QStringLiteral("Grep/");

// The code choices in the order of the list; the first is the detection.
const std::optional<TStatedCodes> kCodes[] = {std::nullopt, TStatedCodes {jcSjis, rcCrLf},
    TStatedCodes {jcEuc, rcCrLf}, TStatedCodes {jcJis, rcCrLf}, TStatedCodes {jcUtf8, rcCrLf}};

QComboBox* HistoryCombo(const char* name, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(HistoryMax);
    box->setCompleter(nullptr);
    box->setMinimumContentsLength(40);
    return box;
}

QCheckBox* CheckBox(const char* name, const char* caption, QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

// text first, then the others without it, at most HistoryMax.
QStringList WithFirst(const QString& text, QStringList items)
{
    items.removeAll(text);
    items.prepend(text);
    while (items.size() > HistoryMax)
        items.removeLast();
    return items;
}

} // namespace

std::vector<std::string> GrepMaskGlobs(const QString& masks)
{
    std::vector<std::string> globs;
    for (const QString& mask : masks.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = mask.trimmed();
        if (!trimmed.isEmpty())
            globs.push_back(QFile::encodeName(trimmed).toStdString());
    }
    return globs;
}

TGrepDialog::TGrepDialog(const QString& initialPattern, const QString& folder, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgGrep"));
    setWindowTitle(QStringLiteral("Grep"));
    cmbPattern = HistoryCombo("cmbPattern", this);
    cmbFolder = HistoryCombo("cmbFolder", this);
    cmbMasks = HistoryCombo("cmbMasks", this);
    auto* browse = new QPushButton(QStringLiteral("参照(&B)..."), this);
    browse->setObjectName(QStringLiteral("btnBrowse"));
    connect(browse, &QPushButton::clicked, this, &TGrepDialog::Browse);

    auto* fields = new QGridLayout;
    const std::pair<const char*, QComboBox*> rows[] = {
        {"検索する文字列(&N):", cmbPattern}, {"フォルダ(&D):", cmbFolder}, {"ファイルの種類(&T):", cmbMasks}};
    int row = 0;
    for (const auto& [caption, box] : rows) {
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        label->setBuddy(box);
        fields->addWidget(label, row, 0);
        fields->addWidget(box, row, 1);
        ++row;
    }
    fields->addWidget(browse, 1, 2);
    fields->setColumnStretch(1, 1);

    auto* options = new QGroupBox(QStringLiteral(" ｵﾌﾟｼｮﾝ "), this);
    auto* optionRows = new QVBoxLayout(options);
    chkSubFolders = CheckBox("chkSubFolders", "サブフォルダも検索する(&S)", options);
    chkMatchCase = CheckBox("chkMatchCase", "大/小文字の区別(&C)", options);
    chkWholeWord = CheckBox("chkWholeWord", "単語単位で探す(&W)", options);
    chkNoMatchZenkaku = CheckBox("chkNoMatchZenkaku", "全角・半角を区別しない(&Z)", options);
    chkRegex = CheckBox("chkRegex", "正規表現(&R)", options);
    for (QCheckBox* box : {chkSubFolders, chkMatchCase, chkWholeWord, chkNoMatchZenkaku, chkRegex})
        optionRows->addWidget(box);
    cmbCode = new QComboBox(this);
    cmbCode->setObjectName(QStringLiteral("cmbCode"));
    cmbCode->addItems({QStringLiteral("自動判別"), QStringLiteral("SHIFT-JIS"), QStringLiteral("EUC"),
        QStringLiteral("JIS"), QStringLiteral("UTF-8")});
    auto* codeRow = new QHBoxLayout;
    auto* codeLabel = new QLabel(QStringLiteral("文字コード(&K):"), this);
    codeLabel->setBuddy(cmbCode);
    codeRow->addWidget(codeLabel);
    codeRow->addWidget(cmbCode);
    codeRow->addStretch();
    optionRows->addLayout(codeRow);

    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setWordWrap(true);
    lblMessage->setStyleSheet(QStringLiteral("color: #c00000;"));
    lblMessage->hide();

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("検索"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("btnOK"));
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TGrepDialog::TryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* main = new QVBoxLayout(this);
    main->addLayout(fields);
    main->addWidget(options);
    main->addWidget(lblMessage);
    main->addWidget(buttons);
    Load(initialPattern, folder);
}

void TGrepDialog::Load(const QString& initialPattern, const QString& folder)
{
    const TSearchStore store;
    const QStringList patterns = store.ReadItems(TSearchStore::SearchItems);
    cmbPattern->addItems(patterns);
    cmbPattern->setEditText(initialPattern.isEmpty() ? patterns.value(0) : initialPattern);
    const TSettingsFile settings;
    const QStringList folders = settings.Value(kSection + QStringLiteral("Folders")).toStringList();
    cmbFolder->addItems(folders);
    cmbFolder->setEditText(folders.isEmpty() ? folder : folders.front());
    const QStringList masks = settings.Value(kSection + QStringLiteral("Masks")).toStringList();
    cmbMasks->addItems(masks.isEmpty() ? QStringList {kDefaultGrepMasks} : masks);
    if (!masks.contains(kDefaultGrepMasks))
        cmbMasks->addItem(kDefaultGrepMasks);
    cmbMasks->setCurrentIndex(0);
    const auto flag = [&](const char* key, bool fallback) {
        const QVariant value = settings.Value(kSection + QLatin1String(key));
        return value.isValid() ? value.toBool() : fallback;
    };
    chkSubFolders->setChecked(flag("SubFolders", true));
    chkMatchCase->setChecked(flag("MatchCase", false));
    chkWholeWord->setChecked(flag("WholeWord", false));
    chkNoMatchZenkaku->setChecked(flag("NoMatchZenkaku", false));
    chkRegex->setChecked(flag("Regex", false));
    cmbCode->setCurrentIndex(std::clamp(settings.Value(kSection + QStringLiteral("Code")).toInt(), 0, 4));
}

void TGrepDialog::Save()
{
    TSearchStore store;
    store.WriteItems(TSearchStore::SearchItems, WithFirst(request_.Pattern, store.ReadItems(TSearchStore::SearchItems)));
    store.Sync();
    TSettingsFile settings;
    QStringList folders;
    QStringList masks;
    for (int i = 0; i < cmbFolder->count(); ++i)
        folders.append(cmbFolder->itemText(i));
    for (int i = 0; i < cmbMasks->count(); ++i)
        masks.append(cmbMasks->itemText(i));
    settings.SetValue(kSection + QStringLiteral("Folders"), WithFirst(request_.Folder, folders));
    settings.SetValue(kSection + QStringLiteral("Masks"), WithFirst(cmbMasks->currentText().trimmed(), masks));
    settings.SetValue(kSection + QStringLiteral("SubFolders"), chkSubFolders->isChecked());
    settings.SetValue(kSection + QStringLiteral("MatchCase"), chkMatchCase->isChecked());
    settings.SetValue(kSection + QStringLiteral("WholeWord"), chkWholeWord->isChecked());
    settings.SetValue(kSection + QStringLiteral("NoMatchZenkaku"), chkNoMatchZenkaku->isChecked());
    settings.SetValue(kSection + QStringLiteral("Regex"), chkRegex->isChecked());
    settings.SetValue(kSection + QStringLiteral("Code"), cmbCode->currentIndex());
    settings.Sync();
}

void TGrepDialog::Browse()
{
    const QString chosen = QFileDialog::getExistingDirectory(this, QStringLiteral("フォルダの選択"), cmbFolder->currentText());
    if (!chosen.isEmpty())
        cmbFolder->setEditText(QDir::toNativeSeparators(chosen));
}

bool TGrepDialog::Refuse(const QString& message)
{
    lblMessage->setText(message);
    lblMessage->show();
    return false;
}

void TGrepDialog::TryAccept()
{
    const QString pattern = cmbPattern->currentText();
    if (pattern.isEmpty()) {
        Refuse(QStringLiteral("検索する文字列を入力してください。"));
        return;
    }
    if (const std::optional<QString> character = FirstUnencodable(pattern, NoDocumentChars())) {
        Refuse(UnencodableMessage(*character));
        return;
    }
    const QFileInfo folder(cmbFolder->currentText().trimmed());
    if (!folder.isDir()) {
        Refuse(QStringLiteral("フォルダ %1 が見つかりません。").arg(cmbFolder->currentText()));
        return;
    }
    request_.Pattern = pattern;
    request_.SjisPattern = *UnicodeToSjis(pattern);
    request_.Folder = folder.absoluteFilePath();
    request_.Flags = TSearchFlags((chkMatchCase->isChecked() ? TSearchFlags::MatchCase : 0)
        | (chkWholeWord->isChecked() ? TSearchFlags::WholeWord : 0)
        | (chkNoMatchZenkaku->isChecked() ? TSearchFlags::NoMatchZenkaku : 0));
    request_.Expression = chkRegex->isChecked();
    std::string error;
    request_.Matcher = MakeGrepMatcher(request_.SjisPattern, request_.Flags, request_.Expression, error);
    if (!request_.Matcher) {
        Refuse(QString::fromStdString(error));
        return;
    }
    request_.Settings.Walk.Globs = GrepMaskGlobs(cmbMasks->currentText());
    request_.Settings.Walk.MaxDepth = chkSubFolders->isChecked() ? -1 : 1;
    request_.Settings.Background = true;
    request_.Settings.Search.Code = kCodes[std::clamp(cmbCode->currentIndex(), 0, 4)];
    Save();
    accept();
}

} // namespace brenvik
