#pragma once

#include "generator/column_context.h"

#include <QString>

struct GeneratorRun;

// Writes what the column's type puts inside its column loop.
void writeColumnBody(GeneratorRun &run, const ColumnContext &column);
// Whether the type's body is written once per node of the column's Xpath; a Select is
// written once per row.
bool loopsOverColumnNodes(const QString &type);
// The script that repairs an item's escaped markup; only "Text (HTML segment)" columns
// need it, every other type gets "".
QString fixScriptFor(const QString &type);
