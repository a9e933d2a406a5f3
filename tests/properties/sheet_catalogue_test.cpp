// The sheets the catalogue builds, checked against listings written out by hand from the
// catalogue tables: verbs, then items (two blanks per depth, caption, value, edit style,
// read-only, choices).
#include "properties/sheet_builder.h"
#include "properties/sheet_listing.h"

#include <gtest/gtest.h>

namespace {

QStringList lines(const QString &text) { return text.split('\n', Qt::SkipEmptyParts); }

const char *const tableSheet = R"(verb	112	Table Xpath
verb	100	Add Column
verb	109	Call Table
verb	116	Add XSL Code
verb	110	Preview in browser
verb	111	Load different XML
verb	119	CSS Style
verb	120	Input parameters
verb	121	Interface
verb	117	Save XSL
verb	113	Show XSL
Xpath		button	-	
Exclude Row If		button	-	
Table		none	-	
  Table Interface		button	-	
  CSS Style		button	-	
  Table Scripts		button	-	
  Table Type		list	-	Display|Form
  Enable getElementById		list	-	True|False
Debug Table		none	-	
  Row (Debug)		button	-	
  Enable Debug		list	-	True|False
Appearance		none	ro	
  Color		button	-	
  Background Color		button	-	
  Font		button	-	
  Border		button	-	
  Cell Spacing		button	-	
  Cell Padding		button	-	
  Width		typed	-	
  Height		typed	-	
Headers		none	ro	
  Headers Visible		list	-	False|True
  Headers Color		button	-	
  Headers Background Color		button	-	
  Headers Font		button	-	
  Headers Border		button	-	
  Headers Padding		button	-	
XSLT		none	ro	
  XSLT Input Parameters		button	-	
  Import XSLT Files		typed	-	
  Plug-In XSLT Processor		none	ro	
    XSLT Command Line		typed	-	
    Use Plug In XSLT		list	-	False|True
  node-set Call		list	-	msxsl:node-set|xalan:nodeset|exsl:node-set
Page		none	ro	
  Page Title		typed	-	
)";

// The column sheet of a "Text" column whose value maps to /r/v: "XSL Code" columns add the
// verb 107 second, other types lack "Max Characters".
const char *const textColumnSheet = R"(verb	105	Column Xpath
verb	119	CSS Style
verb	101	Add Attribute
verb	102	Delete Column
verb	104	Rename Column
verb	117	Save XSL
verb	113	Show XSL
Type	Text (HTML segment)	typed	-	
Mapping	/r/v	typed	ro	
CSS Style		button	-	
Exclude Column If		button	-	
Debug Column		none	-	
  Column (Debug)		button	-	
  Enable Debug		list	-	True|False
Appearance		none	ro	
  Column Header		none	ro	
    Header Title		typed	-	
    Hide Header		list	-	False|True
  Color		button	-	
  Background Color		button	-	
  Font		button	-	
  Border		typed+button	-	
  Individual Borders		none	ro	
    Top Border		typed+button	-	
    Bottom Border		typed+button	-	
    Left Border		typed+button	-	
    Right Border		typed+button	-	
  Padding		typed+button	-	
  Vertical Alignment		list	-	None|top|middle|bottom
  Horizontal Alignment		list	-	None|left|center|right
  Width		typed	-	
  Height		typed	-	
  Max Characters		typed	-	
  Show Empty Cells		list	-	True|False
  Break After		list	-	False|True
  Column Span		list	-	1|2|3|4|5
  Row Span		list	-	1|2|3|4|5
Order		none	ro	
  Order Method		list	-	none|ascending|descending
  Order Data Type		list	-	text|number
  Order Case		list	-	upper-first|lower-first
Visibility		none	ro	
  Hidden	No	list	-	No|Invisible|Omitted except for ordering
)";

const char *const attributeVerbs = "verb\t103\tDelete Attribute\nverb\t117\tSave XSL\n"
                                   "verb\t113\tShow XSL\n";
const char *const typeRow = "Type\tAttribute\ttyped\tro\t\n";
const char *const calledTableRow = "Table\t\tbutton\t-\t\n";
const char *const xpathRow = "Xpath\t\tbutton\t-\t\n";
const char *const xslGroup = "XSL\t\tnone\tro\t\n";
const char *const calculatedChoice = "  XSL Calculated\t\tlist\t-\tFalse|True\n";
const char *const codeRow = "  XSL Code\t\tbutton\t-\t\n";

struct AttributeShape {
    const char *type;
    const char *attribute;
    bool hasInterface;
    QString listing; // after the verbs
};

const AttributeShape attributeShapes[] = {
    {"Call Table", "table", true,
     QString(typeRow) + calledTableRow + "Call Interface\t\tnone\tro\t\n" +
         "  Map Interface\t\tbutton\t-\t\n" + "  Interface Used\t\tlist\t-\tFalse|True\n"},
    {"Call Table", "table", false, QString(typeRow) + calledTableRow},
    {"Call Table", "inputXML", false,
     QString(typeRow) + xpathRow + xslGroup + calculatedChoice + codeRow +
         "  XML Fragment\t\tlist\t-\tFalse|True\n"},
    {"Text (HTML segment)", "value", false, QString(typeRow) + xpathRow},
    {"XSL Code", "xslCode", false,
     QString(typeRow) + xpathRow + xslGroup + "  XSL Calculated\tTrue\ttyped\tro\t\n" + codeRow},
    {"Image", "src", false, QString(typeRow) + xpathRow + xslGroup + calculatedChoice + codeRow},
    // Case counts: these are ordinary attributes.
    {"Call Table", "Table", true,
     QString(typeRow) + xpathRow + xslGroup + calculatedChoice + codeRow},
    {"Image", "table", true, QString(typeRow) + xpathRow + xslGroup + calculatedChoice + codeRow},
    {"Text", "value", false, QString(typeRow) + xpathRow + xslGroup + calculatedChoice + codeRow},
};

SheetContext columnContext(const QString &type)
{
    SheetContext context;
    context.kind = NodeKind::Column;
    context.columnType = type;
    context.mapping = QStringLiteral("/r/v");
    return context;
}

QStringList expectedColumnSheet(const QString &type)
{
    QStringList expected = lines(textColumnSheet);
    if (type == QLatin1String("XSL Code"))
        expected.insert(1, QStringLiteral("verb\t107\tXSL Code"));
    if (type != QLatin1String("Text"))
        expected.removeIf([](const QString &line) { return line.contains("Max Characters"); });
    return expected;
}

} // namespace

TEST(SheetCatalogue, TableSheet)
{
    const SheetLayout sheet = buildSheet(SheetContext{});
    EXPECT_EQ(sheetListing(sheet), lines(tableSheet));
    EXPECT_EQ(sheet.findItem("Headers")->help,
              "Properties common to column headers for all columns.");
    EXPECT_EQ(sheet.findItem("Height")->help,
              "Minimum Height of table. You can set it in pixels. If table is called from "
              "another table, you can also set it as column height in another table.");
    EXPECT_FALSE(sheet.findItem("node-set Call")->restrictToList);
    EXPECT_TRUE(sheet.findItem("Use Plug In XSLT")->restrictToList);
}

TEST(SheetCatalogue, ColumnSheetOfEachType)
{
    const QStringList types{"Text",       "Text (HTML segment)", "Web Link",   "Image",
                            "XSL Code",   "Call Table",          "Input Field",
                            "Input Text Box (Textarea)",         "Select",     "Submit Button",
                            "Hidden Field", "no type"};
    for (const QString &type : types) {
        const SheetLayout sheet = buildSheet(columnContext(type));
        EXPECT_EQ(sheetListing(sheet), expectedColumnSheet(type)) << type.toStdString();
    }
    EXPECT_EQ(buildSheet(columnContext("Image")).findItem("Type")->help,
              "Image (for example JPG, GIF, PNG etc.)");
    EXPECT_EQ(buildSheet(columnContext("no type")).findItem("Type")->help, "");
}

TEST(SheetCatalogue, AttributeShapes)
{
    for (const AttributeShape &shape : attributeShapes) {
        SheetContext context;
        context.kind = NodeKind::Attribute;
        context.columnType = shape.type;
        context.attributeName = shape.attribute;
        context.calledTableHasInterface = shape.hasInterface;
        EXPECT_EQ(sheetListing(buildSheet(context)), lines(attributeVerbs) + lines(shape.listing))
            << shape.type << " @" << shape.attribute;
    }
}

TEST(SheetCatalogue, AttributeCalculatedByXslGetsItsVerbFirst)
{
    SheetContext context;
    context.kind = NodeKind::Attribute;
    context.columnType = "XSL Code";
    context.attributeName = "xslCode";
    EXPECT_EQ(buildSheet(context).verbs.size(), 3u);
    context.xslCalculated = "True";
    const SheetLayout sheet = buildSheet(context);
    ASSERT_EQ(sheet.verbs.size(), 4u);
    EXPECT_EQ(sheet.verbs[0].id, 107);
    EXPECT_EQ(sheet.verbs[0].caption, "XSL Code for Attribute");
    EXPECT_EQ(sheet.findItem("XSL Calculated")->help,
              "XSL Code column is always calculated by XSL code.");
}
