#include "platform/xslt_running_form.h"

#include "platform/xpath_reads.h"
#include "platform/xslt_literal_attributes.h"
#include "platform/xslt_loop_limits.h"
#include "platform/xslt_tree.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace xslttree;

namespace {

struct Reads {
    int count = 0;
    bool allAsText = true;
};

using ReadMap = std::map<std::string, Reads>;

void collectReads(xmlNodePtr node, ReadMap &reads)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        forEachExpression(node, [&](std::string_view expression, bool wholeIsText) {
            for (const XPathRead &read : xpathUse(expression, wholeIsText).reads) {
                Reads &r = reads[read.name];
                ++r.count;
                r.allAsText = r.allAsText && read.asText;
            }
        });
        collectReads(node->children, reads);
    }
}

bool topLevel(xmlNodePtr node)
{
    return isXsl(node->parent, "stylesheet") || isXsl(node->parent, "transform");
}

struct Stylesheet {
    xmlNodePtr root;
    std::vector<xmlNodePtr> locals; // xsl:variable inside templates
    // Those, xsl:param inside templates, and xsl:with-param of calls of templates of this
    // document.
    std::vector<xmlNodePtr> valueHolders;
    std::set<std::string> declared;
    ReadMap reads;

    explicit Stylesheet(xmlNodePtr root) : root(root) { survey(); }

    void survey()
    {
        locals.clear();
        valueHolders.clear();
        declared.clear();
        reads.clear();
        templates.clear();
        for (xmlNodePtr child = root->children; child; child = child->next)
            if (isXsl(child, "template"))
                templates.insert(attribute(child, "name"));
        collectVariables(root);
        collectReads(root, reads);
    }

private:
    std::set<std::string> templates;

    bool callsTemplateHere(xmlNodePtr withParam) const
    {
        return isXsl(withParam->parent, "call-template") &&
               templates.count(attribute(withParam->parent, "name")) > 0;
    }

    void collectVariables(xmlNodePtr node)
    {
        for (; node; node = node->next) {
            const bool variable = isXsl(node, "variable");
            if (variable || isXsl(node, "param"))
                declared.insert(attribute(node, "name"));
            if (variable && !topLevel(node))
                locals.push_back(node);
            if (((variable || isXsl(node, "param")) && !topLevel(node)) ||
                (isXsl(node, "with-param") && callsTemplateHere(node)))
                valueHolders.push_back(node);
            if (node->type == XML_ELEMENT_NODE)
                collectVariables(node->children);
        }
    }
};

// Functions that cannot fail whatever their arguments, and have no effect.
bool harmlessFunction(const std::string &name)
{
    static const std::set<std::string> names = {
        "position", "last",          "concat",          "string",      "number",
        "boolean",  "not",           "true",            "false",       "string-length",
        "normalize-space", "contains", "starts-with",   "substring",   "substring-before",
        "substring-after", "translate", "floor",        "ceiling",     "round"};
    return names.count(name) > 0;
}

bool harmlessExpression(const Stylesheet &sheet, std::string_view expression)
{
    const XPathUse use = xpathUse(expression, false);
    return use.understood &&
           std::all_of(use.functions.begin(), use.functions.end(), harmlessFunction) &&
           std::all_of(use.reads.begin(), use.reads.end(), [&](const XPathRead &read) {
               return !read.asNodeSet && sheet.declared.count(read.name) > 0;
           });
}

// Computing the element can neither fail nor have an effect: a variable, or a part of a
// variable's value (text, xsl:text, xsl:value-of, xsl:if), over harmless expressions.
bool harmless(const Stylesheet &sheet, xmlNodePtr element, bool part = false)
{
    if (part && !isXsl(element, "text") && !isXsl(element, "value-of") && !isXsl(element, "if"))
        return false;
    bool ok = true;
    forEachExpression(element, [&](std::string_view expression, bool) {
        ok = ok && harmlessExpression(sheet, expression);
    });
    for (xmlNodePtr child = element->children; ok && child; child = child->next)
        ok = child->type != XML_ELEMENT_NODE || harmless(sheet, child, true);
    return ok;
}

bool dropUnread(Stylesheet &sheet)
{
    bool dropped = false;
    for (xmlNodePtr variable : sheet.locals) {
        if (sheet.reads.count(attribute(variable, "name")) == 0 && harmless(sheet, variable)) {
            removeNode(variable);
            dropped = true;
        }
    }
    return dropped;
}

// The select expression that computes the variable's text, or "" when its value is
// anything but text and xsl:value-of.
std::string textSelect(xmlNodePtr variable)
{
    if (xmlHasNsProp(variable, BAD_CAST "select", nullptr))
        return {};
    std::vector<std::string> parts;
    bool onlyLiteral = true;
    for (xmlNodePtr child = variable->children; child; child = child->next) {
        std::string part;
        if (ignorable(child))
            continue;
        if (isText(child) || isXsl(child, "text")) {
            for (xmlNodePtr inner = child->children; inner; inner = inner->next)
                if (!isText(inner))
                    return {};
            if (!xpathLiteral(content(child), part))
                return {};
        } else if (isXsl(child, "value-of") && !child->children) {
            part = attribute(child, "select");
            onlyLiteral = false;
            if (part.empty())
                return {};
        } else {
            return {};
        }
        parts.push_back(part);
    }
    if (parts.empty())
        return "''";
    if (parts.size() == 1)
        return onlyLiteral ? parts[0] : "string(" + parts[0] + ")";
    std::string joined = "concat(";
    for (std::size_t i = 0; i < parts.size(); ++i)
        joined += (i ? "," : "") + parts[i];
    return joined + ")";
}

void selectTextVariables(const Stylesheet &sheet)
{
    for (xmlNodePtr variable : sheet.valueHolders) {
        const auto found = sheet.reads.find(attribute(variable, "name"));
        if (found == sheet.reads.end() || !found->second.allAsText)
            continue;
        const std::string select = textSelect(variable);
        if (select.empty())
            continue;
        while (variable->children)
            removeNode(variable->children);
        xmlSetProp(variable, BAD_CAST "select", BAD_CAST select.c_str());
    }
}

bool spaceKept(xmlNodePtr node)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        if (xmlHasProp(node, BAD_CAST "space") || spaceKept(node->children))
            return true;
    }
    return false;
}

} // namespace

void prepareForRunning(xmlDocPtr stylesheet)
{
    xmlNodePtr root = stylesheet ? xmlDocGetRootElement(stylesheet) : nullptr;
    // Kept white space would make text that is stripped here count.
    if (!isXsl(root) || spaceKept(root))
        return;
    Stylesheet sheet(root);
    while (dropUnread(sheet))
        sheet.survey();
    selectTextVariables(sheet);
    sheet.survey();
    limitLoops(root, [&](xmlNodePtr variable) { return harmless(sheet, variable); });
    attributesIntoLiterals(root);
}
