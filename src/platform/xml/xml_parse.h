#pragma once

#include "platform/xml/xml_check.h"

#include <QString>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

// While it lives, keeps the first error libxml2 reports on this thread instead of printing
// it; the handler that was set before comes back when it ends.
class FirstXmlError {
public:
    FirstXmlError();
    ~FirstXmlError();
    FirstXmlError(const FirstXmlError &) = delete;
    FirstXmlError &operator=(const FirstXmlError &) = delete;

    bool seen = false;
    XmlParseError error;
    int detail = 0; // the error's first number: an Xpath parser's offset in its expression

private:
    void *previousContext = nullptr;
    xmlStructuredErrorFunc previousHandler = nullptr;
};

// The error as the program keeps and tells it.
XmlParseError xmlParseErrorOf(const xmlError &error);

// Parses a text (UTF-8, no network, no entity expansion) with the extra libxml2 options;
// the first error goes into error. Returns the document (free it with xmlFreeDoc), or
// nullptr when the text is not well-formed.
xmlDocPtr parseXmlText(const QString &text, int options, XmlParseError &error);
