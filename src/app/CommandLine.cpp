// Command-line parsing, done before any window or display is needed.
#include "app/CommandLine.h"

#include <QRegularExpression>

namespace brenvik {

namespace {

// "+LINE" or "+LINE:COL" with positive numbers; anything else starting with "+" is a file name.
bool ParsePosition(const QString& argument, TCommandLine& result)
{
    static const QRegularExpression position(QStringLiteral("^\\+([1-9][0-9]{0,8})(?::([1-9][0-9]{0,8}))?$"));
    const QRegularExpressionMatch match = position.match(argument);
    if (!match.hasMatch())
        return false;
    result.GoLine = match.captured(1).toInt();
    result.GoColumn = match.hasCaptured(2) ? match.captured(2).toInt() : 1;
    return true;
}

} // namespace

TCommandLine ParseCommandLine(const QStringList& arguments)
{
    TCommandLine result;
    bool options = true;
    for (qsizetype index = 0; index < arguments.size(); ++index) {
        const QString& argument = arguments[index];
        if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (options && argument == QLatin1String("--help")) {
            result.Action = TCommandLine::caHelp;
            return result;
        } else if (options && argument == QLatin1String("--version")) {
            result.Action = TCommandLine::caVersion;
            return result;
        } else if (options && argument.startsWith(QLatin1Char('+')) && ParsePosition(argument, result)) {
            continue;
        } else if (options && argument == QLatin1String("--recover") && ++index < arguments.size()) {
            result.Recover = arguments[index];
        } else if (options && argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-")) {
            result.Action = TCommandLine::caUsageError;
            result.BadOption = argument;
            return result;
        } else {
            options = false;
            result.Files.append(argument);
        }
    }
    return result;
}

QString UsageText()
{
    return QStringLiteral(
        "使い方: brenvik [--help] [--version] [+行[:桁]] [--] [ファイル...]\n"
        "Perl/CGI スクリプトエディタ。ファイルを指定しなければ新規文章で起動します。\n"
        "二つ目以降のファイルは、それぞれ新しいウィンドウで開きます。\n"
        "\n"
        "  --help     この説明を表示して終了します\n"
        "  --version  バージョンを表示して終了します\n"
        "  +行[:桁]   最初のファイルを開き、その行と桁（Shift_JIS のバイトで数えて 1 から）にカーソルを置きます\n"
        "  --recover 復元用ファイル\n"
        "             前回保存されなかった編集内容を、確認せずに復元します\n"
        "  --         以降の引数をすべてファイル名として扱います\n");
}

} // namespace brenvik
