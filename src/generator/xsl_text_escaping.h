#pragma once

#include <QString>

// Typed text made safe for the place the generator writes it. Character and entity references
// the user typed ("&lt;", "&amp;", "&#39;") are kept, so stored texts keep their meaning.

// Inside an apostrophe-quoted attribute of an XSLT instruction (select, test, href).
QString attributeText(const QString &text);
// Inside an apostrophe-quoted attribute of a literal result element, where braces would
// otherwise be evaluated as attribute value templates.
QString literalAttributeText(const QString &text);
// As element content where the user's markup stays markup: a '&' that starts no reference,
// a '<' that starts no markup and the '>' of a "]]>" in the text are escaped; comments, CDATA
// sections and processing instructions are kept as they stand.
QString markupText(const QString &text);
// Markup with every occurrence of reference replaced by an XPath string literal of value
// (which holds no quote), quoted to fit where it stands: between apostrophes within an
// attribute value the markup quotes with quotation marks, else between quotation marks.
QString withXpathString(const QString &markup, const QString &reference, const QString &value);
// The comment, CDATA section or processing instruction that opens at the place, whose content
// is no markup: where it ends, past its close or at the text's end when it is never closed;
// end -1 when none opens there.
struct OpaqueMarkup {
    qsizetype end = -1;
    bool closed = false;
};
OpaqueMarkup opaqueMarkupAt(QStringView text, qsizetype at);
// The length of the character or entity reference that starts at the place, 0 when none does.
qsizetype referenceLength(const QString &text, qsizetype at);
// Inside a CDATA section.
QString cdataText(const QString &text);
// Inside a comment.
QString commentText(const QString &text);
