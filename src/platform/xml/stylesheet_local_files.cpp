#include "platform/xml/stylesheet_local_files.h"

#include "platform/xml/xml_library.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <libxml/parser.h>
#include <libxslt/xsltInternals.h>

namespace {

constexpr int parseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

struct Reads {
    QStringList stylesheets;
    QStringList documents;
};

QString text(const xmlChar *value) { return QString::fromUtf8(reinterpret_cast<const char *>(value)); }

bool isStylesheetLink(xmlNodePtr element, xmlAttrPtr attribute)
{
    return element->ns && xmlStrEqual(element->ns->href, XSLT_NAMESPACE) &&
           (xmlStrEqual(element->name, BAD_CAST "import") ||
            xmlStrEqual(element->name, BAD_CAST "include")) &&
           !attribute->ns && xmlStrEqual(attribute->name, BAD_CAST "href");
}

void addDocumentLiterals(const QString &value, QStringList &documents)
{
    static const QRegularExpression call(QStringLiteral(R"(\bdocument\s*\(\s*(['"])([^'"]*)\1)"));
    for (QRegularExpressionMatchIterator it = call.globalMatch(value); it.hasNext();)
        documents.append(it.next().captured(2));
}

void collect(xmlNodePtr node, Reads &reads)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        for (xmlAttrPtr a = node->properties; a; a = a->next) {
            xmlChar *value = xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(a));
            if (isStylesheetLink(node, a))
                reads.stylesheets.append(text(value));
            else
                addDocumentLiterals(text(value), reads.documents);
            xmlFree(value);
        }
        collect(node->children, reads);
    }
}

// What a parsed stylesheet reads; the document is freed.
Reads readsOf(xmlDocPtr doc)
{
    Reads reads;
    if (!doc)
        return reads;
    collect(xmlDocGetRootElement(doc), reads);
    xmlFreeDoc(doc);
    return reads;
}

// The regular file an href names from the stylesheet at base; "" for none.
QString localFile(const QString &href, const QString &base)
{
    const QUrl url = QUrl::fromLocalFile(base).resolved(QUrl(href));
    if (!url.isLocalFile())
        return {};
    const QString path = QDir::cleanPath(url.toLocalFile());
    return path != QDir::cleanPath(base) && QFileInfo(path).isFile() ? path : QString();
}

class Walk {
public:
    QStringList found;

    void follow(const Reads &reads, const QString &base)
    {
        for (const QString &href : reads.stylesheets) {
            const QString path = localFile(href, base);
            if (add(path)) // read as the transform reads it: regular files only
                follow(readsOf(xmlReadFile(QFile::encodeName(path).constData(), nullptr,
                                           parseOptions)),
                       path);
        }
        for (const QString &href : reads.documents)
            add(localFile(href, base));
    }

private:
    bool add(const QString &path)
    {
        if (path.isEmpty() || found.contains(path))
            return false;
        found.append(path);
        return true;
    }
};

} // namespace

QStringList localFilesRead(const QString &xslText, const QString &xslPath)
{
    initXmlLibrary();
    const QByteArray bytes = xslText.toUtf8();
    Walk walk;
    walk.follow(readsOf(xmlReadMemory(bytes.constData(), int(bytes.size()), "stylesheet.xsl",
                                      "UTF-8", parseOptions)),
                xslPath);
    return walk.found;
}
