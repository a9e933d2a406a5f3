#pragma once

#include "documents/interface_text.h"

#include <QList>
#include <QString>

// The translation template of a Table Interface: XSL that rebuilds XML shaped like the
// table's own XML from the nodes a calling table maps onto the items. Each element item
// becomes an xsl:for-each over "$interface_xpath_for_" + name holding its element and an
// xsl:value-of of "$interface_text_for_" + name; an attribute item becomes an
// xsl:attribute of the element item opened last. Items nest by their "...." levels, each
// path taken relative to its parent item's; levels beyond 100 count as 100.

// The translation body of the items.
QString translationBody(const QList<InterfaceItem> &items);
// The body in a stylesheet whose template is "interface_" + the table's name,
// re-indented (as built when it is not well-formed).
QString translationStylesheet(const QString &body, const QString &tableName);

// Appends the opening or the closing fragment of one item whose path relative to its
// parent is path. Paths with "::" or "." give nothing.
void pathTo(QString &body, const QString &path, bool closing, const QString &forEach,
            const QString &itemName);
// Inserts the fragment just before the last occurrence of the marker; without one the
// body stays as it is.
void fitAttribute(QString &body, const QString &fragment, const QString &marker);
