// The walk and the run: what is skipped or fails is told and stops nothing, globs and depth choose the
// files, the threads keep the walk's order, and a cancel stops a run inside a file.
#include "GrepSupport.h"
#include "GrepTree.h"

#include <gtest/gtest.h>

#include "jcode/SystemReason.h"

#include <cerrno>

namespace brenvik::test {
namespace {

// A reader whose reads of one file fail as a file without read permission does, root or not.
class TDeniedReader : public TGrepReader {
public:
    explicit TDeniedReader(std::string denied)
        : denied_(std::move(denied))
    {
    }
    bool Read(const std::string& path, std::uint64_t maxBytes, TReadBuffer& buffer, TGrepFile& file) const override
    {
        if (path != denied_)
            return TGrepReader::Read(path, maxBytes, buffer, file);
        file.Outcome = TGrepFile::goFailed;
        file.Message = SystemReason(EACCES, TFileAct::Read);
        return false;
    }

private:
    std::string denied_;
};

TEST(GrepRunTest, SpecialFilesLoopsAndUnreadableFilesAreToldAndTheWalkGoesOn)
{
    TGrepTree tree;
    tree.AddSpecials();
    TGrepSettings settings;
    settings.MaxBytes = 50000; // long.cgi is larger
    const TDeniedReader reader(tree.Path("cgi/sjis-lf.cgi"));
    const TCollect run = Grep(tree.Root(), "$logfile", TSearchFlags::MatchCase, settings, reader);

    const TGrepFile& pipe = run.At(tree.Path("cgi/pipe.cgi"));
    EXPECT_EQ(pipe.Outcome, TGrepFile::goSkipped);
    EXPECT_NE(pipe.Message.find("FIFO"), std::string::npos) << pipe.Message;
    const TGrepFile& loop = run.At(tree.Path("cgi/lib/loop"));
    EXPECT_EQ(loop.Outcome, TGrepFile::goFailed);
    EXPECT_NE(loop.Message.find("輪"), std::string::npos) << loop.Message;
    EXPECT_EQ(run.At(tree.Path("cgi/dangling.cgi")).Outcome, TGrepFile::goFailed);
    const TGrepFile& denied = run.At(tree.Path("cgi/sjis-lf.cgi"));
    EXPECT_EQ(denied.Outcome, TGrepFile::goFailed);
    EXPECT_FALSE(denied.Message.empty());
    const TGrepFile& large = run.At(tree.Path("cgi/long.cgi"));
    EXPECT_EQ(large.Outcome, TGrepFile::goSkipped);
    EXPECT_NE(large.Message.find("大きすぎる"), std::string::npos) << large.Message;
    // Nothing was walked twice through the loop, and every script after the trouble was searched.
    EXPECT_EQ(run.At(tree.Path("cgi/lib/loop/cgi/sjis-crlf.cgi")).Path, "");
    for (const char* file : {"cgi/utf8-lf.cgi", "cgi/lib/utf8-mixed.pl", "cgi/sjis-crlf.cgi"})
        EXPECT_EQ(run.At(tree.Path(file)).MatchedLines, 3) << file;
    EXPECT_EQ(run.walked, run.order.size());
}

TEST(GrepRunTest, GlobsAndDepthChooseTheFilesNamedPathsAlwaysSearched)
{
    const TGrepTree tree;
    TGrepSettings settings;
    settings.Walk.Globs = {"*.pl", "*-lf.cgi", "!utf8*"};
    settings.Walk.MaxDepth = 3; // the files of cgi/lib are three below the root
    TCollect run = Grep(tree.Root(), "$logfile", TSearchFlags::MatchCase, settings);
    // Names in order, a folder's files where its name falls.
    const std::vector<std::string> expected = {tree.Path("cgi/euc-lf.cgi"), tree.Path("cgi/jis-lf.cgi"),
        tree.Path("cgi/lib/euc-mixed.pl"), tree.Path("cgi/lib/jis-mixed.pl"), tree.Path("cgi/lib/sjis-mixed.pl"),
        tree.Path("cgi/sjis-lf.cgi")};
    EXPECT_EQ(run.order, expected);
    settings.Walk.MaxDepth = 2;
    run = Grep(tree.Root(), "$logfile", TSearchFlags::MatchCase, settings);
    EXPECT_EQ(run.order, (std::vector<std::string> {expected[0], expected[1], expected[5]}));
    settings.Walk.MaxDepth = 0;
    run = Grep(tree.Path("cgi/utf8-lf.cgi"), "$logfile", TSearchFlags::MatchCase, settings);
    EXPECT_EQ(run.order, std::vector<std::string> {tree.Path("cgi/utf8-lf.cgi")}) << "a named file passes";
    EXPECT_TRUE(GlobsAccept({}, "any"));
    EXPECT_FALSE(GlobsAccept({"!*.gif"}, "a.gif"));
    EXPECT_TRUE(GlobsAccept({"!*.gif"}, "a.cgi"));
}

TEST(GrepRunTest, ThreadsReportInTheWalksOrderWithTheSameResults)
{
    const TGrepTree tree;
    TGrepSettings one;
    one.Threads = 1;
    TGrepSettings many;
    many.Threads = 4;
    const TCollect serial = Grep(tree.Root(), "$logfile", TSearchFlags::MatchCase, one);
    const TCollect parallel = Grep(tree.Root(), "$logfile", TSearchFlags::MatchCase, many);
    EXPECT_TRUE(std::is_sorted(serial.order.begin(), serial.order.end())) << "names sorted, folders in place";
    EXPECT_EQ(serial.order, parallel.order);
    ASSERT_EQ(serial.files.size(), parallel.files.size());
    for (const auto& [path, file] : serial.files) {
        const TGrepFile& other = parallel.At(path);
        EXPECT_EQ(file.Outcome, other.Outcome) << path;
        ASSERT_EQ(file.Hits.size(), other.Hits.size()) << path;
        for (std::size_t i = 0; i < file.Hits.size(); ++i)
            EXPECT_EQ(file.Hits[i].Text, other.Hits[i].Text) << path;
    }
}

// Counts the matches it hands on and sets cancel after the tenth.
class TCancellingMatcher : public TGrepMatcher {
public:
    TCancellingMatcher(const TGrepMatcher& inner, std::atomic<bool>& cancel)
        : inner_(inner)
        , cancel_(cancel)
    {
    }
    std::string ForEachMatch(std::string_view text, const std::function<bool(TSearchRange)>& found) const override
    {
        return inner_.ForEachMatch(text, [&](TSearchRange match) {
            if (++seen == 10)
                cancel_ = true;
            return found(match);
        });
    }
    mutable std::atomic<int> seen {0};

private:
    const TGrepMatcher& inner_;
    std::atomic<bool>& cancel_;
};

TEST(GrepRunTest, CancelStopsInsideALargeFileAndReportsNoMore)
{
    QTemporaryDir folder;
    const std::string root = folder.path().toStdString();
    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += "$logfile\n";
    WriteBytes(root + "/a.cgi", many);
    WriteBytes(root + "/b.cgi", many);
    std::atomic<bool> cancel {false};
    const TLiteralMatcher literal("$logfile", TSearchFlags::MatchCase);
    const TCancellingMatcher matcher(literal, cancel);
    TCollect collect;
    TGrepSettings settings;
    settings.Threads = 1;
    const TGrepTotals totals = RunGrep({root}, matcher, settings, collect, &cancel);
    EXPECT_TRUE(totals.Cancelled);
    EXPECT_EQ(matcher.seen, 10) << "the search stops at the match that saw the cancel";
    EXPECT_TRUE(collect.order.empty()) << "a cancelled file is never reported as if complete";
}

} // namespace
} // namespace brenvik::test
