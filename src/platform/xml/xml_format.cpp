#include "platform/xml/xml_format.h"

#include "platform/xml/namespace_names.h"
#include "platform/xml/xml_parse.h"

#include <libxml/parser.h>

XmlFormatResult formatXml(const QString &text)
{
    XmlFormatResult result;
    XmlParseError error;
    xmlDocPtr doc = parseXmlText(text, XML_PARSE_NOBLANKS, error);
    if (!doc) {
        result.error = error.reason;
        return result;
    }
    doc->standalone = 1;
    escapeNamespaceNamesForWriting(doc);
    xmlChar *out = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc, &out, &size, "UTF-8", 1);
    xmlFreeDoc(doc);
    if (!out) {
        result.error = QStringLiteral("The document could not be written.");
        return result;
    }
    result.text = QString::fromUtf8(reinterpret_cast<const char *>(out), size);
    xmlFree(out);
    if (result.text.endsWith(QChar('\n')))
        result.text.chop(1);
    result.ok = true;
    return result;
}
