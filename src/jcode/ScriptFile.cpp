// The editor's open and save paths on files: one read of the whole file, one atomic write.
#include "jcode/ScriptFile.h"

#include <QFile>
#include <QSaveFile>

namespace brenvik {

TDecodedText LoadScriptFile(const std::string& fileName, std::optional<TStatedCodes> stated)
{
    const TFileBytes bytes = TFileBytes::Read(fileName);
    return DecodeFileBytes(bytes.View(), stated);
}

void SaveScriptFile(const std::string& fileName, std::span<const std::string> lines, JCode jcode, RCode rcode)
{
    const std::string image = EncodeLinesForSave(lines, jcode, rcode);
    QSaveFile file(QFile::decodeName(fileName.c_str()));
    if (!file.open(QIODevice::WriteOnly)) {
        throw EScriptFileError(fileName, file.errorString().toStdString());
    }
    if (file.write(image.data(), static_cast<qint64>(image.size())) != static_cast<qint64>(image.size())
        || !file.commit()) {
        throw EScriptFileError(fileName, file.errorString().toStdString());
    }
}

} // namespace brenvik
