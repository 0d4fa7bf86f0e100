// A line highlighted whole equals the same line cut into wrapped rows with the state carried.
#include "HighlightTestHelpers.h"

#include "highlight/ConfiguredFountains.h"
#include "highlight/EditorFountain.h"
#include "highlight/FountainRowStateScanner.h"
#include "highlight/HTMLFountain.h"
#include "highlight/PERLFountain.h"
#include "text/FakeEditor.h"

namespace brenvik::test {
namespace {

// Lines whose tokens are shorter than the narrowest wrap, but for strings, comments and brackets,
// which go on over any number of rows (their escaped and doubled quotes sit in the row where the
// string ends). Left out: the last-index form $#, whose rule looks at the byte before the #: at
// a row start it sees none, so a wrap point between $ and # makes the rest a comment.
const std::vector<std::string> kPerlLines = {
    "print \"Content-type: text/html\\n\\n\"; # \x83\x77\x83\x62\x83\x5f\x81\x5b\x82\xf0\x8f\x6f\x97\xcd",
    "sub print_all { my ($self, @args) = @_; return &main::init($self->{'key'}, %ENV) unless @args; }",
    "$x = 3.14E+5 + 1..2; $name = '\x93\xfa\x96\x7b\x8c\xea''s text'; @list = (\x82\x4f, \x82\x60\x82\x61);",
    "if ($q{'mode'} eq 'write') { &write_log(\"<font color=#ff0000>\x83\x47\x83\x89\x81\x5b</font>\"); }",
    "$a %2; $$ref; ${name}; $Foo::Bar::baz = 'x'; # comment with \xb6\xc5 and \x81\x41 marks",
    "sub",
    "  main_loop { print STDOUT \"\\\"quoted\\\" \" x 3; $t = 'it''s'; }",
    // カーカー... over several rows: some rows start with the prolonged-sound mark.
    "$k = " + Repeated("\x83\x4a\x81\x5b", 26) + ";",
};

// Lines of the fuller grammar whose colours must not depend on where word wrap cuts them:
// here-document bodies, quote-like operators and POD lines longer than the narrowest wrap.
const std::vector<std::string> kGrammarLines = {
    "print <<\"EOM\", <<'RAW'; # two bodies follow",
    "<p>" + Repeated("\x82\xa0", 12) + " $name \x97\x6c " + Repeated("x", 17) + "EOM",
    "EOM",
    "'$raw' " + Repeated("text ", 8),
    "RAW",
    "$html =~ s{<(\\w+)>}{<$1 class=\"" + Repeated("x", 30) + "\">}gi; $n = 1;",
    "my @w = qw(" + Repeated("\x82\xe8\x82\xf1\x82\xb2 ", 10) + ");",
    "=head1 " + Repeated("\x96\xbc", 25),
    "text of the pod that is long enough to wrap at every width $not_var",
    "=cut and some more words to wrap the cut line too",
    "print 'code again';",
};

const std::vector<std::string> kHtmlLines = {
    "<table border=1 width=\"100%\"><tr><td nowrap>\x93\xfa\x96\x7b\x8c\xea &amp; &#169;</td></tr>",
    "<!-- a comment that runs over several rows when wrapped narrowly --> <a href=\"http://x.jp/\">",
    "mail me at info@example.jp or see http://www.example.jp/index.html?a=1&b=2 today",
    "<input type=text name=q value=abc><img",
    "   src=\"a.png\" alt=\x89\xe6\x91\x9c>",
};

// Per-byte colours of lines left whole, against the same lines cut at width. Blanks are left
// out: they never form tokens, so a continued string's blanks at a row start show the
// editor's background, as the gaps between tokens do.
void ExpectSameColours(TFountain& fountain, const std::vector<std::string>& lines, int width)
{
    auto parser = fountain.CreateParser();
    TEditorScreenStrings whole;
    FillRows(whole, lines);
    std::vector<std::string> cut;
    std::vector<TRowAttribute> attributes;
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        const std::vector<std::string> rows = CutLine(line, width);
        for (size_t i = 0; i < rows.size(); ++i) {
            cut.push_back(rows[i]);
            attributes.push_back(i + 1 < rows.size() ? raWrapped : raBreak);
        }
    }
    TEditorScreenStrings wrapped;
    FillRows(wrapped, cut, attributes);
    std::vector<const void*> want = ByteColors(*parser, whole);
    std::vector<const void*> got = ByteColors(*parser, wrapped);
    ASSERT_EQ(got.size(), text.size());
    ASSERT_EQ(want.size(), text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == ' ' || (c < 0x20 && c != '\t'))
            continue;
        if (got[i] != want[i]) {
            ADD_FAILURE() << "width " << width << ": byte " << i << " differs in ..."
                          << text.substr(i < 10 ? 0 : i - 10, 20) << "...";
            return;
        }
    }
}

TEST(WrapEquivalence, PerlLinesLookTheSameAtEveryWrapWidth)
{
    TPERLFountain fountain;
    ConfigurePERLFountain(fountain);
    for (int width = 20; width <= 40; ++width)
        ExpectSameColours(fountain, kPerlLines, width);
}

TEST(WrapEquivalence, PerlGrammarLinesLookTheSameAtEveryWrapWidth)
{
    TPERLFountain fountain;
    ConfigurePERLFountain(fountain);
    for (int width = 20; width <= 40; ++width)
        ExpectSameColours(fountain, kGrammarLines, width);
}

TEST(WrapEquivalence, HtmlLinesLookTheSameAtEveryWrapWidth)
{
    THTMLFountain fountain;
    ConfigureHTMLFountain(fountain);
    for (int width = 20; width <= 40; ++width)
        ExpectSameColours(fountain, kHtmlLines, width);
}

TEST(WrapEquivalence, BracketRegionsLookTheSameAtEveryWrapWidth)
{
    TEditorFountain fountain;
    fountain.Brackets()->AddBracket("/*", "*/").ItemColor()->SetColor(clGray);
    fountain.Brackets()->AddBracket("{-", "-}").ItemColor()->SetColor(clTeal);
    fountain.SetQuotation("\"");
    fountain.SetCommenter("//");
    const std::vector<std::string> lines = {
        "int a = 1; /* a comment that goes on */ b = \"str\"\"ing\"; /*/ opened by a slash star slash",
        "still inside */ {- another -} x = 0x1F; // to the end \x82\xa0\x82\xa2",
    };
    for (int width = 20; width <= 40; ++width)
        ExpectSameColours(fountain, lines, width);
}

TEST(RowStateScanner, TheRowListRescansThroughTheFountain)
{
    TPERLFountain fountain;
    FakeEditor editor;
    editor.Scanner = [&fountain] { return std::make_unique<TFountainRowStateScanner>(fountain); };
    FillRows(*editor.Rows, {"$a = \"one", "two\";", "# done", "sub", "name {"});
    editor.Rows->RescanAll();
    auto parser = fountain.CreateParser();
    const std::vector<RowTokenState> expected = RowStates(*parser, *editor.Rows);
    for (int row = 0; row < editor.Rows->Count(); ++row)
        EXPECT_EQ(editor.Rows->RowState(row), expected[static_cast<size_t>(row)]) << "row " << row;
    EXPECT_EQ(expected[1].WrappedKind, 0) << "a string does not continue over a line break";
    EXPECT_EQ(expected[4].Element, 1);
}

} // namespace
} // namespace brenvik::test
