// The manual pages against the programs: every option --help lists is documented in each page,
// and the pages name UTF-8 and every file the program keeps settings in.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString HelpOf(const QString& program)
{
    QProcess process;
    process.start(program, {QStringLiteral("--help")});
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString Page(const char* name)
{
    QFile file(QStringLiteral(BRENVIK_MAN_DIR "/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    // In groff source a hyphen is written "\-"; the words compare in their printed form.
    return QString::fromUtf8(file.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
}

// The options of a usage text: "--word", "-x" and the lone "--".
QStringList OptionsOf(const QString& usage)
{
    QStringList options;
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--?[a-z][a-z-]*|--)(?![\\w-])"));
    for (auto match = option.globalMatch(usage); match.hasNext();) {
        const QString found = match.next().captured(1);
        if (!options.contains(found))
            options.append(found);
    }
    return options;
}

void ExpectDocumented(const QStringList& words, const QString& page, const char* name)
{
    for (const QString& word : words)
        EXPECT_TRUE(page.contains(word)) << name << " does not document " << word.toStdString();
}

TEST(ManualPages, EveryOptionOfTheEditorIsInBothPages)
{
    const QStringList options = OptionsOf(HelpOf(QStringLiteral(BRENVIK_PROGRAM)));
    ASSERT_TRUE(options.contains(QStringLiteral("--version"))) << options.join(u' ').toStdString();
    ASSERT_TRUE(options.contains(QStringLiteral("--")));
    for (const char* name : {"brenvik.1.in", "ja/brenvik.1.in"}) {
        const QString page = Page(name);
        for (const QString& option : options)
            EXPECT_TRUE(page.contains(QStringLiteral(".B ") + option + QLatin1Char('\n'))
                || page.contains(QStringLiteral(".RB [ ") + option + QStringLiteral(" ]")))
                << name << " does not list " << option.toStdString();
        ExpectDocumented({QStringLiteral("UTF-8"), QStringLiteral("brenvik.ini"), QStringLiteral("BV03.conf"),
                             QStringLiteral("Ombra.conf"), QStringLiteral("BRENVIK_HOME"), QStringLiteral("Const/"),
                             QStringLiteral("ini/")},
            page, name);
    }
}

TEST(ManualPages, EveryOptionAndCodeOfTheConverterIsInItsPage)
{
    const QString usage = HelpOf(QStringLiteral(BRENVIK_JCONV));
    const QStringList options = OptionsOf(usage);
    ASSERT_TRUE(options.contains(QStringLiteral("--guess"))) << options.join(u' ').toStdString();
    const QString page = Page("brenvik-jconv.1.in");
    for (const QString& option : options)
        EXPECT_TRUE(page.contains(option)) << "brenvik-jconv.1 does not list " << option.toStdString();
    // The codes --to takes and the names --guess prints.
    ExpectDocumented({QStringLiteral("sjis"), QStringLiteral("euc"), QStringLiteral("jis"), QStringLiteral("utf8"),
                         QStringLiteral("UTF-8 (BOM)"), QStringLiteral("S-JIS"), QStringLiteral("binary")},
        page, "brenvik-jconv.1");
    for (const QString& code : {QStringLiteral("utf8"), QStringLiteral("UTF-8 (BOM)")})
        EXPECT_TRUE(usage.contains(code)) << code.toStdString();
}

} // namespace
