#pragma once

#include "generator/column_context.h"

#include <QString>

struct GeneratorRun;

// Writes what the column's type puts inside its column loop.
void writeColumnBody(GeneratorRun &run, const ColumnContext &column);
// The script that repairs an item's escaped markup; only "Text (HTML segment)" columns
// need it, every other type gets "".
QString fixScriptFor(const QString &type);
