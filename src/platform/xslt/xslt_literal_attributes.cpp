#include "platform/xslt/xslt_literal_attributes.h"

#include "platform/xslt/xslt_tree.h"

#include <libxslt/xslt.h>

#include <string>

using namespace xslttree;

namespace {

bool hasXslAttribute(xmlNodePtr element)
{
    for (xmlAttrPtr a = element->properties; a; a = a->next)
        if (a->ns && xmlStrEqual(a->ns->href, XSLT_NAMESPACE))
            return true;
    return false;
}

// The xsl:attribute's value as an attribute value template; false when it holds anything
// else than text and xsl:value-of, or an expression with braces.
bool valueTemplate(xmlNodePtr instruction, const GeneratorMarks &marks, std::string &value)
{
    for (xmlNodePtr child = instruction->children; child; child = child->next) {
        if (ignorable(child))
            continue;
        if (child->type == XML_ELEMENT_NODE && !marks.on(child))
            return false;
        if (isText(child) || isXsl(child, "text")) {
            if (!childrenAreText(child))
                return false;
            for (char c : content(child))
                value += (c == '{' || c == '}') ? std::string(2, c) : std::string(1, c);
        } else if (isXsl(child, "value-of") && !child->children && !child->nsDef) {
            const std::string select = attribute(child, "select");
            if (select.empty() || select.find_first_of("{}") != std::string::npos)
                return false;
            value += '{' + select + '}';
        } else {
            return false;
        }
    }
    return true;
}

bool moveIntoParent(xmlNodePtr instruction, const GeneratorMarks &marks)
{
    const std::string name = attribute(instruction, "name");
    std::string value;
    // A name that is no attribute name makes the instruction fail.
    if (xmlValidateNCName(BAD_CAST name.c_str(), 0) != 0 || name == "xmlns" || instruction->nsDef ||
        xmlHasProp(instruction, BAD_CAST "namespace") ||
        xmlHasProp(instruction->parent, BAD_CAST name.c_str()) || !marks.on(instruction) ||
        !valueTemplate(instruction, marks, value))
        return false;
    xmlSetProp(instruction->parent, BAD_CAST name.c_str(), BAD_CAST value.c_str());
    removeNode(instruction);
    return true;
}

} // namespace

void attributesIntoLiterals(xmlNodePtr node, const GeneratorMarks &marks)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        // Attributes made by instructions come after the element's own; the first one that
        // stays an instruction keeps those after it.
        if (marks.on(node) && !isXsl(node) && !hasXslAttribute(node)) {
            for (xmlNodePtr child = node->children; child;) {
                xmlNodePtr next = child->next;
                if (!ignorable(child) && (!isXsl(child, "attribute") || !moveIntoParent(child, marks)))
                    break;
                child = next;
            }
        }
        attributesIntoLiterals(node->children, marks);
    }
}
