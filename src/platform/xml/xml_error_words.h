#pragma once

#include "platform/xml/xml_check.h"

#include <QString>

// What is wrong, in plain words for the errors a hand-written document or piece of code
// commonly has ("A \"&\" that begins no reference ..." for libxml2's "xmlParseEntityRef: no
// name"); libxml2's own words for the others.
QString xmlErrorWords(const XmlParseError &error);
