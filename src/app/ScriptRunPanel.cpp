// The check and run panel's widgets and what they show.
#include "app/ScriptRunPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace brenvik {

namespace {

// A page rendered from its own text only: nothing is fetched, not an image, not a style sheet,
// from the network or the disk, and links are not followed.
class TOfflineBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

// The views lay out at most this much of a body (a few seconds' layout for 10 MB would freeze
// the window); the browser gets it whole.
constexpr qsizetype kShownChars = 512 * 1024;

QPlainTextEdit* ReadOnlyText(const char* name, QWidget* parent)
{
    auto* text = new QPlainTextEdit(parent);
    text->setObjectName(QLatin1String(name));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    return text;
}

} // namespace

TScriptRunPanel::TScriptRunPanel(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlScriptRun"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* top = new QHBoxLayout;
    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblRunning = new QLabel(this);
    btnCancel = new QPushButton(QStringLiteral("中止"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setEnabled(false);
    top->addWidget(lblSummary);
    top->addWidget(lblRunning, 1);
    top->addWidget(btnCancel);
    layout->addLayout(top);

    FPages = new QTabWidget(this);
    layout->addWidget(FPages, 1);
    lstMessages = new QTreeWidget(FPages);
    lstMessages->setObjectName(QStringLiteral("lstMessages"));
    lstMessages->setColumnCount(2);
    lstMessages->setHeaderLabels({QStringLiteral("行"), QStringLiteral("メッセージ")});
    lstMessages->setRootIsDecorated(false);
    lstMessages->setUniformRowHeights(true);
    lstMessages->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    FPages->addTab(lstMessages, QStringLiteral("構文チェック"));

    auto* cgi = new QSplitter(Qt::Horizontal, FPages);
    memCgiHead = ReadOnlyText("memCgiHead", cgi);
    auto* bodyBox = new QWidget(cgi);
    auto* bodyLayout = new QVBoxLayout(bodyBox);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    FBodyPages = new QTabWidget(bodyBox);
    brwCgiBody = new TOfflineBrowser(FBodyPages);
    brwCgiBody->setObjectName(QStringLiteral("brwCgiBody"));
    brwCgiBody->setOpenLinks(false);
    brwCgiBody->setOpenExternalLinks(false);
    memCgiBody = ReadOnlyText("memCgiBody", FBodyPages);
    FBodyPages->addTab(brwCgiBody, QStringLiteral("表示"));
    FBodyPages->addTab(memCgiBody, QStringLiteral("テキスト"));
    btnOpenBrowser = new QPushButton(QStringLiteral("ブラウザで開く"), bodyBox);
    btnOpenBrowser->setObjectName(QStringLiteral("btnOpenBrowser"));
    btnOpenBrowser->setEnabled(false);
    bodyLayout->addWidget(FBodyPages, 1);
    bodyLayout->addWidget(btnOpenBrowser, 0, Qt::AlignRight);
    cgi->addWidget(memCgiHead);
    cgi->addWidget(bodyBox);
    cgi->setStretchFactor(1, 2);
    FPages->addTab(cgi, QStringLiteral("CGI 実行"));

    connect(lstMessages, &QTreeWidget::itemActivated, this,
        [this](QTreeWidgetItem* item) { emit MessageChosen(lstMessages->indexOfTopLevelItem(item)); });
    connect(btnOpenBrowser, &QPushButton::clicked, this, &TScriptRunPanel::OpenInBrowser);
    connect(btnCancel, &QPushButton::clicked, this, &TScriptRunPanel::CancelRequested);
}

void TScriptRunPanel::ShowPage(int page)
{
    FPages->setCurrentIndex(page);
}

void TScriptRunPanel::ShowRunning(const QString& text)
{
    lblRunning->setText(text);
    btnCancel->setEnabled(!text.isEmpty());
}

void TScriptRunPanel::ShowCheck(const TCheckReport& report, const QString& note)
{
    lstMessages->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(report.Messages.size()) + 1);
    for (const TPerlMessage& message : report.Messages) {
        auto* item = new QTreeWidgetItem;
        if (message.Line > 0)
            item->setText(0, message.InScript ? QString::number(message.Line)
                                              : QStringLiteral("%1:%2").arg(message.File).arg(message.Line));
        item->setText(1, message.Text);
        // A message longer than the column reads whole in its tip.
        item->setToolTip(1, message.Text);
        items << item;
    }
    if (!note.isEmpty()) {
        auto* item = new QTreeWidgetItem;
        item->setText(1, note);
        items << item;
    }
    // One insertion for the whole list: ten thousand messages come in at once.
    lstMessages->addTopLevelItems(items);
    lblSummary->setText(report.Summary());
    ShowPage(0);
}

void TScriptRunPanel::ShowCgi(const TCgiRunView& view)
{
    const TCgiResponse& response = view.Response;
    QString head = QStringLiteral("状態: %1\n").arg(response.StatusLine());
    if (!response.Problem.isEmpty())
        head += QStringLiteral("問題: %1\n").arg(response.Problem);
    head += QStringLiteral("終了: %1\n").arg(view.Ending);
    if (view.OutputCut)
        head += QStringLiteral("出力が 10 MB を超えたため、それ以降を切り捨てました。\n");
    const bool shortened = response.BodyText.size() > kShownChars;
    if (shortened)
        head += QStringLiteral("本文は先頭の %1 文字だけを表示しています (全体は「ブラウザで開く」で)。\n").arg(kShownChars);
    head += QStringLiteral("\n[ヘッダー]\n");
    for (const auto& [name, value] : response.Headers)
        head += name + QStringLiteral(": ") + value + QLatin1Char('\n');
    head += QStringLiteral("\n[本文の文字コード] %1\n").arg(response.CodeFromCharset ? QStringLiteral("charset による") : QStringLiteral("判定による"));
    head += QStringLiteral("\n[標準エラー出力]\n") + view.Errors;
    memCgiHead->setPlainText(head);
    const QString shown = shortened ? response.BodyText.left(kShownChars) : response.BodyText;
    memCgiBody->setPlainText(shown);
    if (response.Header(QStringLiteral("Content-Type")).contains(QLatin1String("html"), Qt::CaseInsensitive))
        brwCgiBody->setHtml(shown);
    else
        brwCgiBody->setPlainText(shown);
    btnOpenBrowser->setEnabled(!response.Body.isEmpty());
    lblSummary->setText(QStringLiteral("CGI: %1").arg(response.StatusLine()));
    ShowPage(1);
}

void TScriptRunPanel::SelectMessage(int index)
{
    if (QTreeWidgetItem* item = lstMessages->topLevelItem(index))
        lstMessages->setCurrentItem(item);
}

} // namespace brenvik
