#include "platform/xml/namespace_names.h"

namespace {

const std::string_view keptAmpersand = "&#38;";

// Each occurrence of the text replaced, left to right.
std::string replaced(std::string_view text, std::string_view what, std::string_view by)
{
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0;;) {
        const size_t found = text.find(what, at);
        out.append(text.substr(at, found == std::string_view::npos ? found : found - at));
        if (found == std::string_view::npos)
            return out;
        out.append(by);
        at = found + what.size();
    }
}

using Rewrite = std::string (*)(std::string_view href);

void rewriteDeclared(xmlNsPtr ns, Rewrite rewrite)
{
    for (; ns; ns = ns->next) {
        if (!ns->href)
            continue;
        const std::string_view href(reinterpret_cast<const char *>(ns->href));
        const std::string written = rewrite(href);
        if (written == href)
            continue;
        xmlFree(const_cast<xmlChar *>(ns->href));
        ns->href = xmlStrdup(reinterpret_cast<const xmlChar *>(written.c_str()));
    }
}

// Depth first without recursion: documents may nest deeply.
void rewriteNamespaces(xmlDocPtr doc, Rewrite rewrite)
{
    xmlNodePtr node = doc ? xmlDocGetRootElement(doc) : nullptr;
    while (node) {
        if (node->type == XML_ELEMENT_NODE) {
            rewriteDeclared(node->nsDef, rewrite);
            if (node->children) {
                node = node->children;
                continue;
            }
        }
        while (node && !node->next)
            node = node->parent == reinterpret_cast<xmlNodePtr>(doc) ? nullptr : node->parent;
        if (node)
            node = node->next;
    }
}

} // namespace

bool keepsAmpersand(std::string_view parsed) { return parsed.find(keptAmpersand) != std::string_view::npos; }

std::string withAmpersandsBack(std::string_view parsed) { return replaced(parsed, keptAmpersand, "&"); }

void restoreNamespaceAmpersands(xmlDocPtr doc) { rewriteNamespaces(doc, withAmpersandsBack); }

void escapeNamespaceNamesForWriting(xmlDocPtr doc)
{
    rewriteNamespaces(doc, [](std::string_view href) {
        return replaced(replaced(href, "<", "&lt;"), keptAmpersand, "&amp;");
    });
}
