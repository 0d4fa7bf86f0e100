// Writing and reading recovery files.
#include "model/RecoveryFile.h"

#include "jcode/SystemReason.h"
#include "model/ScriptLines.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <map>

namespace brenvik {

namespace {

const QByteArray kMagic = QByteArrayLiteral("Brenvik recovery 1");

QByteArray HeaderBytes(const TRecoveryHeader& header, std::size_t bodyBytes)
{
    const auto line = [](const char* key, const QString& value) { return QByteArray(key) + '=' + value.toUtf8() + '\n'; };
    QByteArray bytes = kMagic + '\n';
    bytes += line("pid", QString::number(header.Owner.Pid));
    bytes += line("start", QString::number(header.Owner.StartTicks));
    bytes += line("boot", header.Owner.BootId);
    bytes += line("file", header.FileName);
    bytes += line("jcode", QString::number(header.Codes.jcode));
    bytes += line("rcode", QString::number(header.Codes.rcode));
    bytes += line("bom", QString::number(header.Codes.bom ? 1 : 0));
    bytes += line("firstbreak", QString::number(header.FirstBreak));
    bytes += line("finalbreak", QString::number(header.FinalBreak ? 1 : 0));
    bytes += line("stamp", header.Stamp ? DiskStampText(*header.Stamp) : QString());
    bytes += line("written", header.Written.toString(Qt::ISODateWithMs));
    bytes += line("bytes", QString::number(bodyBytes));
    return bytes + '\n';
}

struct TParsedHeader {
    TRecoveryHeader Header;
    qint64 BodyBytes = -1;
};

// Reads the header lines up to the empty line; file is left at the first byte of the text.
std::optional<TParsedHeader> ParseHeader(QFile& file)
{
    if (file.readLine(256).chopped(1) != kMagic)
        return std::nullopt;
    std::map<QByteArray, QString> values;
    for (;;) {
        const QByteArray line = file.readLine(64 * 1024);
        if (!line.endsWith('\n'))
            return std::nullopt;
        if (line == "\n")
            break;
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            return std::nullopt;
        values[line.left(equals)] = QString::fromUtf8(line.mid(equals + 1).chopped(1));
    }
    const auto number = [&](const char* key, qint64 low, qint64 high) -> std::optional<qint64> {
        bool ok = false;
        const qint64 value = values[key].toLongLong(&ok);
        return ok && value >= low && value <= high ? std::optional<qint64>(value) : std::nullopt;
    };
    const auto pid = number("pid", 1, INT32_MAX);
    const auto jcode = number("jcode", jcNone, jcUtf8);
    const auto rcode = number("rcode", rcNone, rcLf);
    const auto firstBreak = number("firstbreak", rcNone, rcLf);
    const auto bom = number("bom", 0, 1);
    const auto finalBreak = number("finalbreak", 0, 1);
    const auto bodyBytes = number("bytes", 0, INT64_MAX);
    bool startOk = false;
    const quint64 start = values["start"].toULongLong(&startOk);
    if (!pid || !jcode || !rcode || !firstBreak || !bom || !finalBreak || !bodyBytes || !startOk)
        return std::nullopt;
    TParsedHeader parsed;
    TRecoveryHeader& header = parsed.Header;
    header.Owner = {*pid, start, values["boot"]};
    header.FileName = values["file"];
    header.Codes = {static_cast<JCode>(*jcode), static_cast<RCode>(*rcode), *bom == 1};
    header.FirstBreak = static_cast<RCode>(*firstBreak);
    header.FinalBreak = *finalBreak == 1;
    header.Stamp = ParseDiskStamp(values["stamp"]);
    header.Written = QDateTime::fromString(values["written"], Qt::ISODateWithMs);
    parsed.BodyBytes = *bodyBytes;
    return parsed;
}

// Opens file and reads its header, leaving file at the first byte of the text; none when it is no
// complete recovery file.
std::optional<TParsedHeader> OpenRecovery(QFile& file)
{
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::optional<TParsedHeader> parsed = ParseHeader(file);
    if (!parsed || file.size() - file.pos() != parsed->BodyBytes)
        return std::nullopt;
    return parsed;
}

} // namespace

TStatedCodes RecoveryBodyCodes(JCode documentJCode)
{
    return {documentJCode == jcUtf8 ? jcUtf8 : jcSjis, rcLf, false};
}

QString WriteRecoveryFile(const QString& path, const TRecoverySnapshot& snapshot)
{
    const TScriptLines lines(snapshot.Rows);
    const TStatedCodes codes = RecoveryBodyCodes(snapshot.Header.Codes.jcode);
    std::string body;
    body.reserve(lines.TextBytes() + lines.LineCount());
    EncodeFileBlocks(lines, codes, snapshot.Chars, [&](std::string_view block) { body.append(block); });
    // QSaveFile writes a temporary file in the same folder and renames it over path on commit.
    QSaveFile file(path);
    errno = 0;
    // Unbuffered: a write cut short by a full disk fails here, never in the commit's flush.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return QString::fromStdString(SystemReason(errno, TFileAct::Write, TFileThing::Folder));
    const QByteArray header = HeaderBytes(snapshot.Header, body.size());
    errno = 0;
    if (file.write(header) != header.size()
        || file.write(body.data(), static_cast<qint64>(body.size())) != static_cast<qint64>(body.size())) {
        const int error = errno;
        file.cancelWriting();
        return QString::fromStdString(SystemReason(error, TFileAct::Write));
    }
    errno = 0;
    if (!file.commit())
        return QString::fromStdString(SystemReason(errno, TFileAct::Write));
    return {};
}

std::optional<TRecoveryHeader> ReadRecoveryHeader(const QString& path)
{
    QFile file(path);
    std::optional<TParsedHeader> parsed = OpenRecovery(file);
    return parsed ? std::optional<TRecoveryHeader>(std::move(parsed->Header)) : std::nullopt;
}

std::optional<TRecoveredText> ReadRecoveryFile(const QString& path)
{
    QFile file(path);
    std::optional<TParsedHeader> parsed = OpenRecovery(file);
    if (!parsed)
        return std::nullopt;
    const QByteArray body = file.readAll();
    if (body.size() != parsed->BodyBytes)
        return std::nullopt;
    return TRecoveredText {std::move(parsed->Header), body.toStdString()};
}

} // namespace brenvik
