#include "generator/call_table_column.h"

#include "generator/generator_run.h"

void writeCallTableBody(GeneratorRun &, const ColumnContext &) {}
