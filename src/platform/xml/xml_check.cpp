#include "platform/xml/xml_check.h"

#include "platform/xml/xml_error_words.h"
#include "platform/xml/xml_library.h"
#include "platform/xml/xml_parse.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

namespace {

void keepFirstError(void *data, xmlErrorPtr error)
{
    auto *first = static_cast<FirstXmlError *>(data);
    if (first->seen || error == nullptr || error->level < XML_ERR_ERROR)
        return;
    first->seen = true;
    first->error = xmlParseErrorOf(*error);
    first->detail = error->int1;
}

QString text(const char *characters) { return QString::fromUtf8(characters ? characters : ""); }

} // namespace

XmlParseError xmlParseErrorOf(const xmlError &error)
{
    XmlParseError kept;
    kept.line = error.line;
    kept.column = error.int2;
    kept.domain = error.domain;
    kept.code = error.code;
    kept.message = text(error.message).trimmed();
    kept.name = text(error.str1);
    kept.otherName = text(error.str2);
    kept.openLine = error.int1;
    kept.reason = xmlErrorWords(kept);
    return kept;
}

XmlParseError withinPiece(const XmlParseError &error, int firstLine, bool pastThePiece)
{
    XmlParseError piece = error;
    const int shift = firstLine - 1;
    if (piece.line > 0)
        piece.line -= shift;
    if (error.code == XML_ERR_TAG_NAME_MISMATCH || error.code == XML_ERR_TAG_NOT_FINISHED ||
        error.code == XML_ERR_GT_REQUIRED)
        piece.openLine -= shift;
    if (pastThePiece && error.code == XML_ERR_TAG_NAME_MISMATCH)
        piece.code = XML_ERR_TAG_NOT_FINISHED;
    piece.reason = xmlErrorWords(piece);
    return piece;
}

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
