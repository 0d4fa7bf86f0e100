// The program's settings files and their sections: the one place that opens them, reads and
// writes each section through its key table, and words a failed write.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

class QObject;
class QSettings;
class QWidget;

class QPrinter;

namespace brenvik {

class TEditor;
class TPrompts;
struct TMainOptions;

// Each object opens the file afresh, so what another running copy wrote meanwhile is read;
// what was set is written by Sync() or, at the latest, when the object goes.
class TSettingsFile {
public:
    // brenvik.ini in the program folder: the window's look, its options, the printer and the history.
    TSettingsFile();
    // Another settings file of the program folder (the builder's Print.ini), by its full name.
    explicit TSettingsFile(const QString& fileName);
    ~TSettingsFile();
    TSettingsFile(const TSettingsFile&) = delete;
    TSettingsFile& operator=(const TSettingsFile&) = delete;

    // The section of the editors' and fountains' properties.
    static inline const QString PropertySection = QStringLiteral("property");

    const QString& FileName() const { return FFileName; }

    // "Option": the keys present and valid are read; every key is written.
    void ReadOptions(TMainOptions& options);
    void WriteOptions(const TMainOptions& options);
    // A component's published properties under section/name. Reading leaves the component
    // untouched when nothing is stored, and returns false when the stored lines were damaged.
    bool ReadComponent(QObject& component, const QString& section, const QString& name);
    void WriteComponent(const QObject& component, const QString& section, const QString& name);
    // A printer's own setup (paper, orientation, duplex, colour, the printer) under section.
    void ReadPrinterSetup(QPrinter& printer, const QString& section);
    void WritePrinterSetup(const QPrinter& printer, const QString& section);
    // An editor's view properties (font, colours, marks, wrap, caret) under "property"/name.
    void ReadEditor(TEditor& editor, const QString& name);
    void WriteEditor(const TEditor& editor, const QString& name);
    // "Hist": the recent files, most recent first; shared by every running copy.
    QStringList History();
    void AddHistory(const QString& fileName);
    // One value by "section/key"; invalid when missing.
    QVariant Value(const QString& key) const;
    void SetValue(const QString& key, const QVariant& value);

    // Writes what was set; false when the file could not be written.
    bool Sync();
    // Sync(), and on failure the one message about it, in an error box over parent.
    bool SyncOrTell(TPrompts& prompts, QWidget* parent);
    // The one wording of a failed write of the settings file fileName.
    static QString WriteFailure(const QString& fileName);

private:
    QString FFileName;
    std::unique_ptr<QSettings> FSettings;
};

} // namespace brenvik
