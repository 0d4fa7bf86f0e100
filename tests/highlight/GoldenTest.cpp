// Sample scripts beside their expected token dumps. Run tools/regen-highlight-golden.sh to rewrite
// the dumps after a deliberate change, and review them as a diff. A Perl sample also has a dump of
// the simpler rules (PerlGrammar off), NAME.original.tokens: written once by the tokenizer before
// the fuller grammar existed and never rewritten, it shows that switching the grammar off gives
// exactly those tokens.
#include "HighlightTestHelpers.h"

#include "highlight/ConfiguredFountains.h"
#include "highlight/HTMLFountain.h"
#include "highlight/HTMLFountainParser.h"
#include "highlight/PERLFountain.h"
#include "highlight/PERLFountainParser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <map>
#include <sstream>

namespace brenvik::test {
namespace {

const QString kDataDir = QStringLiteral(BRENVIK_TEST_DATA "/highlight");

std::vector<std::string> SplitLines(const QByteArray& bytes)
{
    std::vector<std::string> lines;
    std::string line;
    for (int i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// Control bytes and the backslash are escaped so that every token stays on its line.
std::string Escaped(const std::string& text)
{
    std::string result;
    for (unsigned char c : text) {
        if (c < 0x20 || c == '\\') {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
            result += buffer;
        } else {
            result += static_cast<char>(c);
        }
    }
    return result;
}

using KindNames = std::map<int, const char*>;

// The generic kinds' names; each language adds its own, which share the codes from 50 up.
KindNames GenericKindNames()
{
    return {{tkEnd, "end"}, {tkSymbol, "symbol"}, {tkInteger, "integer"}, {tkFloat, "float"},
        {tkBracket, "bracket"}, {tkComment, "comment"}, {tkReserved, "reserved"}, {tkTab, "tab"},
        {tkWord, "word"}, {tkWideSymbol, "wide-symbol"}, {tkWideDigits, "wide-digits"},
        {tkWideLatin, "wide-latin"}, {tkHiragana, "hiragana"}, {tkKatakana, "katakana"}, {tkKanji, "kanji"},
        {tkNarrowKanaSymbol, "narrow-kana-symbol"}, {tkNarrowKana, "narrow-kana"}, {tkUrl, "url"},
        {tkMail, "mail"}, {tkHexDigits, "hex-digits"}, {tkSingleQuoted, "single-quoted"},
        {tkDoubleQuoted, "double-quoted"}};
}

KindNames PerlKindNames()
{
    KindNames names = GenericKindNames();
    names.insert({{tkScalar, "scalar"}, {tkArray, "array"}, {tkHash, "hash"}, {tkSubRoutine, "sub-name"},
        {tkSubRoutineCall, "sub-call"}, {tkHereDocOperator, "heredoc-operator"}, {tkHereDocBody, "heredoc-body"},
        {tkHereDocEnd, "heredoc-end"}, {tkQuoteLike, "quote-like"}, {tkPattern, "pattern"}, {tkPod, "pod"},
        {tkDataSection, "data-section"}, {tkTrailBackslash, "trail-backslash"}});
    return names;
}

KindNames HtmlKindNames()
{
    KindNames names = GenericKindNames();
    names.insert({{tkTagOpen, "tag-open"}, {tkTagClose, "tag-close"}, {tkElement, "element"},
        {tkAttribute, "attribute"}, {tkEquals, "equals"}, {tkAttributeValue, "attribute-value"},
        {tkEntity, "entity"}});
    return names;
}

// A kind without a name shows as its code, so that a new kind stands out in the diff.
std::string Name(const KindNames& names, int kind)
{
    const auto found = names.find(kind);
    return found != names.end() ? found->second : "kind-" + std::to_string(kind);
}

// A header per row with its start state (a kind of 0 there shows as -), then one line per
// token: offset, size, kind and text.
std::string Dump(TFountain& fountain, const KindNames& names, const std::vector<std::string>& lines)
{
    auto parser = fountain.CreateParser();
    TEditorScreenStrings rows;
    FillRows(rows, lines);
    const std::vector<RowTokenState> states = RowStates(*parser, rows);
    const auto stateKind = [&names](int kind) { return kind == 0 ? std::string("-") : Name(names, kind); };
    std::ostringstream out;
    for (int row = 0; row < rows.Count(); ++row) {
        const RowTokenState& s = states[static_cast<size_t>(row)];
        out << "row " << row << " bracket " << s.BracketIndex << " element " << s.Element << " remain "
            << s.Remain << " wrapped " << stateKind(s.WrappedKind) << " last " << stateKind(s.LastKind)
            << '\n';
        for (const Token& t : ReadTokens(*parser, lines[static_cast<size_t>(row)], s))
            out << t.Offset << ' ' << t.Size << ' ' << Name(names, t.Kind) << ' ' << Escaped(t.Text) << '\n';
    }
    return out.str();
}

QByteArray ReadSample(const QString& path)
{
    QFile input(path);
    EXPECT_TRUE(input.open(QIODevice::ReadOnly)) << path.toStdString();
    return input.readAll();
}

QString DumpPath(const QString& sample, const char* suffix)
{
    return sample.left(sample.lastIndexOf('.')) + suffix;
}

class GoldenDumps : public ::testing::TestWithParam<const char*> { };

TEST_P(GoldenDumps, MatchTheReviewedTokens)
{
    const QString sample = kDataDir + "/" + GetParam();
    const std::vector<std::string> lines = SplitLines(ReadSample(sample));

    TPERLFountain perl;
    ConfigurePERLFountain(perl);
    THTMLFountain html;
    ConfigureHTMLFountain(html);
    const std::string ext = "." + QFileInfo(sample).suffix().toStdString();
    const bool isPerl = perl.HasFileExt(ext);
    TFountain* fountain = isPerl ? static_cast<TFountain*>(&perl) : &html;
    ASSERT_TRUE(fountain->HasFileExt(ext));
    const std::string dump = Dump(*fountain, isPerl ? PerlKindNames() : HtmlKindNames(), lines);

    QFile expected(DumpPath(sample, ".tokens"));
    if (qEnvironmentVariableIsSet("BRENVIK_REGEN_GOLDEN")) {
        ASSERT_TRUE(expected.open(QIODevice::WriteOnly | QIODevice::Truncate));
        expected.write(dump.data(), static_cast<qint64>(dump.size()));
        return;
    }
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly)) << "no dump beside " << sample.toStdString();
    EXPECT_EQ(dump, expected.readAll().toStdString());
}

// The Perl samples only: switched off, the grammar gives the simpler rules' tokens.
class PerlGoldenDumps : public ::testing::TestWithParam<const char*> { };

TEST_P(PerlGoldenDumps, WithoutThePerlGrammarMatchTheOriginalRules)
{
    const QString sample = kDataDir + "/" + GetParam();
    TPERLFountain perl;
    ConfigurePERLFountain(perl);
    ASSERT_TRUE(perl.HasFileExt("." + QFileInfo(sample).suffix().toStdString()));
    perl.SetPerlGrammar(false);
    const std::string dump = Dump(perl, PerlKindNames(), SplitLines(ReadSample(sample)));
    EXPECT_EQ(dump, ReadSample(DumpPath(sample, ".original.tokens")).toStdString());
}

INSTANTIATE_TEST_SUITE_P(Samples, GoldenDumps,
    ::testing::Values("keijiban.pl", "form.html", "heredoc.cgi", "quotelike.pl", "pod.pl", "strings.pl"));
INSTANTIATE_TEST_SUITE_P(Samples, PerlGoldenDumps,
    ::testing::Values("keijiban.pl", "heredoc.cgi", "quotelike.pl", "pod.pl"));

} // namespace
} // namespace brenvik::test
