// The stored streams of the window, written to a file apart from its settings file.
#include "OptionTestSupport.h"

#include "editor/EditorProp.h"
#include "highlight/PERLFountain.h"
#include "support/IniStorage.h"

#include <QFile>

namespace brenvik::test {

QByteArray TMainWindowFixture::StoredSettings() const
{
    const QString path = FHome.filePath(QStringLiteral("streams.ini"));
    QFile::remove(path);
    {
        QSettings settings(path, QSettings::IniFormat);
        TEditorProp edpMain;
        edpMain.AssignFromEditor(window->Editor());
        WriteComponentToIni(edpMain, settings, QStringLiteral("property"), QStringLiteral("edrMain"));
        WriteComponentToIni(window->PerlFountain(), settings, QStringLiteral("property"), QStringLiteral("PERLFountain"));
        window->Options().Write(settings);
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace brenvik::test
