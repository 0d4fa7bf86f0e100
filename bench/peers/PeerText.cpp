#include "PeerText.h"

#include <QFile>
#include <QStringDecoder>
#include <cstdio>

namespace brenvik::bench {

bool ReadShiftJisFile(const QString& path, QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    QStringDecoder decoder("Shift_JIS");
    if (!decoder.isValid()) {
        std::fprintf(stderr, "this Qt has no Shift_JIS decoder\n");
        return false;
    }
    text = decoder(file.readAll());
    if (decoder.hasError()) {
        std::fprintf(stderr, "%s is not valid Shift_JIS\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace brenvik::bench
