// The incremental rescan with the Perl tokenizer: after seeded random edits, undo and redo, with
// word wrap switched on and its options changed, every row state left computed equals the state
// that scanning every row from the first computes, and the rows hold exactly the text.
#include "highlight/ConfiguredFountains.h"
#include "highlight/FountainParser.h"
#include "highlight/FountainRowStateScanner.h"
#include "highlight/PERLFountain.h"
#include "text/ReferenceModel.h"

#include <gtest/gtest.h>

#include <random>

namespace brenvik::test {
namespace {

// Perl that crosses rows: strings and comments cut by wraps, sigils, sub names, escaped quotes.
std::vector<std::string> PerlPieces()
{
    std::vector<std::string> pieces = TrapPieces();
    for (const char* piece : {"'it''s'", "\"a\\\"b\"", "# \x83\x52\x83\x81\x83\x93\x83\x67 " /* # コメント */,
             "$value", "@list", "%hash", "&call", "sub name {", "asm", "print \"", "'", "\"", "$#", "q(",
             "/* */", "0x1F", "3.14", "\x81\x40" /* ideographic space */,
             // The fuller grammar: here-documents and their terminators, quote-like operators
             // left open across lines, matches and divisions, POD and the data section.
             "print <<EOM;", "<<\"E\", <<'F'", "<<~E", "EOM", "E", "F", "  E", "s{a}{", "}", "qw(", ")", "s/",
             "/", "tr/a/", "m!", "$a / $b", "split /", "=pod", "=cut", "__END__", "<html>$name</html>",
             // Strings over line ends, escapes and characters whose trail byte Perl reads as a backslash.
             "`", "qx{", "\\", "\x95\x5C" /* 表 */, "\x83\x5C\x8E\xA6" /* ソ示 */, "@x", "__DATA__ =>"})
        pieces.emplace_back(piece);
    return pieces;
}

// switchEvery > 0 turns the grammar over every so many steps and rescans as the editor does on
// any change of its highlighting: the row list's kept scanner must not outlive the old rules.
void RunPerlModel(unsigned seed, bool wordWrap, int steps, bool grammar = true, int switchEvery = 0)
{
    TPERLFountain fountain;
    ConfigurePERLFountain(fountain);
    fountain.SetPerlGrammar(grammar);
    ReferenceModel model(seed);
    model.Pieces = PerlPieces();
    model.Editor.Scanner = [&fountain] { return std::make_unique<TFountainRowStateScanner>(fountain); };
    // A short screen keeps the rescan horizon small, so rows past it are left not computed.
    model.Editor.Screen = 60;
    if (wordWrap) {
        model.Rows.SetWordWrap(true);
        model.Rows.WrapOption().SetWrapByte(20);
    }
    for (int step = 0; step < steps; ++step) {
        if (switchEvery > 0 && step % switchEvery == switchEvery - 1) {
            fountain.SetPerlGrammar(!fountain.PerlGrammar());
            model.Rows.RescanAll();
        } else if (wordWrap && step % 200 == 199) {
            model.ChangeWrapOption();
        } else {
            model.Step();
        }
        model.Check(step);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

TEST(PerlRescanProperty, ComputedStatesEqualAScanFromTheTopWithoutWordWrap)
{
    RunPerlModel(4242, false, 2000);
}

TEST(PerlRescanProperty, ComputedStatesEqualAScanFromTheTopWithWordWrap)
{
    RunPerlModel(1717, true, 2000);
}

TEST(PerlRescanProperty, ComputedStatesEqualAScanFromTheTopWithTheOriginalRules)
{
    RunPerlModel(2929, true, 1000, false);
}

TEST(PerlRescanProperty, ComputedStatesFollowTheGrammarSwitchedBetweenEdits)
{
    RunPerlModel(3131, true, 1200, true, 150);
}

// A state with its context written out: two tables may number the same contexts differently.
std::string Describe(const RowTokenState& state, const TRowContexts& contexts)
{
    return std::to_string(state.BracketIndex) + " " + std::to_string(state.Element) + " "
        + std::to_string(state.LastKind) + " " + std::to_string(state.Remain) + " "
        + std::to_string(state.WrappedKind) + " [" + std::string(contexts.At(state.Context)) + "]";
}

// The row-state scan passes one-byte tokens like blanks; the explorer reads lines token by token
// and mixes its states with the stored ones. Line after line of random Perl, both give the same.
TEST(PerlRescanProperty, TheRowStateOfALineEqualsReadingEveryTokenOfIt)
{
    for (const bool grammar : {true, false}) {
        TPERLFountain fountain;
        ConfigurePERLFountain(fountain);
        fountain.SetPerlGrammar(grammar);
        const std::unique_ptr<TFountainParser> scanning = fountain.CreateParser();
        const std::unique_ptr<TFountainParser> reading = fountain.CreateParser();
        TRowContexts scanContexts;
        TRowContexts readContexts;
        reading->UseContexts(readContexts);
        std::mt19937 random(grammar ? 808 : 909);
        const std::vector<std::string> pieces = PerlPieces();
        RowTokenState scanned = RowTokenState::FirstRow();
        RowTokenState read = scanned;
        for (int line = 0; line < 4000; ++line) {
            std::string text;
            for (unsigned count = random() % 7; count > 0; --count)
                text += pieces[random() % pieces.size()];
            std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
            scanning->AdvanceRowState(TScanRow {text, raBreak, {}, raBreak, &scanContexts}, scanned);
            reading->BeginRow(text, read);
            while (reading->ReadToken() != tkEnd) { }
            read = reading->LineEndState();
            ASSERT_EQ(Describe(scanned, scanContexts), Describe(read, readContexts))
                << "line " << line << ": " << text << (grammar ? " (fuller grammar)" : "");
        }
    }
}

} // namespace
} // namespace brenvik::test
