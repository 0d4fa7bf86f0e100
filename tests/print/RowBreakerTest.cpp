// Breaking lines into rows like an edit control, over cached advances.
#include "PrintTestSupport.h"
#include "jcode/SjisUnicode.h"
#include "print/RowBreaker.h"

#include <QRandomGenerator>

using namespace brenvik;
using brenvik::test::Sjis;

namespace {

class RowBreakerTest : public ::testing::Test {
protected:
    RowBreakerTest()
        : Measure(QFont(QStringLiteral("IPAGothic"), 10))
    {
    }

    QStringList Rows(const QString& text, qreal width)
    {
        std::vector<TRowSpan> rows;
        BreakRows(text, width, Measure, rows);
        QStringList result;
        for (const TRowSpan& row : rows)
            result << text.mid(row.Start, row.End - row.Start);
        return result;
    }
    qreal Half() const { return Measure.Advance(u'a'); }

    TTextMeasure Measure;
};

} // namespace

TEST_F(RowBreakerTest, BreaksAfterSpacesAndLetsThemHang)
{
    EXPECT_EQ(Rows(QStringLiteral("aaaa bbbb cccc"), 6.5 * Half()),
        (QStringList {QStringLiteral("aaaa "), QStringLiteral("bbbb "), QStringLiteral("cccc")}));
    EXPECT_EQ(Rows(QStringLiteral("ab          "), 4.5 * Half()), QStringList {QStringLiteral("ab          ")});
}

TEST_F(RowBreakerTest, BreaksAWordWiderThanTheColumnBetweenCharacters)
{
    const QString word(25, QLatin1Char('w'));
    const QStringList rows = Rows(QStringLiteral("x ") + word, 10.5 * Measure.Advance(u'w'));
    EXPECT_EQ(rows, (QStringList {QStringLiteral("x "), word.left(10), word.mid(10, 10), word.mid(20)}));
}

TEST_F(RowBreakerTest, BreaksBetweenFullWidthCharacters)
{
    const qreal full = Measure.FullWidth();
    EXPECT_EQ(Rows(QStringLiteral("あいうえお"), 3.5 * full), (QStringList {QStringLiteral("あいう"), QStringLiteral("えお")}));
    // Before a full-width character after a half-width word, too.
    EXPECT_EQ(Rows(QStringLiteral("print漢字"), 6.5 * Half()),
        (QStringList {QStringLiteral("print"), QStringLiteral("漢字")}));
}

TEST_F(RowBreakerTest, TabsReachTheNextStopOfEightAverageWidths)
{
    const qreal stop = 8 * Measure.CharWidth();
    EXPECT_DOUBLE_EQ(Measure.NextTabStop(0), stop);
    EXPECT_DOUBLE_EQ(Measure.NextTabStop(stop - 0.5), stop);
    EXPECT_DOUBLE_EQ(Measure.NextTabStop(stop), 2 * stop);
    // "\tx" needs a full stop plus the letter.
    EXPECT_EQ(Rows(QStringLiteral("\tx"), stop + 1.5 * Half()).size(), 1);
    EXPECT_EQ(Rows(QStringLiteral("\tx"), stop + Half() / 2), (QStringList {QStringLiteral("\t"), QStringLiteral("x")}));
}

TEST_F(RowBreakerTest, EmptyTextIsOneEmptyRowAndPairsStayWhole)
{
    EXPECT_EQ(Rows(QString(), 100), QStringList {QString()});
    // A column narrower than one character still takes one per row: never an endless loop.
    const QString pairs = QStringLiteral("𠀋𠀋𠀋");
    EXPECT_EQ(Rows(pairs, 1), (QStringList {QStringLiteral("𠀋"), QStringLiteral("𠀋"), QStringLiteral("𠀋")}));
}

TEST_F(RowBreakerTest, RowsCoverTheTextAndFitTheColumn)
{
    // Seeded random lines of letters, spaces, tabs and kanji: rows are contiguous, never
    // empty, and wider than the column only by hanging spaces or a single character.
    QRandomGenerator random(15);
    const char16_t alphabet[] = {u'a', u'Z', u' ', u'\t', u'漢', u'あ', u'ｱ', u'1', u'%'};
    std::vector<TRowSpan> rows;
    for (int round = 0; round < 300; ++round) {
        QString text;
        const int length = random.bounded(0, 120);
        for (int i = 0; i < length; ++i)
            text += QChar(alphabet[random.bounded(int(std::size(alphabet)))]);
        const qreal width = Half() * random.bounded(1, 40);
        BreakRows(text, width, Measure, rows);
        qsizetype next = 0;
        for (const TRowSpan& row : rows) {
            ASSERT_EQ(row.Start, next);
            ASSERT_TRUE(row.End > row.Start || text.isEmpty());
            next = row.End;
            qreal x = 0;
            qsizetype inked = row.End;
            while (inked > row.Start && (text[inked - 1] == QLatin1Char(' ') || text[inked - 1] == QLatin1Char('\t')))
                --inked;
            for (qsizetype i = row.Start; i < inked; ++i) {
                int step = 1;
                x = text[i] == QLatin1Char('\t') ? Measure.NextTabStop(x) : x + Measure.AdvanceAt(text, i, step);
            }
            ASSERT_TRUE(x <= width + 1e-6 || inked - row.Start <= 1) << text.toStdString();
        }
        ASSERT_EQ(next, text.size());
    }
}

TEST(PrintableText, BadBytesBecomeVisibleWholeCharacters)
{
    // A lead byte at a line's end is a character of its own and does not reach the next line.
    const QString invalid = PrintableText(std::string("ab\x82", 3), NoDocumentChars());
    EXPECT_EQ(invalid, QStringLiteral("ab\uFFFD"));
    EXPECT_EQ(PrintableText(std::string("@x"), NoDocumentChars()), QStringLiteral("@x"));
    EXPECT_EQ(PrintableText(std::string("\x82\x60\x82", 3), NoDocumentChars()), QStringLiteral("Ａ\uFFFD"));
    EXPECT_EQ(PrintableText(std::string("a\0b", 3), NoDocumentChars()), QStringLiteral("a\u2400b"));
    EXPECT_EQ(PrintableText(std::string("\tx"), NoDocumentChars()), QStringLiteral("\tx"));
    EXPECT_EQ(PrintableText(Sjis("表示"), NoDocumentChars()), QStringLiteral("表示"));
}
