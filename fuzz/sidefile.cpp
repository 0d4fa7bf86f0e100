// The side-file reader on arbitrary bytes as a side file:
//   - a file with a NUL byte is not taken, with a reason; any other is read as ParseSideFile reads it;
//   - what was read, written back and read again, is the same keywords and memo.
#include "FuzzCheck.h"

#include "model/ExplorerSideFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <string>

using namespace brenvik;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir folder;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const QString path = folder.filePath(QStringLiteral("script.cgi.dat"));
    {
        QFile file(path);
        Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the side file can be written");
        file.write(bytes.data(), static_cast<qint64>(size));
    }
    const TSideFileRead read = ReadSideFile(path);
    const TSideFileContent parsed = ParseSideFile(bytes);
    if (bytes.find('\0') != std::string::npos) {
        Require(read.State == TSideFileState::Unreadable && !read.Reason.isEmpty(),
            "a side file with a NUL byte is not taken, with a reason");
    } else {
        Require(
            read.State == TSideFileState::Read && read.Content == parsed, "a side file is read as parsed");
    }
    Require(ParseSideFile(SideFileBytes(parsed)) == parsed, "a side file written back reads the same");
    return 0;
}
