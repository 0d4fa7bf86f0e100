// The HTML tokenizer: tags and their state across rows, entities, URLs, comments.
#include "HighlightTestHelpers.h"

#include "highlight/ConfiguredFountains.h"
#include "highlight/HTMLFountain.h"
#include "highlight/HTMLFountainParser.h"

namespace brenvik::test {
namespace {

class HtmlRules : public ::testing::Test {
protected:
    THTMLFountain fountain;
    std::unique_ptr<TFountainParser> parser = fountain.CreateParser();

    std::vector<Token> Scan(std::string_view row) { return ReadTokens(*parser, row); }
};

TEST_F(HtmlRules, AnAnchorWithAQuotedValue)
{
    EXPECT_EQ(Scan("<a href=\"x.html\">link</a>"),
        (std::vector<Token> {{0, 1, tkTagOpen, "<"}, {1, 1, tkElement, "a"}, {3, 4, tkAttribute, "href"},
            {7, 1, tkEquals, "="}, {8, 8, tkDoubleQuoted, "\"x.html\""}, {16, 1, tkTagClose, ">"},
            {17, 4, tkWord, "link"}, {21, 1, tkTagOpen, "<"}, {22, 2, tkElement, "/a"},
            {24, 1, tkTagClose, ">"}}));
    parser->BeginRow("a <b>", RowTokenState::FirstRow());
    parser->ReadToken();
    EXPECT_EQ(parser->TokenColor(), nullptr) << "plain text keeps the editor's colours";
}

TEST_F(HtmlRules, EverythingAfterTheElementNameInATagIsAnAttribute)
{
    EXPECT_EQ(Kinds(Scan("<td nowrap>")), (std::vector<int> {tkTagOpen, tkElement, tkAttribute, tkTagClose}));
    EXPECT_EQ(Scan("<input value=abc>")[4], (Token {13, 3, tkAttributeValue, "abc"}));
    EXPECT_EQ(Scan("<td width=-1>")[4], (Token {10, 2, tkAttributeValue, "-1"})) << "not a symbol";
    EXPECT_EQ(Kinds(Scan("<p a=1 ; b>")),
        (std::vector<int> {tkTagOpen, tkElement, tkAttribute, tkEquals, tkAttributeValue, tkAttribute,
            tkAttribute, tkTagClose}));
    // Outside a tag = and / are plain symbols.
    EXPECT_EQ(Kinds(Scan("a=b/c")), (std::vector<int> {tkWord, tkSymbol, tkWord, tkSymbol, tkWord}));
}

TEST_F(HtmlRules, EntitiesUrlsAndMailAddresses)
{
    EXPECT_EQ(Texts(Scan("&amp; &#169; &amp x & y")),
        (std::vector<std::string> {"&amp;", "&#169;", "&amp", "x", "&", "y"}));
    EXPECT_EQ(Kinds(Scan("&amp;")), (std::vector<int> {tkEntity}));
    EXPECT_EQ(Scan("see http://example.jp/a?b=1 now")[1], (Token {4, 23, tkUrl, "http://example.jp/a?b=1"}));
    EXPECT_EQ(Scan("to info@example.jp.")[1], (Token {3, 16, tkMail, "info@example.jp."}));
    EXPECT_EQ(Scan("mail -x@a.jp")[1], (Token {5, 7, tkMail, "-x@a.jp"})) << "begun by a symbol byte";
}

TEST_F(HtmlRules, ACommentSpanningLinesIsOneBracketTokenPerRow)
{
    ConfigureHTMLFountain(fountain);
    auto p = fountain.CreateParser();
    TEditorScreenStrings rows;
    FillRows(rows, {"a <!-- one", "two", "three --> <b>"});
    const std::vector<RowTokenState> states = RowStates(*p, rows);
    EXPECT_EQ(ReadTokens(*p, "two", states[1]), (std::vector<Token> {{0, 3, tkBracket, "two"}}));
    p->BeginRow("two", states[1]);
    p->ReadToken();
    EXPECT_EQ(p->TokenColor(), fountain.Brackets()->Brackets(0).ItemColor());
    EXPECT_EQ(p->TokenColor()->Color(), clBlue);
    EXPECT_EQ(Kinds(ReadTokens(*p, "three --> <b>", states[2])),
        (std::vector<int> {tkBracket, tkTagOpen, tkElement, tkTagClose}));
}

TEST_F(HtmlRules, ATagSpanningTwoLinesKeepsItsState)
{
    TEditorScreenStrings rows;
    FillRows(rows, {"<img src=\"a.png\"", "  alt=x>"});
    const std::vector<RowTokenState> states = RowStates(*parser, rows);
    EXPECT_EQ(states[1].Element, 1);
    EXPECT_EQ(Kinds(ReadTokens(*parser, "  alt=x>", states[1])),
        (std::vector<int> {tkAttribute, tkEquals, tkAttributeValue, tkTagClose}));
}

TEST_F(HtmlRules, ANameCutByAWrapKeepsItsKindOnTheNextRow)
{
    TEditorScreenStrings rows;
    FillRows(rows, {"<a hr", "ef=\"x\">"}, {raWrapped, raBreak});
    const std::vector<RowTokenState> states = RowStates(*parser, rows);
    EXPECT_EQ(states[1], (RowTokenState {-1, 1, 2, tkAttribute, tkElement}));
    EXPECT_EQ(Kinds(ReadTokens(*parser, "ef=\"x\">", states[1])),
        (std::vector<int> {tkAttribute, tkEquals, tkDoubleQuoted, tkTagClose}));
}

TEST(ConfiguredHtmlFountain, HasTheBuildersColours)
{
    THTMLFountain fountain;
    ConfigureHTMLFountain(fountain);
    EXPECT_EQ(fountain.Brackets()->Count(), 1);
    EXPECT_EQ(fountain.TagColor()->Color(), clOlive);
    EXPECT_EQ(fountain.TagColor()->Style(), fsBold);
    EXPECT_EQ(fountain.Url()->Style(), fsUnderline);
    EXPECT_EQ(fountain.Reserve()->Style(), fsBold);
    EXPECT_TRUE(fountain.HasFileExt(".html"));
}

} // namespace
} // namespace brenvik::test
