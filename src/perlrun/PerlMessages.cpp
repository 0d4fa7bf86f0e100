// Parsing perl's diagnostics: "MESSAGE at FILE line N[, near "..."]", with the continuation
// lines perl writes after them (an indented hint, a quoted source that spans lines).
#include "perlrun/PerlMessages.h"

#include "perlrun/TextInCode.h"

#include <QRegularExpression>

namespace brenvik {

namespace {

// The copy's name, before decoding: the path's bytes are the file system's, not the script's code.
const QByteArray kCopyMark = QByteArrayLiteral("\x01\x02");

QString Decode(const QByteArray& errors, const TMessageSource& source, const QString& copyName)
{
    QByteArray bytes = errors;
    if (!source.CopyPath.isEmpty())
        bytes.replace(source.CopyPath, kCopyMark);
    QString text = DecodeInCode(std::string_view(bytes.constData(), std::size_t(bytes.size())), source.Code,
        source.Chars ? *source.Chars : NoDocumentChars());
    return text.replace(QString::fromLatin1(kCopyMark), copyName);
}

const QRegularExpression& PlacePattern()
{
    // The file is the shortest text between " at " and " line N" followed by the end, a comma
    // or a period: "at x.cgi line 3, near", "at x.cgi line 3.", "at x.cgi line 3, <STDIN> line 2."
    static const QRegularExpression pattern(QStringLiteral(" at (.+?) line (\\d+)(?=[,.]|$)"));
    return pattern;
}

bool IsTrailer(const QString& text)
{
    return text.endsWith(QLatin1String(" syntax OK")) || text.contains(QLatin1String(" had compilation errors."))
        || text.contains(QLatin1String("aborted due to compilation errors."))
        || text.startsWith(QLatin1String("BEGIN failed--compilation aborted"));
}

// A quoted source ("near "...") still open at the end of the text continues on the next line.
bool QuoteOpen(const QString& text)
{
    const qsizetype near = text.lastIndexOf(QLatin1String(", near \""));
    if (near < 0)
        return false;
    const qsizetype start = near + 8;
    return !(text.size() > start && text.endsWith(QLatin1Char('"')));
}

void Place(TPerlMessage& message, const QString& scriptName)
{
    // The place stands before any quoted source, which may itself hold "at ... line".
    const qsizetype near = message.Text.indexOf(QLatin1String(", near \""));
    const QString head = near < 0 ? message.Text : message.Text.left(near);
    QRegularExpressionMatch last;
    for (auto matches = PlacePattern().globalMatch(head); matches.hasNext();)
        last = matches.next();
    if (!last.hasMatch())
        return;
    // The lazy match starts at the first " at " of the text: the file follows the last one.
    message.File = last.captured(1);
    if (const qsizetype inner = message.File.lastIndexOf(QLatin1String(" at ")); inner >= 0)
        message.File = message.File.mid(inner + 4);
    message.Line = last.captured(2).toInt();
    message.InScript = message.File == scriptName;
}

} // namespace

int TCheckReport::Counted() const
{
    return int(std::count_if(Messages.begin(), Messages.end(), [](const TPerlMessage& m) { return !m.Trailer; }));
}

QString TCheckReport::Summary() const
{
    const int counted = Counted();
    if (!SyntaxOk)
        return QStringLiteral("構文エラー %1 件").arg(counted);
    return counted == 0 ? QStringLiteral("構文OK") : QStringLiteral("構文OK (警告 %1 件)").arg(counted);
}

QString DecodeMessages(const QByteArray& errors, const TMessageSource& source)
{
    return Decode(errors, source, source.ScriptName);
}

TCheckReport ParseCheckMessages(const QByteArray& errors, const TMessageSource& source, int exitCode)
{
    TCheckReport report;
    const QString text = DecodeMessages(errors, source);
    bool continues = false;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        // An indented line is perl's hint to the message above ("  (Might be a runaway ...)").
        const bool hint = !line.isEmpty() && (line.front() == QLatin1Char(' ') || line.front() == QLatin1Char('\t'));
        if (!report.Messages.empty() && (continues || hint)) {
            report.Messages.back().Text += QLatin1Char('\n');
            report.Messages.back().Text += line;
            continues = continues && QuoteOpen(report.Messages.back().Text);
            continue;
        }
        if (line.isEmpty())
            continue;
        TPerlMessage message;
        message.Text = line.toString();
        continues = QuoteOpen(message.Text);
        report.Messages.push_back(std::move(message));
    }
    for (TPerlMessage& message : report.Messages) {
        Place(message, source.ScriptName);
        message.Trailer = IsTrailer(message.Text);
        if (message.Trailer && message.Text.endsWith(QLatin1String(" syntax OK")))
            report.SyntaxOk = exitCode == 0;
    }
    return report;
}

} // namespace brenvik
