#include "platform/xslt/xslt_loop_limits.h"

#include "platform/xslt/xslt_tree.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace xslttree;

namespace {

// N of a test "position() < N"; 0 for any other test.
long rowLimit(xmlNodePtr test)
{
    std::string compact;
    for (char c : attribute(test, "test"))
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            compact += c;
    const std::string prefix = "position()<";
    const std::string digits = compact.substr(std::min(compact.size(), prefix.size()));
    if (compact.rfind(prefix, 0) != 0 || digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::stol(digits);
}

// An expression of the element may ask for the size of the context's node list: it calls
// last(), or what it evaluates cannot be known from its text. (position() keeps its value
// under the limit: the first nodes keep their places.)
bool mayAskListSize(xmlNodePtr element)
{
    bool asks = false;
    forEachExpression(element, [&](std::string_view expression, bool) {
        const XPathUse use = xpathUse(expression, false);
        asks = asks || readsBeyondItsText(element, use) ||
               std::any_of(use.functions.begin(), use.functions.end(),
                           [](const XPathCall &call) { return call.name == "last"; });
    });
    return asks;
}

// Nothing evaluated in the context of the loop's own node list asks for its size, and no
// template or attribute set is reached with that list.
bool loopListUnread(xmlNodePtr node)
{
    for (xmlNodePtr child = node->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        if (isXsl(child, "call-template") || isXsl(child, "apply-imports") ||
            usesAttributeSets(child) || mayAskListSize(child))
            return false;
        if (!isXsl(child, "for-each") && !loopListUnread(child))
            return false;
    }
    return true;
}

// The xsl:if on "position() < N" that holds the loop's whole body, or null.
xmlNodePtr limitTest(xmlNodePtr loop, const Harmless &harmless)
{
    bool onlyElements = true;
    std::vector<xmlNodePtr> elements = elementChildren(loop, onlyElements);
    if (!onlyElements || elements.empty())
        return nullptr;
    for (std::size_t i = 0; i + 1 < elements.size(); ++i)
        if (!isXsl(elements[i], "variable") || !harmless(elements[i]))
            return nullptr;
    xmlNodePtr test = elements.back();
    while (isXsl(test, "if") && !rowLimit(test) && harmless(test)) {
        elements = elementChildren(test, onlyElements);
        if (!onlyElements || elements.size() != 1)
            return nullptr;
        test = elements.front();
    }
    return isXsl(test, "if") && rowLimit(test) ? test : nullptr;
}

void limitInSelect(xmlNodePtr loop, const GeneratorMarks &marks, const Harmless &harmless)
{
    const std::string select = attribute(loop, "select");
    if (!marks.on(loop) || select.empty() || !loopListUnread(loop))
        return;
    for (xmlNodePtr child = loop->children; child; child = child->next)
        if (isXsl(child, "sort"))
            return;
    xmlNodePtr test = limitTest(loop, harmless);
    if (!marks.on(test))
        return;
    // The test stays: it holds for every node the predicate lets through.
    const std::string limited =
        "(" + select + ")[position() < " + std::to_string(rowLimit(test)) + "]";
    xmlSetProp(loop, BAD_CAST "select", BAD_CAST limited.c_str());
}

} // namespace

void limitLoops(xmlNodePtr node, const GeneratorMarks &marks, const Harmless &harmless)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        if (isXsl(node, "for-each"))
            limitInSelect(node, marks, harmless);
        limitLoops(node->children, marks, harmless);
    }
}
