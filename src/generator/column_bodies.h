#pragma once

#include "generator/column_context.h"

#include <QString>
#include <QStringList>

struct GeneratorRun;

// Writes what the column's type puts inside its column loop.
void writeColumnBody(GeneratorRun &run, const ColumnContext &column);
// Whether the type's body is written once per node of the column's Xpath; a Select is
// written once per row.
bool loopsOverColumnNodes(const QString &type);
bool isHtmlSegment(const QString &type);
// The script, written after the table, that repairs the escaped markup of every item of its
// "Text (HTML segment)" columns (ids r_<instance>_<row>_<table>_<column>_<item>) once the
// table is read: one script for the table, not one for each item, which would hold the
// engine's parser for every cell. "" when there are no such columns.
QString segmentFixScript(const QString &tableName, const QStringList &segmentColumns);
