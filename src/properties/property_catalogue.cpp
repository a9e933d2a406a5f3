#include "properties/property_catalogue.h"

namespace {

using Kind = SheetItem::Kind;

// A row holding a property, edited as the style says.
constexpr CatalogueItem row(int depth, const char *caption, EditStyle style, const char *help,
                            ItemTraits traits = {})
{
    return {depth, Kind::Row, caption, style, help, "", traits};
}

// A row holding a property, picked from its choices.
constexpr CatalogueItem list(int depth, const char *caption, const char *choices,
                             const char *help, ItemTraits traits = {})
{
    return {depth, Kind::Row, caption, EditStyle::List, help, choices, traits};
}

// A row that holds the rows below it and no property of its own: nothing to type into.
constexpr CatalogueItem heading(int depth, const char *caption, const char *help,
                                ItemTraits traits = {})
{
    traits.noProperty = true;
    return {depth, Kind::Row, caption, EditStyle::None, help, "", traits};
}

constexpr CatalogueItem group(int depth, const char *caption, const char *help = "",
                              ItemTraits traits = {})
{
    return {depth, Kind::Group, caption, EditStyle::None, help, "", traits};
}

const char *const debugHelp =
    "Write XSL code that shows in debug mode at Evaluation Places for each Table Row "
    "(important places in stylesheet that determine the HTML output).";

constexpr EditStyle typed = EditStyle::Typed;
constexpr EditStyle button = EditStyle::Button;
constexpr EditStyle typedButton = EditStyle::TypedButton;

const CatalogueVerb tableVerbs[] = {
    {"Table Xpath", 112},        {"Add Column", 100},     {"Call Table", 109},
    {"Add XSL Code", 116},       {"Preview in browser", 110}, {"Load different XML", 111},
    {"CSS Style", 119},          {"Input parameters", 120},   {"Interface", 121},
    {"Save XSL", 117},           {"Show XSL", 113},
};

const CatalogueItem tableItems[] = {
    row(0, "Xpath", button,
        "Xpath mapping for table (maps table's rows). You can edit this Xpath to include more "
        "complex filters and conditions in order to select different XML data sets."),
    row(0, "Exclude Row If", button,
        "Instance of row will be omitted if this Xpath expression is defined and evaluates to "
        "true."),
    heading(0, "Table",
            "Properties related to Table, such as Type, Scripts in table, HTML/Scripts code "
            "generation etc."),
    row(1, "Table Interface", button,
        "Table Interface for Component Table. 'Component Table' is a regular table that has "
        "Interface defined. Interface is used table is called in Call Table field in order to "
        "map arbitrary XML to it."),
    row(1, "CSS Style", button,
        "CSS Style attribute for table. It can be a plain literal value (such as: width:200px;) "
        "or it can be calculated with XSL code dynamically."),
    row(1, "Table Scripts", button,
        "Scripts (such as JavaScript or VBScript) can be included in and used anywhere in "
        "table."),
    list(1, "Table Type", "Display|Form",
         "Table can display data (Display), or be used as a form (HTML Form). To build tables "
         "with either, create display, form or loop tables and then call them from another "
         "table."),
    list(1, "Enable getElementById", "True|False",
         "If True, every column, table and form are generated unique IDs that can be used in "
         "scripting (JavaScript, VBScript, DHTML, DOM). This ID is run-time generated and "
         "unique even for called tables."),
    heading(0, "Debug Table", debugHelp),
    row(1, "Row (Debug)", button,
        "Evaluates at each Row. Use to see 1) what XSL code evaluates if you create new XSL "
        "Code column, 2) 'Exclude Row If' property, 3) 'Exclude Column If' property', 4) CSS "
        "code."),
    list(1, "Enable Debug", "True|False",
         "If True, Debugging code for Table (meaning for each row) will be visible as "
         "additional columns."),
    group(0, "Appearance", "Appearance properties."),
    row(1, "Color", button,
        "Default text color for all columns in table that is used if column doesn't have it's "
        "own color defined."),
    row(1, "Background Color", button,
        "Default background color for all columns in table that is used if column doesn't "
        "have it's own background color defined."),
    row(1, "Font", button,
        "Default font for all columns in table that is used if column doesn't have it's own "
        "font defined."),
    row(1, "Border", button,
        "Border around table. Note that this is not a border around cells (use Column's "
        "border property for this)"),
    row(1, "Cell Spacing", button, "Spacing between cells in table."),
    row(1, "Cell Padding", button, "Space around each cell in table."),
    row(1, "Width", typed,
        "Width of table. You can set it in pixels. If table is called from another table, you "
        "can also set it as column width in another table."),
    row(1, "Height", typed,
        "Minimum Height of table. You can set it in pixels. If table is called from another "
        "table, you can also set it as column height in another table."),
    group(0, "Headers", "Properties common to column headers for all columns."),
    list(1, "Headers Visible", "False|True",
         "Determines if Headers (above columns) are visible or not."),
    row(1, "Headers Color", button, "Text color used in column headers"),
    row(1, "Headers Background Color", button, "Background color used in column headers"),
    row(1, "Headers Font", button, "Font used in column headers"),
    row(1, "Headers Border", button, "Border around Header cells (width, type, color)"),
    row(1, "Headers Padding", button, "Spacing around header text."),
    group(0, "XSLT", "XSLT related properties (eXSLT, Importing of stylesheets etc.)"),
    row(1, "XSLT Input Parameters", button,
        "XST Input Parameters passed to stylesheet at run-time"),
    row(1, "Import XSLT Files", typed,
        "List of XSLT files separated by commas to be included with xsl:import (for example: "
        "myExternalFile1.xsl myExternalFile2.xsl"),
    group(1, "Plug-In XSLT Processor",
          "Plug in any XSLT processor that has command line interface (can be called from "
          "command line)."),
    row(2, "XSLT Command Line", typed,
        "Specify command line to invoke new XSLT processor. Use 'xmlFileName' and "
        "'xslFileName' to denote usage of file names. For example '/saxonDir/saxon.exe "
        "xmlFileName xslFileName' would call Saxon processor."),
    list(2, "Use Plug In XSLT", "False|True",
         "Use specified XSLT processor (True) or use built-in XSLT processor (False)"),
    list(1, "node-set Call", "msxsl:node-set|xalan:nodeset|exsl:node-set",
         "node-set() function to be used by Tarvik for XSLT1 stylesheets. In designer tool, "
         "msxsl:node-set is always used. However, final code will have your preference for "
         "node-set() call incorporated (when you're developing for other XSLT processors).",
         {.freeList = true}),
    group(0, "Page", "Page properties (if this table is the standalone page)"),
    row(1, "Page Title", typed, "Page title (if this table is a standalone page)"),
};

const CatalogueVerb columnVerbs[] = {
    {"Column Xpath", 105},   {"XSL Code", 107, Shown::ColumnOfTypeXslCode},
    {"CSS Style", 119},      {"Add Attribute", 101},
    {"Delete Column", 102},  {"Rename Column", 104},
    {"Save XSL", 117},       {"Show XSL", 113},
};

const CatalogueItem columnItems[] = {
    row(0, "Type", typed, "",
        {.initial = "Text (HTML segment)", .computed = Computed::TypeDescriptionHelp}),
    row(0, "Mapping", typed,
        "Mapping of column's required attribute. It can be Xpath value, or indication that it's "
        "XSL code or Table. For more details and to edit, click on required attribute.",
        {.readOnly = true, .noProperty = true, .computed = Computed::MappingValue}),
    row(0, "CSS Style", button,
        "CSS Style attribute for column. It can be a plain literal value (such as: margin:2px;) "
        "or it can be calculated with XSL code dynamically."),
    row(0, "Exclude Column If", button,
        "Instance of column will be omitted if this Xpath expression is defined and evaluates "
        "to true."),
    heading(0, "Debug Column", debugHelp),
    row(1, "Column (Debug)", button,
        "Evaluates at each Column. Use to see what XSL code would evaluate to for any attribute "
        "(in Xpath or XSL code)."),
    list(1, "Enable Debug", "True|False",
         "If True, Debugging code for Column (meaning for it's attributes) will be visible "
         "after the column contents."),
    group(0, "Appearance"),
    group(1, "Column Header"),
    row(2, "Header Title", typed,
        "Column Header Title is text showing above column. To see Headers, 'Headers Visible' "
        "property under Table must be enabled. If column doesn't have a header, it's name is "
        "showing by default"),
    list(2, "Hide Header", "False|True", "If True, Header for this column will be excluded."),
    row(1, "Color", button,
        "Color of text in column. If Table has Color defined, column's setting overrides Table "
        "color setting. If you define text color in your XSL code, it overrides both Table and "
        "Column setting"),
    row(1, "Background Color", button,
        "Background Color of column. If Table has Background Color defined, column's setting "
        "overrides Table setting. If you define background color in your XSL code, it "
        "overrides both Table and Column setting"),
    row(1, "Font", button,
        "Font for text in column. If Font is defined on Table level, column setting overrides "
        "it. If you define font in your XSL code, it overrides both Table and Column setting. "
        "Note that not all fonts are available in all browsers."),
    row(1, "Border", typedButton,
        "Column border is border around each column cell. You can define various border "
        "width, styles and colors."),
    heading(1, "Individual Borders",
            "Individual (top, bottom, left, right) borders. You must delete 'Border' property "
            "first ('Border' property takes precedence).",
            {.readOnly = true}),
    row(2, "Top Border", typedButton,
        "Top column border. You must delete 'Border' property first ('Border' property takes "
        "precedence)."),
    row(2, "Bottom Border", typedButton,
        "Bottom column border. You must delete 'Border' property first ('Border' property "
        "takes precedence)."),
    row(2, "Left Border", typedButton,
        "Left column border. You must delete 'Border' property first ('Border' property takes "
        "precedence)."),
    row(2, "Right Border", typedButton,
        "Right column border. You must delete 'Border' property first ('Border' property takes "
        "precedence)."),
    row(1, "Padding", typedButton,
        "Padding around each column cell. You can define it in pixels or otherwise."),
    list(1, "Vertical Alignment", "None|top|middle|bottom",
         "Determines if content of column is aligned to the top of the cell, middle or "
         "bottom."),
    list(1, "Horizontal Alignment", "None|left|center|right",
         "Determines if content of column is aligned to the left, middle or right of the "
         "cell."),
    row(1, "Width", typed,
        "Width of column cell (for example: 100px, or 30%). If none specified, browser "
        "determines column width at run-time. Note that browser may reduce width at "
        "design-time to fit window. Run Preview for full browser window."),
    row(1, "Height", typed,
        "Height of column cell (for example: 100px, or 30%). If none specified, browser "
        "determines column height at run-time. Column height is applied to all cells in the "
        "column."),
    row(1, "Max Characters", typed,
        "Maximum number of characters to display. The characters beyond this number will not "
        "be displayed. Enter empty or 0 for no limit.",
        {.shown = Shown::ColumnOfTypeText}),
    list(1, "Show Empty Cells", "True|False",
         "Show cells (column cells) that are empty (with no data). For example, borders around "
         "empty cells will show if this property is set to True."),
    list(1, "Break After", "False|True",
         "Inserts row break (<tr>) right after this column. Logically (as far Xpath is "
         "concerned), columns afterwards are still part of the same data row. The column break "
         "is only visual break for displaying more complex data."),
    list(1, "Column Span", "1|2|3|4|5",
         "Number of columns that this column will span. It's the horizontal span of a column. "
         "It is often used in combination with Break property."),
    list(1, "Row Span", "1|2|3|4|5",
         "Number of rows that this column with span. It's the vertical span of a column. It is "
         "often used in combination with Break property."),
    group(0, "Order"),
    list(1, "Order Method", "none|ascending|descending",
         "Determines whether data in this column is ordered, and if so, the method of "
         "ordering.Rows are ordered by the column's order, from left to right"),
    list(1, "Order Data Type", "text|number",
         "Sort data by interpreting it as text or number, for example: '11' is greater than "
         "'2' when sorted as number, but lesser when sorted as text."),
    list(1, "Order Case", "upper-first|lower-first",
         "If 'upper-first', then strings starting with upper case with show up before others, "
         "and vice versa."),
    group(0, "Visibility"),
    list(1, "Hidden", "No|Invisible|Omitted except for ordering",
         "Column can be invisible or 'Omitted except for ordering'. If Invisible, it's data is "
         "in the table, but it's not visible. If 'Omitted except for ordering', data is not in "
         "the page, however column can be used for ordering based on it's position in table.",
         {.initial = "No"}),
};

const CatalogueVerb attributeVerbs[] = {
    {"XSL Code for Attribute", 107, Shown::XslCalculated},
    {"Delete Attribute", 103},
    {"Save XSL", 117},
    {"Show XSL", 113},
};

const CatalogueItem attributeItems[] = {
    row(0, "Type", typed, "", {.initial = "Attribute", .readOnly = true, .noProperty = true}),
    row(0, "Table", button,
        "Table that is called via xsl:call-template. Xpath can be passed instead of it's "
        "default XML file, as well as input parameters provided (via column attributes).",
        {.shown = Shown::CalledTable}),
    group(0, "Call Interface",
          "Called table you're using has interface. This means you can map different XML (of "
          "different structure altogether) to it.",
          {.shown = Shown::CallInterface}),
    row(1, "Map Interface", button,
        "Called Table has Call Interface, which enables different XML structures to use it. "
        "Click Expander Button to map your XML to Table's Call Interface.",
        {.noProperty = true}),
    list(1, "Interface Used", "False|True",
         "Called Table can be used without interface (False). In this case, XML file "
         "associated with Table is used, or you can map your own XML to inputXML attribute of "
         "Call Table."),
    row(0, "Xpath", button,
        "Xpath expression for column. This is Xpath of a required attribute (other attributes "
        "are relative to it). You can edit it to add Xpath filters ([..]) or edit it in any "
        "other way. Column Xpath is relative to Table's Xpath",
        {.shown = Shown::MappedAttribute}),
    group(0, "XSL", "", {.shown = Shown::XslRows}),
    list(1, "XSL Calculated", "False|True",
         "If True, this attribute is calculated by XSL code (under XSL Edit). The axis for such "
         "XSL code is attribute's Xpath.",
         {.shown = Shown::XslCalculatedChoice}),
    row(1, "XSL Calculated", typed, "XSL Code column is always calculated by XSL code.",
        {.shown = Shown::XslCalculatedFixed, .initial = "True", .readOnly = true}),
    row(1, "XSL Code", button,
        "XSL code that calculates the attribute. You can drag and drop XML elements from XML "
        "tree to your XSL code. XSL code is relative to attribute's Xpath. XSL code can be just "
        "a literal, or any XSL code that generates any HTML."),
    list(1, "XML Fragment", "False|True",
         "If True, this XSL code is considered to evaluate to node set (meaning it will be "
         "processed as a tree, not string). In XSLT1, node-set() function is used. In XSLT2 it "
         "will be used directly as such.",
         {.shown = Shown::InputXml}),
};

} // namespace

const Catalogue &catalogueOf(NodeKind kind)
{
    static const Catalogue table{tableVerbs, tableItems};
    static const Catalogue column{columnVerbs, columnItems};
    static const Catalogue attribute{attributeVerbs, attributeItems};
    switch (kind) {
    case NodeKind::Table:
        return table;
    case NodeKind::Attribute:
        return attribute;
    case NodeKind::Column:
        break;
    }
    return column;
}
