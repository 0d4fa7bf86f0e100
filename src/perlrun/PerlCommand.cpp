// Finding perl and the switches a script's first line asks for.
#include "perlrun/PerlCommand.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace brenvik {

TPerlLocation FindPerl(const QString& configured, const QString& path)
{
    const QStringList folders = path.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    // A path names one file; a bare name ("perl5.36") is looked for on PATH, as a shell would.
    if (configured.contains(QLatin1Char('/'))) {
        const QFileInfo info(configured);
        const bool runnable = info.isFile() && info.isExecutable();
        return {runnable ? info.absoluteFilePath() : QString(), configured};
    }
    const QString name = configured.isEmpty() ? QStringLiteral("perl") : configured;
    return {QStandardPaths::findExecutable(name, folders), folders.join(QLatin1Char(':'))};
}

QString PerlMissingMessage(const TPerlLocation& location)
{
    return QStringLiteral("perl が見つかりません (探した場所: %1)。設定の「perl のパス」で指定してください。")
        .arg(location.Looked.isEmpty() ? QStringLiteral("PATH が空です") : location.Looked);
}

QStringList ShebangSwitches(std::string_view firstLine)
{
    QStringList switches;
    if (!firstLine.starts_with("#!"))
        return switches;
    const std::size_t perl = firstLine.find("perl");
    if (perl == std::string_view::npos)
        return switches;
    std::string_view rest = firstLine.substr(perl);
    rest = rest.substr(std::min(rest.find_first_of(" \t"), rest.size()));
    while (!rest.empty()) {
        const std::size_t start = rest.find_first_not_of(" \t\r");
        if (start == std::string_view::npos)
            break;
        rest.remove_prefix(start);
        const std::size_t end = std::min(rest.find_first_of(" \t\r"), rest.size());
        const std::string_view word = rest.substr(0, end);
        rest.remove_prefix(end);
        if (word.size() < 2 || word[0] != '-')
            break; // perl stops at the first word that is no switch
        if (word.find_first_not_of("wWXTts", 1) == std::string_view::npos)
            switches << QString::fromLatin1(word.data(), qsizetype(word.size()));
    }
    return switches;
}

} // namespace brenvik
