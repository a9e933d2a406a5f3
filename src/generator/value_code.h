#pragma once

#include <QString>

// What one attribute of a column yields in a stylesheet.
struct ColumnValue {
    QString attName; // the attribute's name, "" when there is none at that position
    QString code;    // an xsl:value-of of its (relative) Xpath, or its own XSL code
    QString rawXpath; // the absolute Xpath or the XSL code as stored
};

// The attribute at the 1-based index among the column's attributes. With a context
// Xpath the mapped Xpath is made relative to it (and cut before its first "[" when
// cutPredicate is set).
ColumnValue columnValueCode(const QString &column, int index, const QString &ctxXpath,
                            bool cutPredicate);
// The same for the column's attribute of that name, which the caller has found.
ColumnValue attributeValueCode(const QString &column, const QString &attName,
                               const QString &ctxXpath, bool cutPredicate);

// The target Xpath as seen from the context Xpath.
QString relativeXpath(const QString &ctx, const QString &target);
