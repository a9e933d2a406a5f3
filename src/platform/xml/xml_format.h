#pragma once

#include <QString>

// The outcome of re-indenting an XML text.
struct XmlFormatResult {
    bool ok = false;
    QString text;  // the indented document, with an XML declaration naming UTF-8
    QString error; // the parser's reason when the text is not well-formed
};

// Parses the text and writes it again one element per line, indented by nesting.
// Comments and CDATA sections keep their content; whitespace-only text between elements
// is dropped (except inside otherwise empty elements).
XmlFormatResult formatXml(const QString &text);
