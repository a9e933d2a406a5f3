#include "support/parsed_html.h"

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>

QString parsedHtml(const QString &html)
{
    const QByteArray bytes = html.toUtf8();
    htmlDocPtr doc = htmlReadMemory(bytes.constData(), int(bytes.size()), nullptr, "UTF-8",
                                    HTML_PARSE_NOBLANKS | HTML_PARSE_NOERROR |
                                        HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
    if (!doc)
        return QStringLiteral("<unparsable>");
    xmlChar *out = nullptr;
    int size = 0;
    htmlDocDumpMemoryFormat(doc, &out, &size, 0);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(out), size);
    xmlFree(out);
    xmlFreeDoc(doc);
    return text;
}
