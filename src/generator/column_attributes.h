#pragma once

#include <QString>

// Readers of a column's attributes by name. Only the first 300 positions are searched.

// The stored Xpath or XSL code of the named attribute; "" when there is none.
QString getThatAtt(const QString &column, const QString &name);
// True when the named attribute is computed by the user's XSL code, not mapped to an Xpath.
bool isXslCalculated(const QString &column, const QString &name);
// The named attribute's code relative to the context, cut before its first "[".
QString getThatAttCode(const QString &column, const QString &name, const QString &context);

// The column's attributes that its type does not consume, as xsl:attribute elements,
// followed by the value text ("value" of a "Web Link" replaces it when not blank).
QString getAttributes(const QString &column, const QString &valueText, const QString &type,
                      const QString &context);
