#pragma once

#include "platform/xslt/generator_marks.h"

#include <libxml/tree.h>

#include <functional>

// True when computing the variable, or the test of the xsl:if, can neither fail nor have
// an effect.
using Harmless = std::function<bool(xmlNodePtr element)>;

// In the stylesheet under node, a loop the generator wrote, without sort keys, whose body is
// only an xsl:if on "position() < N" the generator wrote (possibly inside further xsl:if
// elements with harmless tests, after harmless variables) also takes that limit as a
// predicate of its select, when nothing in the loop's own context calls last(), another
// template or an attribute set: the rows past the limit are not visited.
void limitLoops(xmlNodePtr node, const GeneratorMarks &marks, const Harmless &harmless);
