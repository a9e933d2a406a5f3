#include "platform/xml_check.h"

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

std::optional<XmlParseError> checkWellFormed(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    FirstError first;
    void *previousContext = xmlStructuredErrorContext;
    const xmlStructuredErrorFunc previousHandler = xmlStructuredError;
    xmlSetStructuredErrorFunc(&first, keepFirstError);
    xmlDocPtr doc = xmlReadMemory(bytes.constData(), int(bytes.size()), "tmp-file.xml", "UTF-8",
                                  XML_PARSE_NONET);
    xmlSetStructuredErrorFunc(previousContext, previousHandler);
    if (doc)
        xmlFreeDoc(doc);
    if (doc && !first.seen)
        return std::nullopt;
    if (!first.seen)
        first.error.reason = QStringLiteral("The document could not be parsed.");
    return first.error;
}
