#include "platform/xml_check.h"

#include "platform/xml_library.h"
#include "platform/xml_parse.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

namespace {

struct FirstError {
    bool seen = false;
    XmlParseError error;
};

void keepFirstError(void *data, xmlErrorPtr error)
{
    auto *first = static_cast<FirstError *>(data);
    if (first->seen || error == nullptr || error->level < XML_ERR_ERROR)
        return;
    first->seen = true;
    first->error.reason = QString::fromUtf8(error->message ? error->message : "").trimmed();
    first->error.line = error->line;
    first->error.column = error->int2;
}

} // namespace

xmlDocPtr parseXmlText(const QString &text, int options, XmlParseError &error)
{
    initXmlLibrary();
    const QByteArray bytes = text.toUtf8();
    FirstError first;
    void *previousContext = xmlStructuredErrorContext;
    const xmlStructuredErrorFunc previousHandler = xmlStructuredError;
    xmlSetStructuredErrorFunc(&first, keepFirstError);
    xmlDocPtr doc = xmlReadMemory(bytes.constData(), int(bytes.size()), "text.xml", "UTF-8",
                                  options | XML_PARSE_NONET);
    xmlSetStructuredErrorFunc(previousContext, previousHandler);
    if (doc && !first.seen)
        return doc;
    if (doc)
        xmlFreeDoc(doc);
    error = first.error;
    if (!first.seen)
        error.reason = QStringLiteral("The document could not be parsed.");
    return nullptr;
}

std::optional<XmlParseError> checkWellFormed(const QString &text)
{
    XmlParseError error;
    xmlDocPtr doc = parseXmlText(text, 0, error);
    if (!doc)
        return error;
    xmlFreeDoc(doc);
    return std::nullopt;
}
