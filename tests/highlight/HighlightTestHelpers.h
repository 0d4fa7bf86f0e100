// Shared helpers of the highlighting tests: token lists, row lists and per-byte colours.
#pragma once

#include "highlight/FountainParser.h"
#include "text/EditorScreenStrings.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace brenvik::test {

struct Token {
    int Offset;
    int Size;
    int Kind;
    std::string Text;
    friend bool operator==(const Token&, const Token&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Token& t)
{
    return out << "{" << t.Offset << " " << t.Size << " " << t.Kind << " '" << t.Text << "'}";
}

// Reads every token of one row, checking the parser's invariant after each one. A row never
// yields more tokens than it has bytes, plus one empty token at most per byte.
inline std::vector<Token> ReadTokens(
    TFountainParser& parser, std::string_view row, const RowTokenState& state = RowTokenState::FirstRow())
{
    std::vector<Token> tokens;
    parser.BeginRow(row, state);
    const size_t limit = 2 * row.size() + 2;
    while (parser.ReadToken() != 0) {
        EXPECT_EQ(parser.CheckInvariant(), "");
        tokens.push_back({parser.TokenOffset(), parser.TokenSize(), parser.TokenKind(), parser.TokenText()});
        if (tokens.size() > limit) {
            ADD_FAILURE() << "the tokenizer does not advance";
            break;
        }
    }
    return tokens;
}

inline std::vector<int> Kinds(const std::vector<Token>& tokens)
{
    std::vector<int> kinds;
    for (const Token& t : tokens)
        kinds.push_back(t.Kind);
    return kinds;
}

inline std::vector<std::string> Texts(const std::vector<Token>& tokens)
{
    std::vector<std::string> texts;
    for (const Token& t : tokens)
        texts.push_back(t.Text);
    return texts;
}

// A row list holding rows with the given attributes (all raBreak when none are given).
inline void FillRows(TEditorScreenStrings& rows, const std::vector<std::string>& texts,
    const std::vector<TRowAttribute>& attributes = {})
{
    TEditorStringList list;
    for (size_t i = 0; i < texts.size(); ++i) {
        const int row = list.Add(texts[i]);
        list.SetRowAttribute(row, i < attributes.size() ? attributes[i] : raBreak);
    }
    rows.SetRows(0, rows.Count(), list);
}

// piece, times over.
std::string Repeated(std::string_view piece, int times);

// One logical line cut into rows of width bytes (never inside a two-byte character), all but
// the last raWrapped.
std::vector<std::string> CutLine(const std::string& line, int width);

// The start state of every row of the list, computed row by row.
std::vector<RowTokenState> RowStates(TFountainParser& parser, const TEditorScreenStrings& rows);

// What a painter shows for each byte of the rows: the colour object of the token covering it
// (null for the editor's own colours and for bytes between tokens). Each row is tokenized from
// its computed state with the next row appended when it is wrapped, as the painter does.
std::vector<const void*> ByteColors(TFountainParser& parser, const TEditorScreenStrings& rows);

} // namespace brenvik::test
