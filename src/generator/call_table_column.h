#pragma once

#include "generator/column_context.h"

struct GeneratorRun;

// The body of a "Call Table" column: the call of another table's template with the
// column's node set as its inputXML, the caller's column-item id as its instanceToken and
// includeCommons false. The called table's import, document variable, CSS call and script
// call go to the run's lists (importList, treeVariables, cssCalls, scriptCalls), each
// once however many columns call it.
//
// Everything known of the called table comes from its side files, restored from its table
// file when missing and copied beside the calling table unless a table of that name owns
// the files there. With "Interface Used" the caller's XML is first translated through the
// called table's Table Interface. A call that would come back to a table already on its
// chain is refused with a message naming the chain; the cell then holds only its loops.
void writeCallTableBody(GeneratorRun &run, const ColumnContext &column);
