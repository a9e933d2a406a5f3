#pragma once

struct GeneratorRun;

// The header row, the loop over the table's rows with its sort keys, exclusion test, row
// limit and debug cell, and one cell per column with its column loop. Written directly
// after the table start tag; replaces the header, variables, sorting and row markers.
void writeTableRows(GeneratorRun &run);

