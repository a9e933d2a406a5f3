#include "platform/xml/xml_error_words.h"

#include <libxml/xmlerror.h>

namespace {

QString quoted(const QString &text) { return QChar('"') + text + QChar('"'); }

// "on line 4", or, for a line before the piece counted (a wrapper's), "before it".
QString ofLine(int line)
{
    return line > 0 ? QStringLiteral("on line ") + QString::number(line)
                    : QStringLiteral("before it");
}

QString ampersandWords(const XmlParseError &error)
{
    if (error.message.contains(QLatin1String("StartTag")))
        return QStringLiteral("A \"<\" that begins no tag: write a \"<\" in text as \"&lt;\".");
    if (error.message.contains(QLatin1String("EntityRef")))
        return QStringLiteral("A \"&\" that begins no reference: write a \"&\" in text as "
                              "\"&amp;\".");
    return error.message;
}

QString characterWords(const XmlParseError &error)
{
    if (error.message.startsWith(QLatin1String("Input is not proper")))
        return QStringLiteral("The file is not UTF-8 text, and its XML declaration names no other "
                              "encoding.");
    return QStringLiteral("A character that XML does not allow (a control character) is here.");
}

// libxml2 names an element left open by its local name, without a prefix.
QString elementWords(const XmlParseError &error)
{
    const QString element = QStringLiteral("the element ") + quoted(error.name) +
                            QStringLiteral(" begun ") + ofLine(error.openLine);
    switch (error.code) {
    case XML_ERR_TAG_NAME_MISMATCH:
        return QStringLiteral("The end tag </") + error.otherName +
               QStringLiteral("> does not close ") + element + QChar('.');
    case XML_ERR_TAG_NOT_FINISHED:
        return QStringLiteral("Nothing closes ") + element + QChar('.');
    default:
        break;
    }
    if (error.name.isEmpty())
        return QStringLiteral("A \">\" is missing here.");
    return QStringLiteral("The start tag of ") + element +
           QStringLiteral(" does not end with \">\".");
}

QString attributeWords(const XmlParseError &error)
{
    switch (error.code) {
    case XML_ERR_LT_IN_ATTRIBUTE:
        return QStringLiteral("An attribute value holds a \"<\", or its closing quote is missing: "
                              "write a \"<\" in a value as \"&lt;\".");
    case XML_ERR_ATTRIBUTE_NOT_STARTED:
        return QStringLiteral("An attribute value is not in quotes: write it as name=\"value\".");
    case XML_ERR_ATTRIBUTE_WITHOUT_VALUE:
        return QStringLiteral("The attribute ") + quoted(error.name) +
               QStringLiteral(" has no value: write it as ") + error.name +
               QStringLiteral("=\"value\".");
    default:
        break;
    }
    return QStringLiteral("The attribute ") + quoted(error.name) +
           QStringLiteral(" is written twice in one element.");
}

QString documentWords(const XmlParseError &error)
{
    switch (error.code) {
    case XML_ERR_DOCUMENT_EMPTY:
        return QStringLiteral("No root element begins here: an XML document begins with \"<\" "
                              "and its root element.");
    case XML_ERR_DOCUMENT_END:
        return QStringLiteral("Something follows the end of the root element: an XML document "
                              "has exactly one root element.");
    case XML_ERR_RESERVED_XML_NAME:
        return QStringLiteral("The XML declaration \"<?xml ...?>\" must come first in the file, "
                              "with nothing before it, not even a blank.");
    default:
        break;
    }
    return QStringLiteral("The text holds \"]]>\", which outside a CDATA section is written "
                          "\"]]&gt;\".");
}

QString referenceWords(const XmlParseError &error)
{
    if (error.code == XML_ERR_ENTITYREF_SEMICOL_MISSING)
        return QStringLiteral("A reference that begins with \"&\" does not end with \";\": write a "
                              "\"&\" in text as \"&amp;\".");
    return QStringLiteral("The entity \"&") + error.name +
           QStringLiteral(";\" is not defined: XML itself knows only &amp; &lt; &gt; &quot; and "
                          "&apos;, and a character can be written by its number, as &#160;.");
}

QString parserWords(const XmlParseError &error)
{
    switch (error.code) {
    case XML_ERR_NAME_REQUIRED:
        return ampersandWords(error);
    case XML_ERR_INVALID_CHAR:
        return characterWords(error);
    case XML_ERR_TAG_NAME_MISMATCH:
    case XML_ERR_TAG_NOT_FINISHED:
    case XML_ERR_GT_REQUIRED:
        return elementWords(error);
    case XML_ERR_LT_IN_ATTRIBUTE:
    case XML_ERR_ATTRIBUTE_NOT_STARTED:
    case XML_ERR_ATTRIBUTE_WITHOUT_VALUE:
    case XML_ERR_ATTRIBUTE_REDEFINED:
        return attributeWords(error);
    case XML_ERR_DOCUMENT_EMPTY:
    case XML_ERR_DOCUMENT_END:
    case XML_ERR_RESERVED_XML_NAME:
    case XML_ERR_MISPLACED_CDATA_END:
        return documentWords(error);
    case XML_ERR_ENTITYREF_SEMICOL_MISSING:
    case XML_ERR_UNDECLARED_ENTITY:
    case XML_WAR_UNDECLARED_ENTITY:
        return referenceWords(error);
    case XML_ERR_COMMENT_NOT_FINISHED:
        return QStringLiteral("A comment is not closed with \"-->\".");
    case XML_ERR_HYPHEN_IN_COMMENT:
        return QStringLiteral("A comment holds \"--\", which XML does not allow inside a comment.");
    default:
        break;
    }
    return error.message;
}

} // namespace

QString xmlErrorWords(const XmlParseError &error)
{
    if (error.domain == XML_FROM_NAMESPACE && error.code == XML_NS_ERR_UNDEFINED_NAMESPACE)
        return QStringLiteral("The prefix ") + quoted(error.name) +
               QStringLiteral(" is not declared: no xmlns:") + error.name +
               QStringLiteral("=\"...\" is in force here.");
    if (error.domain == XML_FROM_PARSER)
        return parserWords(error);
    return error.message;
}
