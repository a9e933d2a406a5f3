#include "platform/xslt/xpath_reads.h"

#include <algorithm>
#include <array>

namespace {

enum class Kind { Literal, Number, Variable, Name, Function, Operator, Punctuation };

struct Token {
    Kind kind;
    std::string_view text;
};

bool nameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool nameChar(char c) { return nameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Length of the QName (or "prefix:*") that starts at pos.
std::size_t qnameLength(std::string_view s, std::size_t pos)
{
    std::size_t end = pos;
    while (end < s.size() && nameChar(s[end]))
        ++end;
    if (end + 1 < s.size() && s[end] == ':' && s[end + 1] != ':') {
        if (s[end + 1] == '*')
            return end + 2 - pos;
        if (nameStart(s[end + 1])) {
            end += 1;
            while (end < s.size() && nameChar(s[end]))
                ++end;
        }
    }
    return end - pos;
}

bool oneOf(std::string_view text, std::initializer_list<std::string_view> set)
{
    return std::find(set.begin(), set.end(), text) != set.end();
}

// By the XPath rule: after these (or at the start) "*" is a name test and "and", "or",
// "div", "mod" are names; elsewhere they are operators.
bool operatorMayFollow(const std::vector<Token> &tokens)
{
    if (tokens.empty())
        return false;
    const Token &last = tokens.back();
    if (last.kind == Kind::Operator)
        return false;
    return !oneOf(last.text, {"@", "::", "(", "[", ","});
}

std::string_view punctuationAt(std::string_view s, std::size_t pos)
{
    for (std::string_view two : {"//", "::", "..", "!=", "<=", ">="})
        if (s.substr(pos, 2) == two)
            return two;
    return s.substr(pos, 1);
}

// The tokens of the expression; false when it cannot be split into XPath tokens.
bool tokenize(std::string_view s, std::vector<Token> &tokens)
{
    std::size_t pos = 0;
    while (pos < s.size()) {
        const char c = s[pos];
        if (isSpace(c)) {
            ++pos;
        } else if (c == '\'' || c == '"') {
            const std::size_t close = s.find(c, pos + 1);
            if (close == std::string_view::npos)
                return false;
            tokens.push_back({Kind::Literal, s.substr(pos, close + 1 - pos)});
            pos = close + 1;
        } else if (isDigit(c) || (c == '.' && pos + 1 < s.size() && isDigit(s[pos + 1]))) {
            std::size_t end = pos;
            while (end < s.size() && (isDigit(s[end]) || s[end] == '.'))
                ++end;
            tokens.push_back({Kind::Number, s.substr(pos, end - pos)});
            pos = end;
        } else if (c == '$') {
            const std::size_t length = qnameLength(s, pos + 1);
            if (length == 0)
                return false;
            tokens.push_back({Kind::Variable, s.substr(pos + 1, length)});
            pos += 1 + length;
        } else if (nameStart(c)) {
            const std::size_t length = qnameLength(s, pos);
            const std::string_view name = s.substr(pos, length);
            std::size_t after = pos + length;
            while (after < s.size() && isSpace(s[after]))
                ++after;
            Kind kind = Kind::Name;
            if (operatorMayFollow(tokens) && oneOf(name, {"and", "or", "div", "mod"}))
                kind = Kind::Operator;
            else if (after < s.size() && s[after] == '(' &&
                     !oneOf(name, {"node", "text", "comment", "processing-instruction"}))
                kind = Kind::Function;
            tokens.push_back({kind, name});
            pos += length;
        } else {
            const std::string_view p = punctuationAt(s, pos);
            const bool op = oneOf(p, {"/", "//", "|", "+", "-", "=", "!=", "<", "<=", ">", ">="}) ||
                            (p == "*" && operatorMayFollow(tokens));
            if (!op && !oneOf(p, {"(", ")", "[", "]", ",", "@", "::", ".", "..", "*"}))
                return false;
            tokens.push_back({op ? Kind::Operator : Kind::Punctuation, p});
            pos += p.size();
        }
    }
    return true;
}

// Functions that take every argument as a string or a number.
constexpr std::array<std::string_view, 14> textFunctions = {
    "concat",    "string",           "number",          "string-length", "normalize-space",
    "contains",  "starts-with",      "substring",       "substring-before",
    "substring-after", "translate",  "floor",           "ceiling",       "round"};

bool is(const Token *token, std::initializer_list<std::string_view> texts)
{
    return token && token->kind != Kind::Literal && oneOf(token->text, texts);
}

bool isLiteral(const Token *token)
{
    return token && (token->kind == Kind::Literal || token->kind == Kind::Number);
}

// The function whose argument list holds the token at index, or null.
const Token *enclosingFunction(const std::vector<Token> &tokens, std::size_t index)
{
    int depth = 0;
    for (std::size_t i = index; i-- > 0;) {
        if (is(&tokens[i], {")", "]"}))
            ++depth;
        else if (is(&tokens[i], {"(", "["}) && depth-- == 0)
            return i > 0 && tokens[i].text == "(" && tokens[i - 1].kind == Kind::Function
                       ? &tokens[i - 1]
                       : nullptr;
    }
    return nullptr;
}

const Token *tokenAt(const std::vector<Token> &tokens, std::size_t i, std::ptrdiff_t offset)
{
    const std::ptrdiff_t k = std::ptrdiff_t(i) + offset;
    return k >= 0 && k < std::ptrdiff_t(tokens.size()) ? &tokens[std::size_t(k)] : nullptr;
}

bool readAsNodeSet(const std::vector<Token> &tokens, std::size_t i)
{
    return is(tokenAt(tokens, i, 1), {"/", "//", "[", "|"}) || is(tokenAt(tokens, i, -1), {"|"});
}

bool readAsText(const std::vector<Token> &tokens, std::size_t i, bool wholeIsText)
{
    auto at = [&](std::ptrdiff_t offset) { return tokenAt(tokens, i, offset); };
    const Token *prev = at(-1);
    const Token *next = at(1);
    if (readAsNodeSet(tokens, i))
        return false;
    if (tokens.size() == 1)
        return wholeIsText;
    if (is(prev, {"(", ","}) && is(next, {",", ")"})) {
        const Token *function = enclosingFunction(tokens, i);
        return function && std::find(textFunctions.begin(), textFunctions.end(), function->text) !=
                               textFunctions.end();
    }
    const std::initializer_list<std::string_view> arithmetic = {"+", "-", "*", "div", "mod"};
    if ((is(prev, arithmetic) && prev->kind == Kind::Operator) ||
        (is(next, arithmetic) && next->kind == Kind::Operator))
        return true;
    const std::initializer_list<std::string_view> comparison = {"=", "!=", "<", "<=", ">", ">="};
    const auto startsOperand = [](const Token *t) { return !t || is(t, {"(", ",", "[", "and", "or"}); };
    const auto endsOperand = [](const Token *t) { return !t || is(t, {")", ",", "]", "and", "or"}); };
    if (is(next, comparison) && startsOperand(prev) && isLiteral(at(2)) && endsOperand(at(3)))
        return true;
    return is(prev, comparison) && endsOperand(next) && isLiteral(at(-2)) && startsOperand(at(-3));
}

// The number of arguments of the call whose name is at index.
int argumentCount(const std::vector<Token> &tokens, std::size_t index)
{
    int depth = 0;
    int commas = 0;
    for (std::size_t i = index + 2; i < tokens.size(); ++i) {
        if (is(&tokens[i], {"(", "["}))
            ++depth;
        else if (is(&tokens[i], {")", "]"}) && depth-- == 0)
            return i == index + 2 ? 0 : commas + 1;
        else if (depth == 0 && is(&tokens[i], {","}))
            ++commas;
    }
    return commas + 1;
}

bool stepsFromValue(const std::vector<Token> &tokens, std::size_t i)
{
    if (is(&tokens[i], {"|"}))
        return true;
    return i > 0 && is(&tokens[i], {"/", "//", "["}) &&
           (isLiteral(&tokens[i - 1]) || is(&tokens[i - 1], {")"}));
}

} // namespace

XPathUse xpathUse(std::string_view expression, bool wholeIsText)
{
    XPathUse use;
    std::vector<Token> tokens;
    use.understood = tokenize(expression, tokens);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == Kind::Variable)
            use.reads.push_back({std::string(tokens[i].text),
                                 use.understood && readAsText(tokens, i, wholeIsText),
                                 !use.understood || readAsNodeSet(tokens, i)});
        else if (tokens[i].kind == Kind::Function)
            use.functions.push_back({std::string(tokens[i].text), argumentCount(tokens, i)});
        use.stepsFromValue = use.stepsFromValue || stepsFromValue(tokens, i);
    }
    return use;
}

std::vector<std::string_view> templateExpressions(std::string_view value)
{
    std::vector<std::string_view> expressions;
    std::size_t pos = 0;
    while (pos < value.size()) {
        const std::size_t open = value.find('{', pos);
        if (open == std::string_view::npos)
            break;
        if (open + 1 < value.size() && value[open + 1] == '{') {
            pos = open + 2;
            continue;
        }
        std::size_t end = open + 1;
        char quote = 0;
        while (end < value.size() && (quote || value[end] != '}')) {
            if (quote && value[end] == quote)
                quote = 0;
            else if (!quote && (value[end] == '\'' || value[end] == '"'))
                quote = value[end];
            ++end;
        }
        expressions.push_back(value.substr(open + 1, end - open - 1));
        pos = end + 1;
    }
    return expressions;
}
