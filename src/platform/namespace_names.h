#pragma once

#include <libxml/tree.h>

// A parse that substitutes no entities keeps each "&" of a namespace name as the text
// "&#38;", where one that substitutes them (xsltproc's) reads "&", and libxml2 writes a
// namespace name as it stands, unescaped.

// Gives every namespace declared in the document its "&" back, so both parses read the same
// names.
void restoreNamespaceAmpersands(xmlDocPtr doc);
// Makes every namespace name declared in the parsed document the text that writes it:
// "&amp;" for each "&", "&lt;" for each "<". The document is then fit only for writing.
void escapeNamespaceNamesForWriting(xmlDocPtr doc);
