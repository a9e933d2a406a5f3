#pragma once

#include <QString>

// Typed text made safe for the place the generator writes it. Character and entity references
// the user typed ("&lt;", "&amp;", "&#39;") are kept, so stored texts keep their meaning.

// Inside an apostrophe-quoted attribute of an XSLT instruction (select, test, href).
QString attributeText(const QString &text);
// Inside an apostrophe-quoted attribute of a literal result element, where braces would
// otherwise be evaluated as attribute value templates.
QString literalAttributeText(const QString &text);
// As element content where the user's markup stays markup: only a '&' that starts no
// reference and a '<' that starts no markup are escaped.
QString markupText(const QString &text);
// The length of the character or entity reference that starts at the place, 0 when none does.
qsizetype referenceLength(const QString &text, qsizetype at);
// Inside a CDATA section.
QString cdataText(const QString &text);
// Inside a comment.
QString commentText(const QString &text);
