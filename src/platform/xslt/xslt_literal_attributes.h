#pragma once

#include "platform/xslt/generator_marks.h"

#include <libxml/tree.h>

// In the stylesheet under root, xsl:attribute elements that open a literal result element
// and whose value is only text and xsl:value-of, all written by the generator, become attribute value templates of that
// element, after its own attributes: the same attributes in the same order, made without
// building their value as a result tree first.
void attributesIntoLiterals(xmlNodePtr root, const GeneratorMarks &marks);
