#include "platform/xml/xpath_check.h"

#include "platform/xml/xml_parse.h"

#include <libxml/xpath.h>

#include <memory>

namespace {

// The attribute's value as the stylesheet's parser reads it.
std::optional<QByteArray> attributeValue(const QString &attributeText, XpathSyntaxError &error)
{
    XmlParseError parseError;
    const std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
        parseXmlText(QStringLiteral("<x a='") + attributeText + QStringLiteral("'/>"), 0, parseError),
        xmlFreeDoc);
    if (!doc) {
        error.reason = parseError.reason;
        return std::nullopt;
    }
    xmlChar *value = xmlGetProp(xmlDocGetRootElement(doc.get()), BAD_CAST "a");
    const QByteArray bytes(reinterpret_cast<const char *>(value));
    xmlFree(value);
    return bytes;
}

} // namespace

std::optional<XpathSyntaxError> checkXpathSyntax(const QString &attributeText)
{
    XpathSyntaxError error;
    const std::optional<QByteArray> expression = attributeValue(attributeText, error);
    if (!expression)
        return error;
    const FirstXmlError first;
    const std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(
        xmlXPathNewContext(nullptr), xmlXPathFreeContext);
    xmlXPathCompExprPtr compiled =
        context ? xmlXPathCtxtCompile(context.get(), BAD_CAST expression->constData()) : nullptr;
    xmlXPathFreeCompExpr(compiled);
    if (compiled)
        return std::nullopt;
    error.reason = first.seen ? first.error.reason : QStringLiteral("Invalid expression");
    error.offset = int(QString::fromUtf8(expression->left(first.detail)).size());
    return error;
}
