#include "platform/xslt/xslt_tree.h"

#include <libxslt/xsltInternals.h>

#include <algorithm>

namespace xslttree {

bool isXsl(xmlNodePtr node, const char *name)
{
    return node && node->type == XML_ELEMENT_NODE && node->ns &&
           xmlStrEqual(node->ns->href, XSLT_NAMESPACE) &&
           (!name || xmlStrEqual(node->name, BAD_CAST name));
}

namespace {

std::string text(const xmlChar *value) { return value ? reinterpret_cast<const char *>(value) : ""; }

} // namespace

std::string attribute(xmlNodePtr node, const char *name)
{
    xmlChar *value = xmlGetNoNsProp(node, BAD_CAST name);
    std::string result = text(value);
    xmlFree(value);
    return result;
}

std::string content(xmlNodePtr node)
{
    xmlChar *value = xmlNodeGetContent(node);
    std::string result = text(value);
    xmlFree(value);
    return result;
}

bool isBlank(const std::string &s)
{
    return s.find_first_not_of(" \t\r\n") == std::string::npos;
}

bool isText(xmlNodePtr node)
{
    return node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE;
}

bool childrenAreText(xmlNodePtr node)
{
    for (xmlNodePtr child = node->children; child; child = child->next)
        if (!isText(child))
            return false;
    return true;
}

bool ignorable(xmlNodePtr node)
{
    return node->type == XML_COMMENT_NODE || node->type == XML_PI_NODE ||
           (isText(node) && isBlank(content(node)));
}

std::vector<xmlNodePtr> elementChildren(xmlNodePtr node, bool &onlyElements)
{
    std::vector<xmlNodePtr> elements;
    onlyElements = true;
    for (xmlNodePtr child = node->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE)
            elements.push_back(child);
        else if (!ignorable(child))
            onlyElements = false;
    }
    return elements;
}

bool holdsExpression(xmlNodePtr element, const xmlChar *attributeName)
{
    static const char *const names[] = {"select", "test", "use", "value", "count", "from", "match"};
    if (element->ns && xmlStrEqual(element->ns->href, BAD_CAST "http://exslt.org/functions") &&
        xmlStrEqual(element->name, BAD_CAST "result"))
        return xmlStrEqual(attributeName, BAD_CAST "select");
    return isXsl(element) && std::any_of(std::begin(names), std::end(names), [&](const char *n) {
               return xmlStrEqual(attributeName, BAD_CAST n);
           });
}

bool usesAttributeSets(xmlNodePtr element)
{
    return xmlHasNsProp(element, BAD_CAST "use-attribute-sets", XSLT_NAMESPACE) ||
           (isXsl(element) && xmlHasProp(element, BAD_CAST "use-attribute-sets"));
}

std::string expandedName(xmlNodePtr node, std::string_view qname)
{
    const std::size_t colon = qname.find(':');
    if (colon == qname.npos)
        return std::string(qname);
    const std::string prefix(qname.substr(0, colon));
    const xmlNsPtr ns = xmlSearchNs(node->doc, node, BAD_CAST prefix.c_str());
    // An unbound prefix names nothing the processor finds: it stays apart from every name.
    const std::string space = ns ? text(ns->href) : "?" + prefix;
    return "{" + space + "}" + std::string(qname.substr(colon + 1));
}

bool readsBeyondItsText(xmlNodePtr element, const XPathUse &use)
{
    return !use.understood ||
           std::any_of(use.functions.begin(), use.functions.end(), [&](const XPathCall &call) {
               const std::string name = expandedName(element, call.name);
               return name != call.name && name != "{http://exslt.org/common}node-set" &&
                      name != "{urn:schemas-microsoft-com:xslt}node-set";
           });
}

void removeNode(xmlNodePtr node)
{
    xmlUnlinkNode(node);
    xmlFreeNode(node);
}

bool xpathLiteral(const std::string &value, std::string &out)
{
    const char quote = value.find('\'') == std::string::npos ? '\'' : '"';
    if (value.find(quote) != std::string::npos)
        return false;
    out = quote + value + quote;
    return true;
}

} // namespace xslttree
