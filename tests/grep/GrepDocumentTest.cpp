// grep's hits against the document's own find: every file of a tree in every code and line end, opened as
// the window opens it and searched with find next from the top, must give the same lines, columns, match
// lengths and text, file by file.
#include "GrepSupport.h"
#include "GrepTree.h"

#include "grep/MakeGrepMatcher.h"
#include "jcode/SjisUnicode.h"
#include "model/ScriptDocument.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace brenvik::test {
namespace {

// A hit as the document's find gives it: the first match of each line it matches on.
struct TLineFind {
    int Line;
    int Column;
    int Length;
    std::string Text;
    bool operator==(const TLineFind&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TLineFind& find)
{
    return out << find.Line << ":" << find.Column << "+" << find.Length << ":" << find.Text;
}

std::vector<TLineFind> DocumentFinds(const std::string& path, const std::string& pattern, TSearchFlags flags)
{
    TScriptDocument document;
    const QString name = QString::fromStdString(path);
    const TScriptFileCheck check = CheckScriptFile(name);
    EXPECT_TRUE(check.Refusal.isEmpty()) << path;
    EXPECT_TRUE(document.Load(name, std::nullopt, check)) << path;
    document.Find().Start(pattern, "", flags.Bits() | TSearchFlags::Down);
    const std::string text = document.Find().JoinedText();
    std::vector<std::size_t> lineStarts {0};
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        lineStarts.push_back(at + 2);
    std::vector<TLineFind> finds;
    while (const std::optional<TSearchRange> match = document.Find().FindNext()) {
        // Find goes round past the end: the first match again ends the walk.
        if (document.Find().Wrapped())
            break;
        const auto next = std::upper_bound(lineStarts.begin(), lineStarts.end(), std::size_t(match->Start));
        const int line = static_cast<int>(next - lineStarts.begin());
        if (!finds.empty() && finds.back().Line == line)
            continue;
        const std::size_t start = *(next - 1);
        const std::size_t end = next == lineStarts.end() ? text.size() : *next - 2;
        finds.push_back({line, static_cast<int>(match->Start - start) + 1, match->Length,
            SjisToUnicode(std::string_view(text).substr(start, end - start), document.Chars()).toUtf8().toStdString()});
    }
    return finds;
}

std::vector<TLineFind> GrepFinds(const TGrepFile& file)
{
    std::vector<TLineFind> finds;
    for (const TGrepHit& hit : file.Hits)
        finds.push_back({hit.Line, hit.Column, hit.Length, hit.Text});
    return finds;
}

struct TSearchCase {
    std::string Pattern; // UTF-8, searched in Shift_JIS
    std::uint16_t Flags;
};

std::string Sjis(const std::string& text)
{
    return *UnicodeToSjis(QString::fromStdString(text));
}

// Every searched file of a run compared; returns the number of files with hits.
int CompareWithDocument(const TCollect& run, const std::string& pattern, TSearchFlags flags)
{
    int withHits = 0;
    for (const auto& [path, file] : run.files) {
        if (file.Outcome != TGrepFile::goSearched)
            continue;
        EXPECT_EQ(GrepFinds(file), DocumentFinds(path, pattern, flags)) << path << " flags " << flags.Bits();
        EXPECT_EQ(file.MatchedLines, static_cast<int>(file.Hits.size())) << path;
        withHits += !file.Hits.empty();
    }
    return withHits;
}

TEST(GrepDocumentTest, HitsEqualTheDocumentsFindInEveryCodeAndLineEnd)
{
    const TGrepTree tree;
    const TSearchCase cases[] = {
        {"管理者", TSearchFlags::MatchCase},
        {"$logfile", TSearchFlags::MatchCase},
        {"logfile", TSearchFlags::MatchCase | TSearchFlags::WholeWord},
        {"abc", 0},
        {"abc", TSearchFlags::NoMatchZenkaku | TSearchFlags::MatchCase},
        {"ＡＢＣ", TSearchFlags::NoMatchZenkaku},
        {"ｶﾞｷﾞ", TSearchFlags::NoMatchZenkaku | TSearchFlags::MatchCase},
        {"A", TSearchFlags::MatchCase}, // the trail byte of ア
        {"\\", TSearchFlags::MatchCase}, // the trail byte of 表 and ソ
        {"x$log", TSearchFlags::MatchCase}, // within the 100,000-byte line
    };
    for (const TSearchCase& search : cases) {
        SCOPED_TRACE(search.Pattern);
        const std::string pattern = Sjis(search.Pattern);
        const TCollect run = Grep(tree.Root(), pattern, search.Flags);
        EXPECT_GT(CompareWithDocument(run, pattern, search.Flags), 0);
    }
}

TEST(GrepDocumentTest, EveryCodeIsReadInItsOwnCodeAndNamed)
{
    const TGrepTree tree;
    const TCollect run = Grep(tree.Root(), Sjis("管理者"), TSearchFlags::MatchCase);
    const std::pair<const char*, const char*> expected[] = {{"cgi/sjis-crlf.cgi", "S-JIS"}, {"cgi/euc-cr.cgi", "EUC"},
        {"cgi/jis-lf.cgi", "JIS"}, {"cgi/utf8-crlf.cgi", "UTF-8"}, {"cgi/utf8-bom.cgi", "UTF-8 BOM"},
        {"cgi/lib/euc-mixed.pl", "EUC"}};
    for (const auto& [file, code] : expected) {
        const TGrepFile& found = run.At(tree.Path(file));
        EXPECT_EQ(JCodeCaption(found.Code, found.Bom), code) << file;
        ASSERT_GE(found.Hits.size(), 3u) << file;
        EXPECT_EQ(found.Hits[1].Text, "print \"管理者: $admin\\n\"; # 管理者 twice on one line") << file;
        // Both matches of the line are marked in its UTF-8 text.
        const std::vector<std::pair<int, int>> marks {{7, 16}, {31, 40}};
        EXPECT_EQ(found.Hits[1].Marks, marks) << file;
    }
    // The 100,000-byte line: its first match, and the lone lead byte at the file's end read as U+FFFD.
    const TGrepFile& longFile = run.At(tree.Path("cgi/long.cgi"));
    ASSERT_EQ(longFile.Hits.size(), 1u);
    EXPECT_EQ(longFile.Hits[0].Line, 2);
    EXPECT_EQ(longFile.Hits[0].Marks.size(), 2u);
    const TGrepFile& invalid = run.At(tree.Path("cgi/invalid.cgi"));
    ASSERT_EQ(invalid.Hits.size(), 1u);
    EXPECT_EQ(invalid.FirstInvalidLine, 1);
    EXPECT_NE(invalid.Hits[0].Text.find("\xEF\xBF\xBD"), std::string::npos) << "U+FFFD in UTF-8";
}

TEST(GrepDocumentTest, BinaryFilesAreLeftAloneUnlessAskedAndThenSearchedAsTheDocumentWould)
{
    const TGrepTree tree;
    const std::string pattern = "$logfile";
    const TCollect plain = Grep(tree.Root(), pattern, TSearchFlags::MatchCase);
    for (const char* binary : {"cgi/nul.dat", "cgi/image.gif"}) {
        EXPECT_EQ(plain.At(tree.Path(binary)).Outcome, TGrepFile::goBinary) << binary;
        EXPECT_TRUE(plain.At(tree.Path(binary)).Hits.empty()) << binary;
    }
    TGrepSettings settings;
    settings.Search.SearchBinary = true;
    const TCollect all = Grep(tree.Root(), pattern, TSearchFlags::MatchCase, settings);
    EXPECT_EQ(all.At(tree.Path("cgi/nul.dat")).Outcome, TGrepFile::goSearched);
    // NUL bytes are delimiters that never match: three lines of the file hold the pattern.
    EXPECT_EQ(all.At(tree.Path("cgi/nul.dat")).MatchedLines, 3);
    CompareWithDocument(all, pattern, TSearchFlags::MatchCase);
}

TEST(GrepDocumentTest, StatedCodeReadsEveryFileInIt)
{
    const TGrepTree tree;
    TGrepSettings settings;
    settings.Search.Code = TStatedCodes {jcEuc, rcCrLf};
    const TCollect run = Grep(tree.Root(), Sjis("管理者"), TSearchFlags::MatchCase, settings);
    EXPECT_EQ(run.At(tree.Path("cgi/euc-lf.cgi")).Code, jcEuc);
    EXPECT_FALSE(run.At(tree.Path("cgi/euc-lf.cgi")).Hits.empty());
    EXPECT_EQ(run.At(tree.Path("cgi/sjis-lf.cgi")).Code, jcEuc);
    EXPECT_TRUE(run.At(tree.Path("cgi/sjis-lf.cgi")).Hits.empty()) << "Shift_JIS bytes read as EUC";
}

TEST(GrepDocumentTest, ExpressionsFindWhatTheLiteralEngineFindsAndMoreInEveryCode)
{
    const TGrepTree tree;
    std::string error;
    const auto hitsOf = [&](const std::string& pattern, bool expression) {
        const std::unique_ptr<TGrepMatcher> matcher
            = MakeGrepMatcher(Sjis(pattern), TSearchFlags::MatchCase, expression, error);
        EXPECT_TRUE(matcher) << error;
        TCollect collect;
        RunGrep({tree.Root()}, *matcher, {}, collect);
        return collect;
    };
    const std::pair<const char*, const char*> same[] = {{"管理者", "管理者"}, {"\\$logfile", "$logfile"}, {"\\\\", "\\"}};
    for (const auto& [expression, literal] : same) {
        const TCollect byExpression = hitsOf(expression, true);
        const TCollect byLiteral = hitsOf(literal, false);
        for (const auto& [path, file] : byLiteral.files)
            EXPECT_EQ(GrepFinds(byExpression.At(path)), GrepFinds(file)) << expression << " " << path;
    }
    // One character of any width between 管理 and 者, never a byte of one: in every code, the line with
    // "管理 者" is found and the trail byte traps are not.
    const TCollect any = hitsOf("管理.者", true);
    const std::pair<const char*, std::size_t> counts[] = {
        {"cgi/sjis-cr.cgi", 1}, {"cgi/euc-lf.cgi", 1}, {"cgi/jis-crlf.cgi", 3}, {"cgi/utf8-crlf.cgi", 2}};
    for (const auto& [file, count] : counts) {
        const TGrepFile& found = any.At(tree.Path(file));
        ASSERT_EQ(found.Hits.size(), count) << file;
        for (const TGrepHit& hit : found.Hits)
            EXPECT_EQ(hit.Text.substr(0, 11), "print \"行 ") << file;
    }
    EXPECT_FALSE(MakeGrepMatcher(Sjis("管理("), 0, true, error));
    EXPECT_NE(error.find("正規表現"), std::string::npos) << error;
}

} // namespace
} // namespace brenvik::test
