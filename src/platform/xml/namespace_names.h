#pragma once

#include <libxml/tree.h>

#include <string>
#include <string_view>

// A parse that substitutes no entities keeps each "&" of an attribute value or a namespace
// name as the text "&#38;", where one that substitutes them (xsltproc's) reads "&", and
// libxml2 writes a namespace name as it stands, unescaped.

// The parser kept an "&" of the name as "&#38;".
bool keepsAmpersand(std::string_view parsed);
// The text as the document means it: each "&#38;" the parser kept is "&" again.
std::string withAmpersandsBack(std::string_view parsed);
// Gives every namespace declared in the document its "&" back, so both parses read the same
// names.
void restoreNamespaceAmpersands(xmlDocPtr doc);
// Makes every namespace name declared in the parsed document the text that writes it:
// "&amp;" for each "&", "&lt;" for each "<". The document is then fit only for writing.
void escapeNamespaceNamesForWriting(xmlDocPtr doc);
