// The about box and its runner.
#include "options/dlgAbout.h"

#include "app/CommandLine.h"
#include "app/ProgramFolder.h"
#include "options/LightLabel.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brenvik {

QString TdlgAbout::ReadmePath()
{
    const QDir folder(QCoreApplication::applicationDirPath());
    const QString candidates[] = {folder.filePath(QStringLiteral("README.md")),
        folder.filePath(QStringLiteral("../share/doc/brenvik/README.md")),
        folder.filePath(QStringLiteral("../share/doc/brenvik/README.md.gz"))};
    for (const QString& candidate : candidates)
        if (QFileInfo::exists(candidate))
            return QDir::cleanPath(candidate);
    return QDir::cleanPath(candidates[0]);
}

TdlgAbout::TdlgAbout(QWidget* parent)
    : QDialog(parent)
    , lblReadme(new TLightLabel(QStringLiteral("README (使い方と変更点)"), this))
    , lblSettings(new TLightLabel(ProgramFolder(), this))
{
    setObjectName(QStringLiteral("dlgAbout"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("imgIcon"));
    icon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
    // The version is kept in one place: "Brenvik 0.301".
    const QString version = QString::fromLatin1(kVersionText).section(QLatin1Char(' '), 1);
    auto* name = new QLabel(QStringLiteral("Brenvik"), this);
    name->setObjectName(QStringLiteral("lblName"));
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    name->setFont(bold);
    auto* versionLabel = new QLabel(QStringLiteral("Version ") + version, this);
    versionLabel->setObjectName(QStringLiteral("lblVersion"));

    lblReadme->setObjectName(QStringLiteral("lblReadme"));
    lblReadme->SetJumpType(TLightLabel::jtFile);
    lblReadme->SetJumpTo(ReadmePath());
    lblReadme->setToolTip(ReadmePath());
    // The folder of brenvik.ini, Const, p_const and ini: where the settings are backed up from.
    lblSettings->setObjectName(QStringLiteral("lblSettings"));
    lblSettings->SetJumpType(TLightLabel::jtFile);
    lblSettings->SetJumpTo(ProgramFolder());
    lblSettings->setToolTip(QStringLiteral("設定ファイルのフォルダを開く"));

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(versionLabel);
    texts->addSpacing(8);
    texts->addWidget(lblReadme);
    texts->addWidget(new QLabel(QStringLiteral("設定ファイルのフォルダ:"), this));
    texts->addWidget(lblSettings);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void RunAboutBox(QWidget* owner)
{
    TdlgAbout dialog(owner);
    dialog.exec();
}

} // namespace brenvik
