#include "platform/namespace_names.h"

#include <QByteArray>

namespace {

using Rewrite = void (*)(QByteArray &href);

void rewriteDeclared(xmlNsPtr ns, Rewrite rewrite)
{
    for (; ns; ns = ns->next) {
        QByteArray href(reinterpret_cast<const char *>(ns->href));
        const QByteArray was = href;
        rewrite(href);
        if (href == was)
            continue;
        xmlFree(const_cast<xmlChar *>(ns->href));
        ns->href = xmlStrdup(reinterpret_cast<const xmlChar *>(href.constData()));
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

void restoreNamespaceAmpersands(xmlDocPtr doc)
{
    rewriteNamespaces(doc, [](QByteArray &href) { href.replace("&#38;", "&"); });
}

void escapeNamespaceNamesForWriting(xmlDocPtr doc)
{
    rewriteNamespaces(doc, [](QByteArray &href) {
        href.replace("<", "&lt;");
        href.replace("&#38;", "&amp;");
    });
}
