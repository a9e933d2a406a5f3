#pragma once

#include "platform/xml/xml_check.h"

#include <QString>
#include <optional>

// The outcome of checking a code snippet; on failure, the text the editor should select.
struct XslSyntaxResult {
    bool ok = true;
    QString reason;
    int selectionStart = 0;  // in the snippet
    int selectionLength = 0; // the faulty line, cut at the end of the snippet
};

// Whether the snippet is well-formed inside the current table's stylesheet header (its
// namespaces, imports and input parameters) and a template. A failure is shown as
// "Syntax error in the XSL code in ", the field as messages name it (for example "XSL Code"
// of column "price" (attribute "value")), ": " and the parser's reason.
XslSyntaxResult checkXslSyntax(const QString &code, const QString &field);
// Whether the Xpath compiles as the stylesheet holds it; a blank one does. A failure is shown
// as "Syntax error in the Xpath in ", the field, ": " and the reason.
XslSyntaxResult checkXpathSyntaxOf(const QString &xpath, const QString &field);

// The text that check parses: the current table's stylesheet header and a template start,
// then the snippet and the ends of both.
QString snippetPrefix();
QString snippetDocument(const QString &prefix, const QString &code);

// Where a snippet fails inside that text, told of the snippet alone: the error with its
// lines counted in the snippet, and the faulty line's place in it.
struct SnippetFault {
    XmlParseError error;
    qsizetype start = 0;  // the error point in the snippet
    qsizetype length = 0; // from there to the end of its line, cut at the end of the snippet
};
std::optional<SnippetFault> snippetFault(const QString &prefix, const QString &code);
