#pragma once

#include "documents/column_types.h"
#include "properties/sheet_model.h"

struct TableDocument;

// What the catalogue's conditions and computed items need to know of a node.
struct SheetContext {
    NodeKind kind = NodeKind::Table;
    QString columnType;    // stored type of the node's column
    QString attributeName; // the attribute's text; "" for a table or column
    QString xslCalculated; // the attribute's stored "XSL Calculated"
    bool calledTableHasInterface = false;
    QString mapping; // a column's "Mapping": where its required attribute's value comes from
};

// The facts about a node of the document's structure tree; reads the called table's
// interface side file for the "table" attribute of a "Call Table" column.
SheetContext sheetContextOf(const TableDocument &doc, const StructureTree::Node &node);

// The sheet of a node: its verbs and its items in catalogue order, with the values the
// catalogue gives. Pure: the same context always gives the same sheet.
SheetLayout buildSheet(const SheetContext &context);
