#pragma once

#include "generator/column_context.h"

struct GeneratorRun;

// The body of a "Call Table" column: the call of another table's template with the
// column's node set, and the import, document variable, CSS call and script call of the
// called table added to the run's lists (importList, treeVariables, cssCalls,
// scriptCalls). The call comes with the table interfaces; until then the cell holds only
// its loops.
void writeCallTableBody(GeneratorRun &run, const ColumnContext &column);
