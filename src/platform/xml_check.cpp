#include "platform/xml_check.h"

#include "platform/xml_library.h"
#include "platform/xml_parse.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

namespace {

void keepFirstError(void *data, xmlErrorPtr error)
{
    auto *first = static_cast<FirstXmlError *>(data);
    if (first->seen || error == nullptr || error->level < XML_ERR_ERROR)
        return;
    first->seen = true;
    first->error.reason = QString::fromUtf8(error->message ? error->message : "").trimmed();
    first->error.line = error->line;
    first->error.column = error->int2;
    first->detail = error->int1;
}

} // namespace

FirstXmlError::FirstXmlError()
{
    initXmlLibrary();
    previousContext = xmlStructuredErrorContext;
    previousHandler = xmlStructuredError;
    xmlSetStructuredErrorFunc(this, keepFirstError);
}

FirstXmlError::~FirstXmlError() { xmlSetStructuredErrorFunc(previousContext, previousHandler); }

xmlDocPtr parseXmlText(const QString &text, int options, XmlParseError &error)
{
    const QByteArray bytes = text.toUtf8();
    const FirstXmlError first;
    xmlDocPtr doc = xmlReadMemory(bytes.constData(), int(bytes.size()), "text.xml", "UTF-8",
                                  options | XML_PARSE_NONET);
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
