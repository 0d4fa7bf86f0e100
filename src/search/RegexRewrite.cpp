// One pass over the expression, character by character (a trail byte 0x5C is never taken for a backslash),
// copying what the library reads as written and rewriting line breaks, anchors, the dot and literals.
#include "search/RegexRewrite.h"

#include "search/LiteralForms.h"
#include "search/ZenkakuTable.h"
#include "support/LeadByte.h"

#include <cctype>
#include <cstring>

namespace brenvik {

namespace {

// One line break of any kind, taken whole.
constexpr const char* AnyBreak = "(?>\\r\\n|\\r|\\n)";
constexpr const char* AnyButBreak = "[^\\r\\n]";
// Not inside a CR LF pair, and after (before) a break or the text's edge.
constexpr const char* LineStart = "(?<![^\\r\\n])(?!(?<=\\r)\\n)";
constexpr const char* LineEnd = "(?![^\\r\\n])(?!(?<=\\r)\\n)";
constexpr const char* EndBeforeFinalBreak = "(?=(?>\\r\\n|\\r|\\n)?\\z)";
constexpr const char* Metacharacters = "\\^$.|?*+()[]{}";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

class TExpressionRewriter {
public:
    TExpressionRewriter(std::string_view pattern, TRegexOptions options)
        : pattern_(pattern)
        , options_(options)
        , widen_(options.IgnoreCase || options.IgnoreWidth)
    {
    }

    TRewrittenExpression Run()
    {
        while (pos_ < pattern_.size())
            Step();
        return {std::move(out_), balanced_};
    }

private:
    char At(std::size_t pos) const { return pos < pattern_.size() ? pattern_[pos] : '\0'; }
    bool Has(std::size_t pos) const { return pos < pattern_.size(); }

    std::size_t CharSize(std::size_t pos) const
    {
        return IsLeadByte(static_cast<unsigned char>(pattern_[pos])) && pos + 1 < pattern_.size() ? 2 : 1;
    }

    // A literal character at pos: with the width option a half-width kana takes its voicing mark along.
    std::size_t LiteralSize(std::size_t pos) const
    {
        if (options_.IgnoreWidth && Has(pos + 1)
            && MarkMergesWithKana(static_cast<std::uint8_t>(pattern_[pos]), static_cast<std::uint8_t>(pattern_[pos + 1])))
            return 2;
        return CharSize(pos);
    }

    void Copy(std::size_t count)
    {
        count = std::min(count, pattern_.size() - pos_);
        out_.append(pattern_.substr(pos_, count));
        pos_ += count;
    }

    // Copies up to and including the first close at or after pos_ (or to the end).
    void CopyThrough(char close)
    {
        std::size_t end = pos_;
        while (end < pattern_.size() && pattern_[end] != close)
            end += CharSize(end);
        Copy(end + 1 - pos_);
    }

    void Literal(std::size_t size)
    {
        const std::string_view character = pattern_.substr(pos_, size);
        pos_ += size;
        if (widen_) {
            out_ += LiteralForms(character, options_);
            return;
        }
        const char c = character[0];
        if (size == 1 && c > 0x20 && c < 0x7F && std::strchr(Metacharacters, c))
            out_ += {'\\', c};
        else if (size == 1 && c >= 0x20 && c < 0x7F)
            out_ += c;
        else
            out_ += EscapedCharacter(character);
    }

    void Step()
    {
        const char c = pattern_[pos_];
        switch (c) {
        case '\\':
            return Escape();
        case '[':
            return Class();
        case '(':
            return GroupOpen();
        case ')':
            balanced_ = balanced_ && depth_ > 0;
            --depth_;
            return Copy(1);
        case '{':
            return IntervalOrLiteral();
        case '.':
            ++pos_;
            out_ += AnyButBreak;
            return;
        case '^':
            ++pos_;
            out_ += LineStart;
            return;
        case '$':
            ++pos_;
            out_ += LineEnd;
            return;
        case '*':
        case '+':
        case '?':
        case '|':
            return Copy(1);
        case '\r':
        case '\n':
            pos_ += c == '\r' && At(pos_ + 1) == '\n' ? 2 : 1;
            out_ += AnyBreak;
            return;
        default:
            return Literal(LiteralSize(pos_));
        }
    }

    void Escape()
    {
        if (!Has(pos_ + 1)) {
            // It would escape what follows it.
            balanced_ = false;
            return Copy(1);
        }
        const char e = pattern_[pos_ + 1];
        if (e == 'n' || (e == 'r' && At(pos_ + 2) == '\\' && At(pos_ + 3) == 'n')) {
            pos_ += e == 'n' ? 2 : 4;
            out_ += AnyBreak;
        } else if (e == 'Z') {
            pos_ += 2;
            out_ += EndBeforeFinalBreak;
        } else if (e == 'Q') {
            Quote();
        } else if (e == 'x' || e == 'o' || e == 'p' || e == 'P' || e == 'k' || e == 'g') {
            EscapeWithArgument(e);
        } else if (e == 'c') {
            Copy(2);
            if (Has(pos_))
                Copy(CharSize(pos_));
        } else if (IsDigit(e)) {
            Copy(2);
            while (IsDigit(At(pos_)))
                Copy(1);
        } else if (IsAsciiLetter(e)) {
            Copy(2);
        } else {
            // Escaped punctuation, a blank or any other character: a literal.
            ++pos_;
            Literal(LiteralSize(pos_));
        }
    }

    // \x41 \x{8341} \o{101} \p{Alpha} \k<name> \g'1' and their kin: the argument is not literal text.
    void EscapeWithArgument(char e)
    {
        const char open = At(pos_ + 2);
        if (open == '{')
            return CopyThrough('}');
        if ((e == 'k' || e == 'g') && (open == '<' || open == '\'')) {
            Copy(3);
            return CopyThrough(open == '<' ? '>' : '\'');
        }
        Copy(2);
        if (e == 'x') {
            for (int digits = 0; digits < 2 && std::isxdigit(static_cast<unsigned char>(At(pos_))); ++digits)
                Copy(1);
        } else if (e == 'k' || e == 'g') {
            while (IsDigit(At(pos_)) || At(pos_) == '-' || At(pos_) == '+')
                Copy(1);
        } else if ((e == 'p' || e == 'P') && Has(pos_)) {
            Copy(CharSize(pos_));
        }
    }

    // \Q..\E: every character up to \E (or the end) is literal.
    void Quote()
    {
        pos_ += 2;
        while (Has(pos_) && !(pattern_[pos_] == '\\' && At(pos_ + 1) == 'E'))
            Literal(LiteralSize(pos_));
        if (Has(pos_))
            pos_ += 2;
    }

    // Copied as written up to the bracket that closes it; only \n changes, to CR and LF.
    void Class()
    {
        Copy(1);
        if (At(pos_) == '^')
            Copy(1);
        if (At(pos_) == ']')
            Copy(1);
        int depth = 1;
        while (Has(pos_) && depth > 0) {
            const char c = pattern_[pos_];
            if (c == '\\' && At(pos_ + 1) == 'n') {
                pos_ += 2;
                out_ += "\\n\\r";
            } else if (c == '\\' && Has(pos_ + 1)) {
                const char e = pattern_[pos_ + 1];
                if (e == 'x' || e == 'o' || e == 'p' || e == 'P')
                    EscapeWithArgument(e);
                else {
                    Copy(1);
                    Copy(CharSize(pos_));
                }
            } else {
                depth += c == '[' ? 1 : c == ']' ? -1 : 0;
                Copy(CharSize(pos_));
            }
        }
    }

    void GroupOpen()
    {
        ++depth_;
        if (At(pos_ + 1) == '*') {
            // A verb or callout, not a group.
            --depth_;
            return CopyThrough(')');
        }
        if (At(pos_ + 1) != '?')
            return Copy(1);
        const char kind = At(pos_ + 2);
        const char next = At(pos_ + 3);
        if (kind == '#') {
            --depth_;
            return CopyThrough(')');
        }
        if (kind == '<' && (next == '=' || next == '!'))
            return Copy(4);
        if (kind == '<' || kind == '\'')
            return CopyThrough(kind == '<' ? '>' : '\'');
        if (kind == 'P' && next == '<')
            return CopyThrough('>');
        if (kind == '(') {
            Copy(3);
            return CopyThrough(')');
        }
        if (IsAsciiLetter(kind) || kind == '-' || kind == '^') {
            // Options, for the rest of the group (?i) or a group of their own (?i:...).
            std::size_t end = pos_ + 2;
            while (IsAsciiLetter(At(end)) || At(end) == '-' || At(end) == '^')
                ++end;
            if (At(end) == ')')
                --depth_;
            return Copy(end + 1 - pos_);
        }
        Copy(3);
    }

    // {n}, {n,} and {n,m} repeat; any other brace is a literal character.
    void IntervalOrLiteral()
    {
        std::size_t end = pos_ + 1;
        const std::size_t digitsStart = end;
        while (IsDigit(At(end)))
            ++end;
        bool valid = end > digitsStart;
        if (valid && At(end) == ',') {
            ++end;
            while (IsDigit(At(end)))
                ++end;
        }
        valid = valid && At(end) == '}';
        if (valid)
            Copy(end + 1 - pos_);
        else
            Literal(1);
    }

    std::string_view pattern_;
    TRegexOptions options_;
    bool widen_;
    std::size_t pos_ = 0;
    std::string out_;
    int depth_ = 0;
    bool balanced_ = true;
};

} // namespace

TRewrittenExpression RewriteExpression(std::string_view pattern, TRegexOptions options)
{
    return TExpressionRewriter(pattern, options).Run();
}

} // namespace brenvik
