#pragma once

#include <string>
#include <string_view>
#include <vector>

// What one XPath 1.0 expression reads: its variable references, each with the way its
// value is used, and the functions it calls. Used to decide which stylesheet variables
// can be left out or computed differently without changing any result.

struct XPathRead {
    std::string name;
    // The value is only taken as a string or a number: the whole expression of an
    // xsl:value-of or of an attribute value template, an argument of a string or number
    // function, an operand of arithmetic, or compared with a literal.
    bool asText = false;
    // The value is taken as a node-set: a path or filter starts from it, or it is part of
    // a union.
    bool asNodeSet = false;
};

struct XPathCall {
    std::string name; // as written
    int arguments = 0;
};

struct XPathUse {
    bool understood = true; // false: the text is no expression this scanner can follow
    // A union, or a step or predicate applied to a literal, a number or a parenthesised
    // or function value: fails when that value is no node-set.
    bool stepsFromValue = false;
    std::vector<XPathRead> reads;
    std::vector<XPathCall> functions;
};

// wholeIsText: the expression's value is itself taken as a string (xsl:value-of select,
// an attribute value template).
XPathUse xpathUse(std::string_view expression, bool wholeIsText);

// The expressions of an attribute value template ("{...}" parts, "{{" and "}}" escaped);
// empty when it holds none. A malformed template gives one expression holding the rest,
// so that nothing in it is overlooked.
std::vector<std::string_view> templateExpressions(std::string_view value);
