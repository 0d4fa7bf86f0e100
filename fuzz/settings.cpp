// The settings file's readers on arbitrary bytes read as the settings file: the main window's options, the
// recent-files list and the Perl highlighting stored as property bytes, which are also read straight from
// the input.
//   - every option holds a value the window can take (garbage reads as the default);
//   - options written and read back are the same options;
//   - the recent-files list holds at most its capacity, none empty, none twice;
//   - the properties read from bad bytes, saved and read into a fresh fountain, save the same bytes.
#include "FuzzCheck.h"

#include "app/FileHistory.h"
#include "app/MainOptions.h"
#include "highlight/ConfiguredFountains.h"
#include "highlight/PERLFountain.h"
#include "support/IniStorage.h"
#include "support/PropertyStream.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdint>
#include <set>

using namespace brenvik;
using fuzz::Require;

namespace {

QTemporaryDir& Folder()
{
    static QTemporaryDir folder;
    return folder;
}

QString WriteFile(const QString& name, const QByteArray& bytes)
{
    const QString path = Folder().filePath(name);
    QFile file(path);
    Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the settings file can be written");
    file.write(bytes);
    return path;
}

bool InRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

void CheckOptions(QSettings& settings)
{
    TMainOptions options;
    options.Read(settings);
    const JCode jcode = options.DefaultJCode;
    Require(jcode == jcJis || jcode == jcEuc || jcode == jcSjis || jcode == jcUtf8,
        "DefaultJCode is a document code");
    Require(InRange(options.DefaultRCode, rcCrLf, rcLf), "DefaultRCode is a line end");
    Require(InRange(options.SubRoutineDefaultMenu, 0, 4), "SubRoutineDefaultMenu in range");
    for (const int menu : {options.VariableDefaultMenu, options.ArrangementDefaultMenu,
             options.AssocArrDefaultMenu, options.KeyWordDefaultMenu})
        Require(InRange(menu, 0, 3), "a list's default menu in range");
    Require(InRange(options.ListUpdate, 0, 2), "ListUpdate in range");
    Require(InRange(options.ListDefaultSet, 0, 3), "ListDefaultSet in range");
    {
        QFile::remove(Folder().filePath("written.ini"));
        QSettings written(Folder().filePath("written.ini"), QSettings::IniFormat);
        options.Write(written);
        written.sync();
    }
    QSettings written(Folder().filePath("written.ini"), QSettings::IniFormat);
    TMainOptions again;
    again.Read(written);
    Require(again == options, "options written read back the same");
}

void CheckHistory(QSettings& settings)
{
    const QStringList files = ReadHistory(settings);
    Require(files.size() <= kHistoryCapacity, "the recent files fit the list");
    std::set<QString> seen;
    for (const QString& file : files) {
        Require(!file.isEmpty(), "no recent file is empty");
        Require(seen.insert(file).second, "no recent file comes twice");
    }
}

// Bad bytes stop the load where they start; what was read before must save and load as itself.
void CheckProperties(TPERLFountain& fountain)
{
    const QByteArray saved = SaveProperties(fountain);
    TPERLFountain fresh;
    ConfigurePERLFountain(fresh);
    Require(LoadProperties(fresh, saved), "saved properties load");
    Require(SaveProperties(fresh) == saved, "saved properties load as themselves");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_settings";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QSettings settings(WriteFile(QStringLiteral("brenvik.ini"), bytes), QSettings::IniFormat);
    CheckOptions(settings);
    CheckHistory(settings);
    TPERLFountain fromIni;
    ConfigurePERLFountain(fromIni);
    ReadComponentFromIni(fromIni, settings, QStringLiteral("property"), QStringLiteral("PERLFountain"));
    CheckProperties(fromIni);
    TPERLFountain fromBytes;
    ConfigurePERLFountain(fromBytes);
    LoadProperties(fromBytes, bytes);
    CheckProperties(fromBytes);
    return 0;
}
