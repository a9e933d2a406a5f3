#pragma once

#include "platform/xml_check.h"

#include <QString>
#include <libxml/tree.h>

// Parses a text (UTF-8, no network, no entity expansion) with the extra libxml2 options;
// the first error goes into error. Returns the document (free it with xmlFreeDoc), or
// nullptr when the text is not well-formed.
xmlDocPtr parseXmlText(const QString &text, int options, XmlParseError &error);
