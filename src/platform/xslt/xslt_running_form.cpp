#include "platform/xslt/xslt_running_form.h"

#include "platform/xslt/generator_marks.h"
#include "platform/xslt/xpath_reads.h"
#include "platform/xslt/xslt_errors.h"
#include "platform/xslt/xslt_literal_attributes.h"
#include "platform/xslt/xslt_loop_limits.h"
#include "platform/xslt/xslt_tree.h"

#include <algorithm>
#include <memory>
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

void collectReads(xmlNodePtr node, ReadMap &reads, bool &unknown)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        forEachExpression(node, [&](std::string_view expression, bool wholeIsText) {
            const XPathUse use = xpathUse(expression, wholeIsText);
            unknown = unknown || readsBeyondItsText(node, use);
            for (const XPathRead &read : use.reads) {
                Reads &r = reads[expandedName(node, read.name)];
                ++r.count;
                r.allAsText = r.allAsText && read.asText;
            }
        });
        collectReads(node->children, reads, unknown);
    }
}

bool topLevel(xmlNodePtr node)
{
    return isXsl(node->parent, "stylesheet") || isXsl(node->parent, "transform");
}

// The expanded name a variable, parameter or template is given, or a call names.
std::string boundName(xmlNodePtr binding) { return expandedName(binding, attribute(binding, "name")); }

struct Stylesheet {
    xmlNodePtr root;
    std::vector<xmlNodePtr> locals; // xsl:variable inside templates
    // Those, xsl:param inside templates, and xsl:with-param of calls of templates of this
    // document.
    std::vector<xmlNodePtr> valueHolders;
    std::set<std::string> globals; // top-level xsl:variable and xsl:param
    ReadMap reads;
    // Some expression reads what its text does not tell (dyn:evaluate, say): any
    // variable may be read, in any way.
    bool readsUnknown = false;

    explicit Stylesheet(xmlNodePtr root) : root(root) { survey(); }

    // A variable or parameter of that name is bound where the element is.
    bool bound(xmlNodePtr element, const std::string &name) const
    {
        for (xmlNodePtr node = element; node && node != root; node = node->parent)
            for (xmlNodePtr before = node->prev; before; before = before->prev)
                if ((isXsl(before, "variable") || isXsl(before, "param")) &&
                    boundName(before) == name)
                    return true;
        return globals.count(name) > 0;
    }

    void survey()
    {
        locals.clear();
        valueHolders.clear();
        globals.clear();
        reads.clear();
        templates.clear();
        for (xmlNodePtr child = root->children; child; child = child->next)
            if (isXsl(child, "template"))
                templates.insert(boundName(child));
        collectVariables(root);
        readsUnknown = false;
        collectReads(root, reads, readsUnknown);
    }

private:
    std::set<std::string> templates;

    bool callsTemplateHere(xmlNodePtr withParam) const
    {
        return isXsl(withParam->parent, "call-template") &&
               templates.count(boundName(withParam->parent)) > 0;
    }

    void collectVariables(xmlNodePtr node)
    {
        for (; node; node = node->next) {
            const bool variable = isXsl(node, "variable");
            const bool binding = variable || isXsl(node, "param");
            if (binding && topLevel(node)) {
                globals.insert(boundName(node));
            } else if (binding) {
                if (variable)
                    locals.push_back(node);
                valueHolders.push_back(node);
            } else if (isXsl(node, "with-param") && callsTemplateHere(node)) {
                valueHolders.push_back(node);
            }
            if (node->type == XML_ELEMENT_NODE)
                collectVariables(node->children);
        }
    }
};

// Functions that cannot fail whatever their arguments, when given as many as they take,
// and have no effect.
bool harmlessFunction(const XPathCall &call)
{
    struct Arity {
        int least, most;
    };
    static const std::map<std::string, Arity> arities = {
        {"position", {0, 0}},         {"last", {0, 0}},
        {"true", {0, 0}},             {"false", {0, 0}},
        {"string", {0, 1}},           {"number", {0, 1}},
        {"string-length", {0, 1}},    {"normalize-space", {0, 1}},
        {"boolean", {1, 1}},          {"not", {1, 1}},
        {"floor", {1, 1}},            {"ceiling", {1, 1}},
        {"round", {1, 1}},            {"contains", {2, 2}},
        {"starts-with", {2, 2}},      {"substring-before", {2, 2}},
        {"substring-after", {2, 2}},  {"substring", {2, 3}},
        {"translate", {3, 3}},        {"concat", {2, 1 << 30}}};
    const auto found = arities.find(call.name);
    return found != arities.end() && call.arguments >= found->second.least &&
           call.arguments <= found->second.most;
}

// libxml2's parser takes the expression, and it names nothing in a namespace (a ":" that
// is no part of an axis's "::"), whose prefix only the stylesheet's compiler looks up.
bool compiles(std::string_view expression)
{
    for (std::size_t at = expression.find(':'); at != expression.npos; at = expression.find(':', at + 2))
        if (at + 1 == expression.size() || expression[at + 1] != ':')
            return false;
    // With a context, the compiler bounds its depth of nesting.
    const std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(
        xmlXPathNewContext(nullptr), xmlXPathFreeContext);
    xmlXPathCompExprPtr compiled =
        context ? xmlXPathCtxtCompile(context.get(), BAD_CAST std::string(expression).c_str())
                : nullptr;
    xmlXPathFreeCompExpr(compiled);
    return compiled != nullptr;
}

// A longer expression may compile and yet reach the evaluator's bound of recursion (a
// long chain of operators); nothing the generator writes comes near it.
constexpr std::size_t longestHarmless = 1000;

bool harmlessExpression(const Stylesheet &sheet, xmlNodePtr element, std::string_view expression)
{
    const XPathUse use = xpathUse(expression, false);
    return use.understood && !use.stepsFromValue && expression.size() <= longestHarmless && compiles(expression) &&
           std::all_of(use.functions.begin(), use.functions.end(), harmlessFunction) &&
           std::all_of(use.reads.begin(), use.reads.end(), [&](const XPathRead &read) {
               return !read.asNodeSet && sheet.bound(element, expandedName(element, read.name));
           });
}

// Computing the element can neither fail nor have an effect: a variable, or a part of a
// variable's value (text, xsl:text, xsl:value-of, xsl:if), over harmless expressions.
bool harmless(const Stylesheet &sheet, xmlNodePtr element, bool part = false)
{
    if (part && !isXsl(element, "text") && !isXsl(element, "value-of") && !isXsl(element, "if"))
        return false;
    if ((isXsl(element, "value-of") && !xmlHasProp(element, BAD_CAST "select")) ||
        (isXsl(element, "if") && !xmlHasProp(element, BAD_CAST "test")))
        return false; // the stylesheet's compiler refuses it
    bool ok = true;
    forEachExpression(element, [&](std::string_view expression, bool) {
        ok = ok && harmlessExpression(sheet, element, expression);
    });
    for (xmlNodePtr child = element->children; ok && child; child = child->next)
        ok = child->type != XML_ELEMENT_NODE || harmless(sheet, child, true);
    return ok;
}

constexpr const char *nothing = "0";

// Functions of XPath and XSLT through which nothing of the stylesheet is evaluated: no
// template, attribute set, key or function of its own.
bool reachesNothingOfTheStylesheet(const XPathCall &call)
{
    static const std::set<std::string> functions = {
        "last", "position", "count", "id", "local-name", "namespace-uri", "name", "string",
        "concat", "starts-with", "contains", "substring-before", "substring-after", "substring",
        "string-length", "normalize-space", "translate", "boolean", "not", "true", "false",
        "lang", "number", "sum", "floor", "ceiling", "round", "document", "format-number",
        "current", "generate-id", "system-property", "unparsed-entity-uri"};
    return functions.count(call.name) > 0;
}

// Evaluating the element enters no template and binds no variable of that name: it is one
// of the generator's literal elements, or of its instructions that only compute values,
// over expressions that call only those functions, and so is everything inside it.
bool entersNoTemplate(xmlNodePtr element, const GeneratorMarks &marks, const std::string &name)
{
    static const std::set<std::string> instructions = {
        "variable", "value-of", "text", "if", "choose", "when", "otherwise", "for-each",
        "sort", "element", "attribute", "copy-of", "comment"};
    if (!marks.on(element) || usesAttributeSets(element) ||
        (isXsl(element) ? instructions.count(reinterpret_cast<const char *>(element->name)) == 0
                        : element->ns != nullptr) ||
        (isXsl(element, "variable") && boundName(element) == name))
        return false;
    bool enters = false;
    forEachExpression(element, [&](std::string_view expression, bool) {
        const XPathUse use = xpathUse(expression, false);
        enters = enters || !use.understood ||
                 !std::all_of(use.functions.begin(), use.functions.end(), reachesNothingOfTheStylesheet);
    });
    for (xmlNodePtr child = element->children; !enters && child; child = child->next)
        enters = child->type == XML_ELEMENT_NODE && !entersNoTemplate(child, marks, name);
    return !enters;
}

// The processor counts the variables that are bound as it enters a template, and fails
// past its bound: an unread variable that is bound while no template is entered, in a
// place where the generator put it, may be left out. Another binding of its name in the
// same template fails as written, and so does a sort key or parameter after it: with
// either it stays.
bool leftOutAltogether(xmlNodePtr variable, const GeneratorMarks &marks)
{
    static const std::set<std::string> holders = {"template", "for-each", "if",   "when", "otherwise",
                                                  "element",  "attribute", "copy", "comment"};
    xmlNodePtr parent = variable->parent;
    if (!marks.on(parent) || (isXsl(parent) ? holders.count(reinterpret_cast<const char *>(parent->name)) == 0
                                            : parent->ns != nullptr))
        return false;
    const std::string name = boundName(variable);
    for (xmlNodePtr node = variable; node && !topLevel(node); node = node->parent)
        for (xmlNodePtr before = node->prev; before; before = before->prev)
            if ((isXsl(before, "variable") || isXsl(before, "param")) && boundName(before) == name)
                return false;
    for (xmlNodePtr after = variable->next; after; after = after->next)
        if (after->type == XML_ELEMENT_NODE && (isXsl(after, "sort") || !entersNoTemplate(after, marks, name)))
            return false;
    return true;
}

// An unread variable is left out where that is safe, and else computed as a constant in
// its place, so that the stylesheet is valid or refused as before and binds as many
// variables as before.
bool emptyUnread(Stylesheet &sheet, const GeneratorMarks &marks)
{
    bool changed = false;
    for (xmlNodePtr variable : sheet.locals) {
        if (!marks.onAll(variable) || sheet.reads.count(boundName(variable)) > 0 || !harmless(sheet, variable))
            continue;
        // Nothing it holds is a variable of its own: sheet.locals stays valid.
        if (leftOutAltogether(variable, marks)) {
            removeNode(variable);
            changed = true;
        } else if (variable->children || attribute(variable, "select") != nothing) {
            while (variable->children)
                removeNode(variable->children);
            xmlSetProp(variable, BAD_CAST "select", BAD_CAST nothing);
            changed = true;
        }
    }
    return changed;
}

// The select expression that computes the variable's text, or "" when its value is
// anything but text and xsl:value-of the generator wrote.
std::string textSelect(xmlNodePtr variable, const GeneratorMarks &marks)
{
    if (xmlHasNsProp(variable, BAD_CAST "select", nullptr))
        return {};
    std::vector<std::string> parts;
    bool onlyLiteral = true;
    for (xmlNodePtr child = variable->children; child; child = child->next) {
        std::string part;
        if (ignorable(child))
            continue;
        if (child->type == XML_ELEMENT_NODE && !marks.on(child))
            return {};
        if (isText(child) || isXsl(child, "text")) {
            if (!childrenAreText(child))
                return {};
            if (!xpathLiteral(content(child), part))
                return {};
        } else if (isXsl(child, "value-of") && !child->children && !child->nsDef) {
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

void selectTextVariables(const Stylesheet &sheet, const GeneratorMarks &marks)
{
    for (xmlNodePtr variable : sheet.valueHolders) {
        const auto found = sheet.reads.find(boundName(variable));
        if (!marks.on(variable) || found == sheet.reads.end() || !found->second.allAsText)
            continue;
        const std::string select = textSelect(variable, marks);
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
        if (xmlHasNsProp(node, BAD_CAST "space", XML_XML_NAMESPACE) || spaceKept(node->children))
            return true;
    }
    return false;
}

void prepare(xmlNodePtr root, const GeneratorMarks &marks, const std::function<bool()> &stopped)
{
    const ErrorCollector unreported; // of expressions tried here, which then run as written
    Stylesheet sheet(root);
    while (!sheet.readsUnknown && !stopped() && emptyUnread(sheet, marks))
        sheet.survey();
    if (!sheet.readsUnknown && !stopped())
        selectTextVariables(sheet, marks);
    if (!stopped())
        limitLoops(root, marks, [&](xmlNodePtr element) {
            return isXsl(element, "if") ? harmlessExpression(sheet, element, attribute(element, "test"))
                                        : harmless(sheet, element);
        });
    if (!stopped())
        attributesIntoLiterals(root, marks);
}

void collectOutermostLoops(xmlNodePtr node, const GeneratorMarks &marks, std::vector<xmlNodePtr> &loops)
{
    for (; node; node = node->next) {
        if (isXsl(node, "for-each") && marks.on(node))
            loops.push_back(node);
        else if (node->type == XML_ELEMENT_NODE && !isXsl(node, "for-each"))
            collectOutermostLoops(node->children, marks, loops);
    }
}

} // namespace

std::vector<xmlNodePtr> prepareForRunning(xmlDocPtr stylesheet, const GeneratorMarks &marks,
                                          const std::function<bool()> &stopped)
{
    xmlNodePtr root = stylesheet ? xmlDocGetRootElement(stylesheet) : nullptr;
    // Kept white space would make text that is stripped here count.
    if (isXsl(root) && !spaceKept(root))
        prepare(root, marks, stopped);
    std::vector<xmlNodePtr> loops;
    if (isXsl(root))
        collectOutermostLoops(root->children, marks, loops);
    marks.removeFrom(stylesheet);
    return loops;
}
