#pragma once

// Small helpers over a parsed stylesheet document (libxml2 tree) for the running form.

#include "platform/xslt/xpath_reads.h"

#include <libxml/tree.h>

#include <string>
#include <vector>

namespace xslttree {

// An element in the XSLT namespace (of that local name, when one is given).
bool isXsl(xmlNodePtr node, const char *name = nullptr);
// The value of the attribute without namespace; "" when it is missing.
std::string attribute(xmlNodePtr node, const char *name);
std::string content(xmlNodePtr node);
bool isBlank(const std::string &s);
bool isText(xmlNodePtr node);
// Every child of the node is text (true for a text node itself).
bool childrenAreText(xmlNodePtr node);
// Stripped or ignored by the processor: comments, processing instructions, blank text.
bool ignorable(xmlNodePtr node);
// The element children; onlyElements tells whether everything else is ignorable.
std::vector<xmlNodePtr> elementChildren(xmlNodePtr node, bool &onlyElements);
bool holdsExpression(xmlNodePtr element, const xmlChar *attributeName);
// The element takes attributes from attribute sets, which are evaluated in its context.
bool usesAttributeSets(xmlNodePtr element);
void removeNode(xmlNodePtr node);
// The XPath string literal of a text; false when it holds both kinds of quotes.
bool xpathLiteral(const std::string &value, std::string &out);

// The name as the processor compares it: "{namespace}local" for a prefixed name, with the
// prefix bound where the node is.
std::string expandedName(xmlNodePtr node, std::string_view qname);
// What an expression of the element reads and asks of its context cannot be known from
// its text: the scanner cannot follow it, or it calls an extension function (dyn:evaluate
// reads by a name it computes, a function of the stylesheet's own sees the caller's
// context), other than the node-set conversion of EXSLT or of the Microsoft namespace.
bool readsBeyondItsText(xmlNodePtr element, const XPathUse &use);

// Every expression in the element's attributes, with whether its value is taken as text.
template <typename Visit>
void forEachExpression(xmlNodePtr element, Visit visit)
{
    for (xmlAttrPtr a = element->properties; a; a = a->next) {
        const std::string value = content(reinterpret_cast<xmlNodePtr>(a));
        if (holdsExpression(element, a->name))
            visit(value, isXsl(element, "value-of") && xmlStrEqual(a->name, BAD_CAST "select"));
        else
            for (std::string_view expression : templateExpressions(value))
                visit(expression, true);
    }
}

} // namespace xslttree
