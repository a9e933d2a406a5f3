#pragma once

#include <QString>
#include <optional>

// The first well-formedness error libxml2 finds in a text.
struct XmlParseError {
    QString reason; // the parser's message, without its trailing line break
    int line = 0;   // 1-based line of the error, 0 when unknown
    int column = 0; // 1-based character column in that line, 0 when unknown
};

// Parses the text (UTF-8, no network, no entity expansion); nullopt when it is
// well-formed.
std::optional<XmlParseError> checkWellFormed(const QString &text);
