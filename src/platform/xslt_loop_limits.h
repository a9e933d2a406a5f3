#pragma once

#include <libxml/tree.h>

#include <functional>

// True when computing the variable can neither fail nor have an effect.
using HarmlessVariable = std::function<bool(xmlNodePtr variable)>;

// In the stylesheet under node, a loop without sort keys whose body is only an xsl:if on
// "position() < N" (possibly inside further xsl:if elements, after harmless variables)
// also takes that limit as a predicate of its select, when nothing in the loop's own
// context calls last() or another template: the rows past the limit are not visited.
void limitLoops(xmlNodePtr node, const HarmlessVariable &harmless);
