#include "platform/xml_format.h"

#include "platform/xml_check.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

XmlFormatResult formatXml(const QString &text)
{
    XmlFormatResult result;
    if (const auto error = checkWellFormed(text)) {
        result.error = error->reason;
        return result;
    }
    const QByteArray bytes = text.toUtf8();
    xmlDocPtr doc = xmlReadMemory(bytes.constData(), int(bytes.size()), "tmp-xmlfile.xml",
                                  "UTF-8", XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR
                                               | XML_PARSE_NOWARNING);
    if (!doc) {
        result.error = QStringLiteral("The document could not be parsed.");
        return result;
    }
    doc->standalone = 1;
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
