#pragma once

#include "platform/xslt/generator_marks.h"

#include <functional>
#include <vector>

// How the built-in processor takes a stylesheet text.
enum class StylesheetForm {
    AsWritten, // exactly as the text says, without the generator's marks
    Running,   // the equivalent prepared by prepareForRunning, which gives the same page
};

// Turns a parsed stylesheet document, before it is compiled, into an equivalent that runs
// faster and gives the same result. It rewrites only elements that carry the marks
// (generator_marks.h), never code the generator did not write, and leaves no mark behind:
// - an unread variable (names compared as expanded names) inside a template, of nothing but
//   marked elements, whose computing can neither fail nor have an effect, is left out when
//   no template is entered while it is bound (the processor bounds the number of variables
//   bound as it enters one) and no other binding of its name meets it; elsewhere it is
//   computed as a constant in its place, so the stylesheet stays as valid as written;
// - a variable holding a result tree of text and xsl:value-of that is only read as a
//   string or a number is computed by select instead;
// - a loop without sort keys whose body is only an xsl:if on "position() < N" (possibly
//   inside further xsl:if elements, after variables) takes that limit as a predicate of its
//   select, when nothing in the loop's own context calls last(), another template, an
//   attribute set or a function of the stylesheet;
// - xsl:attribute elements that open a literal result element with a value of text and
//   xsl:value-of become attribute value templates of that element.
// Anything it does not fully understand stays as written, and so does every variable when
// an expression reads by names its text does not show (dyn:evaluate). The nodes keep their
// line numbers, so messages point at the same lines of the text. Between its passes it
// asks stopped(), and does no more once that says yes: what it did so far is equivalent.
// Gives the generator's outermost loops (xsl:for-each inside no other), at the end of whose
// passes the page may be written as it grows (xslt_page_stream.h).
std::vector<xmlNodePtr> prepareForRunning(xmlDocPtr stylesheet, const GeneratorMarks &marks,
                                          const std::function<bool()> &stopped);
