// Opening the settings files and reading and writing their sections.
#include "app/SettingsFile.h"

#include "print/PrinterSetupStore.h"

#include "app/FileHistory.h"
#include "app/MainOptions.h"
#include "app/ProgramFolder.h"
#include "editor/EditorProp.h"
#include "support/IniStorage.h"
#include "support/Prompts.h"

#include <QSettings>

namespace brenvik {

TSettingsFile::TSettingsFile()
    : TSettingsFile(SettingsFileName())
{
}

TSettingsFile::TSettingsFile(const QString& fileName)
    : FFileName(fileName)
    , FSettings(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
{
}

TSettingsFile::~TSettingsFile() = default;

void TSettingsFile::ReadOptions(TMainOptions& options)
{
    options.Read(*FSettings);
}

void TSettingsFile::WriteOptions(const TMainOptions& options)
{
    options.Write(*FSettings);
}

bool TSettingsFile::ReadComponent(QObject& component, const QString& section, const QString& name)
{
    return ReadComponentFromIni(component, *FSettings, section, name);
}

void TSettingsFile::WriteComponent(const QObject& component, const QString& section, const QString& name)
{
    WriteComponentToIni(component, *FSettings, section, name);
}

void TSettingsFile::ReadPrinterSetup(QPrinter& printer, const QString& section)
{
    brenvik::ReadPrinterSetup(*FSettings, section, printer);
}

void TSettingsFile::WritePrinterSetup(const QPrinter& printer, const QString& section)
{
    brenvik::WritePrinterSetup(*FSettings, section, printer);
}

void TSettingsFile::ReadEditor(TEditor& editor, const QString& name)
{
    // Nothing stored leaves the editor as built; a damaged stream keeps what was read before it.
    if (!FSettings->contains(PropertySection + QLatin1Char('/') + name + QStringLiteral("_c")))
        return;
    TEditorProp properties;
    properties.AssignFromEditor(editor);
    ReadComponentFromIni(properties, *FSettings, PropertySection, name);
    properties.AssignToEditor(editor);
}

void TSettingsFile::WriteEditor(const TEditor& editor, const QString& name)
{
    TEditorProp properties;
    properties.AssignFromEditor(editor);
    WriteComponentToIni(properties, *FSettings, PropertySection, name);
}

QStringList TSettingsFile::History()
{
    return ReadHistory(*FSettings);
}

void TSettingsFile::AddHistory(const QString& fileName)
{
    brenvik::AddHistory(*FSettings, fileName);
}

QVariant TSettingsFile::Value(const QString& key) const
{
    return FSettings->value(key);
}

void TSettingsFile::SetValue(const QString& key, const QVariant& value)
{
    FSettings->setValue(key, value);
}

bool TSettingsFile::Sync()
{
    FSettings->sync();
    return FSettings->status() == QSettings::NoError;
}

bool TSettingsFile::SyncOrTell(TPrompts& prompts, QWidget* parent)
{
    if (Sync())
        return true;
    prompts.ShowError(parent, WriteFailure(FFileName));
    return false;
}

QString TSettingsFile::WriteFailure(const QString& fileName)
{
    return QStringLiteral("設定ファイル「%1」に書き込めませんでした。").arg(fileName);
}

} // namespace brenvik
