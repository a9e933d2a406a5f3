#pragma once

#include <QString>
#include <optional>

// Why an Xpath expression does not compile, and where its parser stopped.
struct XpathSyntaxError {
    QString reason;
    int offset = 0; // characters into the expression
};

// The expression as an attribute of the stylesheet holds it: its character and entity
// references stand for their characters. nullopt when libxml2 compiles it; what its
// functions, variables and prefixes name is left to the stylesheet.
std::optional<XpathSyntaxError> checkXpathSyntax(const QString &attributeText);
