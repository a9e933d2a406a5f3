#pragma once

#include <QString>
#include <optional>

// The first well-formedness error libxml2 finds in a text.
struct XmlParseError {
    QString reason; // in plain words (xmlErrorWords), without a trailing line break
    int line = 0;   // 1-based line of the error, 0 when unknown
    int column = 0; // 1-based character column in that line, 0 when unknown
    // What the words are made of, so that they can be told again with the lines counted
    // from elsewhere.
    int domain = 0;
    int code = 0;
    QString message; // libxml2's own words
    QString name;      // the element, attribute, entity or prefix the error is about
    QString otherName; // the end tag of a mismatch, the element of a prefix
    int openLine = 0;  // the line of the start tag an end-of-element error is about
};

// The error of a piece of text parsed inside a wrapper, told of the piece alone: its lines
// counted from the piece's first line (firstLine of the whole), and, when the parser stopped
// past the piece at the wrapper's end tag, an element of the piece left open told as not
// closed.
XmlParseError withinPiece(const XmlParseError &error, int firstLine, bool pastThePiece);

// Parses the text (UTF-8, no network, no entity expansion); nullopt when it is
// well-formed.
std::optional<XmlParseError> checkWellFormed(const QString &text);
