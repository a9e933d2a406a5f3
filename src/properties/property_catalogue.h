#pragma once

#include "documents/column_types.h"
#include "properties/sheet_model.h"

#include <span>

// The catalogue of the property sheets: per node kind, its verbs and its items in display
// order, as data. sheet_builder turns it into the sheet of one node.

// When a catalogue entry is part of a node's sheet.
enum class Shown {
    Always,
    ColumnOfTypeText,    // the column type is "Text"
    ColumnOfTypeXslCode, // the column type is "XSL Code"
    XslCalculated,       // the attribute's "XSL Calculated" value is "True"
    CalledTable,         // "table" of a "Call Table" column
    CallInterface,       // ... whose called table has a Table Interface
    MappedAttribute,     // every attribute but the called table
    XslRows,             // ... except "value" of a "Text (HTML segment)" column
    XslCalculatedChoice, // the column type is not "XSL Code"
    XslCalculatedFixed,  // the column type is "XSL Code"
    InputXml,            // "inputXML" of a "Call Table" column
};

// What the builder computes for an item instead of taking it from the catalogue.
enum class Computed { Nothing, TypeDescriptionHelp, MappingValue };

struct CatalogueVerb {
    const char *caption;
    int id;
    Shown shown = Shown::Always;
};

// What sets an item apart beyond its kind, caption, edit style, help text and choices.
struct ItemTraits {
    Shown shown = Shown::Always;
    const char *initial = ""; // the value the sheet is built with
    bool readOnly = false;    // groups are read-only anyway
    bool noProperty = false;  // the row stands for no stored property
    bool freeList = false;    // a list row that accepts any typed text as well
    Computed computed = Computed::Nothing;
};

struct CatalogueItem {
    int depth; // 0 directly below the category, 1 below the item above it, ...
    SheetItem::Kind kind;
    const char *caption;
    EditStyle style;
    const char *help;
    const char *choices; // joined by "|"
    ItemTraits traits;
};

struct Catalogue {
    std::span<const CatalogueVerb> verbs;
    std::span<const CatalogueItem> items;
};

const Catalogue &catalogueOf(NodeKind kind);
