#pragma once

#include <functional>

struct _xmlDoc;

// How the built-in processor takes a stylesheet text.
enum class StylesheetForm {
    AsWritten, // exactly as the text says, without the generator's marks
    Running,   // the equivalent prepared by prepareForRunning, which gives the same page
};

// Turns a parsed stylesheet document, before it is compiled, into an equivalent that runs
// faster and gives the same result. It rewrites only elements the generator marked
// (generator_marks.h), never code it did not write, and leaves no mark behind:
// - an unread variable (names compared as expanded names) inside a template, of nothing but
//   marked elements, is computed as a constant, when computing it can neither fail nor have
//   an effect; it keeps its place, so the stylesheet stays as valid as written;
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
void prepareForRunning(_xmlDoc *stylesheet, const std::function<bool()> &stopped);
