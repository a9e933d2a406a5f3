#include "generator/table_rows.h"

#include "documents/column_types.h"
#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/workspace.h"
#include "generator/column_bodies.h"
#include "generator/generator_markers.h"
#include "generator/generator_marking.h"
#include "generator/generator_run.h"
#include "generator/value_code.h"
#include "generator/xsl_comments.h"
#include "generator/xsl_text_escaping.h"

#include <array>

namespace {

const QString omitted = QStringLiteral("Omitted except for ordering");
const QString debugStyle = QStringLiteral("color:blue;background-color:#ffffcc;");

constexpr std::array<const char *, 5> rowLimitTexts = {"all rows", "first 5", "first 10",
                                                       "first 20", "first 50"};
constexpr std::array<int, 5> rowLimits = {0, 5, 10, 20, 50};

const char *rowLimitText(int index) { return rowLimitTexts[size_t(index)]; }

int rowLimitOf(int index) { return rowLimits[size_t(index)]; }

QString columnKey(const char *property, const QString &col)
{
    return getKey(QLatin1String(property) + col);
}

QString spanAttribute(const char *name, const char *property, const QString &col)
{
    const QString value = columnKey(property, col);
    if (value.isEmpty())
        return {};
    return QLatin1String(name) + QStringLiteral("='") + literalAttributeText(value) + QStringLiteral("' ");
}

QString alignAttribute(const char *name, const char *property, const QString &col)
{
    const QString value = columnKey(property, col);
    if (value.isEmpty() || value == QStringLiteral("None"))
        return {};
    return QStringLiteral(" ") + QLatin1String(name) + QStringLiteral("='") + literalAttributeText(value)
           + QStringLiteral("' ");
}

bool breaksAfter(const QString &col) { return columnKey("Break After-", col) == QStringLiteral("True"); }

// How a column's own text is written: as an Xpath, or as markup with XSL in it.
enum class ColumnText { Xpath, Markup };

// The column's name as an XPath string and its number among the cells replace the two
// predefined variables wherever they occur in the column's own texts.
QString withColumnVariables(QString text, const QString &col, int n, ColumnText kind = ColumnText::Xpath)
{
    const QString name = QStringLiteral("$_columnName");
    if (kind == ColumnText::Markup)
        text = withXpathString(text, name, col);
    else
        replaceAll(text, name, QChar('"') + col + QChar('"'));
    replaceAll(text, QStringLiteral("$_columnNumber"), QString::number(n));
    return text;
}

QList<const StructureTree::Node *> columns()
{
    QList<const StructureTree::Node *> list;
    if (const StructureTree::Node *root = workspace().current().tree.root()) {
        for (const auto &child : root->children)
            list.append(child.get());
    }
    return list;
}

// A header cell is written for every column that gets a body cell, unless its header is
// hidden, so that header and body rows have the same number of cells.
QString headerRow(const QString &tableName)
{
    if (getKey(QStringLiteral("Headers Visible-Table")) != QStringLiteral("True"))
        return {};
    QString h = QStringLiteral("<tr>") + addComment(QStringLiteral("Column headers (titles)"));
    for (const StructureTree::Node *node : columns()) {
        const QString &col = node->text;
        if (columnKey("Hide Header-", col) == QStringLiteral("True")
            || columnKey("Hidden-", col) == omitted)
            continue;
        h += QStringLiteral("<th ") + spanAttribute("colspan", "Column Span-", col)
             + spanAttribute("rowspan", "Row Span-", col) + QStringLiteral("class='") + tableName
             + QStringLiteral("sh'>") + userCode(markupText(columnKey("Header Title-", col)))
             + QStringLiteral("</th>");
        if (breaksAfter(col))
            h += QStringLiteral("</tr><tr>");
    }
    return h + QStringLiteral("</tr>");
}

QString sortKey(const QString &col, const QString &relXpath)
{
    const QString method = columnKey("Order Method-", col);
    if (method.isEmpty() || method == QStringLiteral("none"))
        return {};
    QString dataType = columnKey("Order Data Type-", col);
    if (dataType.isEmpty())
        dataType = QStringLiteral("text");
    QString caseOrder = columnKey("Order Case-", col);
    if (caseOrder.isEmpty())
        caseOrder = QStringLiteral("upper-first");
    QString key = QStringLiteral("<xsl:sort select='") + attributeText(relXpath) + QStringLiteral("'");
    if (dataType == QStringLiteral("text") || dataType == QStringLiteral("number"))
        key += QStringLiteral(" data-type='") + dataType + QStringLiteral("'");
    if (method == QStringLiteral("ascending") || method == QStringLiteral("descending"))
        key += QStringLiteral(" order='") + method + QStringLiteral("'");
    if (caseOrder == QStringLiteral("upper-first") || caseOrder == QStringLiteral("lower-first"))
        key += QStringLiteral(" case-order='") + caseOrder + QStringLiteral("'");
    return key + QStringLiteral("/>");
}

// The absolute Xpath of the column's nodes. An unmapped required attribute gets the
// table's row Xpath (an output run leaves the table unmarked); a "Call Table" column
// visits its mapped inputXML instead, else the rows.
QString columnXpath(const GeneratorRun &run, const QString &col, const QString &type)
{
    const QString key = QStringLiteral("Xpath-") + col + QChar('@') + mainAttributeOf(type);
    if (trimWhiteVar(getKey(key)).isEmpty())
        setKey(key, run.tableXpath, !run.isProduction);
    if (type == QStringLiteral("Call Table")) {
        const QString input = getKey(QStringLiteral("Xpath-") + col + QStringLiteral("@inputXML"));
        return input.isEmpty() ? run.tableXpath : input;
    }
    return getKey(key);
}

bool cellIdsWritten(const GeneratorRun &run)
{
    return !(run.isProduction
             && getKey(QStringLiteral("Enable getElementById-Table")) == QStringLiteral("False"));
}

void writeRowStart(GeneratorRun &run, bool excludesRows, int rowLimitIndex)
{
    run.add(addComment(QStringLiteral("Main loop through all rows (defined by Table's Xpath)"))
            + QStringLiteral("<xsl:for-each select='$inputXML") + markers::row + QStringLiteral("'>")
            + markers::sorting
            + QStringLiteral("<xsl:variable name='_rowNumber'><xsl:value-of "
                             "select='position()'/></xsl:variable>"));
    if (excludesRows)
        run.add(QStringLiteral("<xsl:if test='not (")
                + attributeText(getKey(QStringLiteral("Exclude Row If-Table"))) + QStringLiteral(")'>"));
    if (rowLimitIndex > 0)
        run.add(addComment(QStringLiteral("Show only ") + QLatin1String(rowLimitText(rowLimitIndex))
                           + QStringLiteral(" rows"))
                + QStringLiteral("<xsl:if test='position() &lt; ")
                + QString::number(rowLimitOf(rowLimitIndex) + 1) + QStringLiteral("'>"));
    run.add(addComment(QStringLiteral("Generate $rowId XSL variable"))
            + QStringLiteral("<xsl:variable name='rowId' select='concat(\"r_\",$instanceToken,\"_\","
                             "position(),\"_")
            + run.tableName + QStringLiteral("\")'/>"));
    run.add(addComment(QStringLiteral("Break (new row)")) + QStringLiteral("<tr>"));
    const QString rowDebug = getKey(QStringLiteral("Row (Debug)-Table"));
    const QString debugComment = addComment(QStringLiteral("Evaluation Place: Row (Debug)"));
    if (!rowDebug.isEmpty() && run.debugOn && !run.isProduction)
        run.add(debugComment + QStringLiteral("<td ><div style='") + debugStyle
                + QStringLiteral("'>") + userCode(rowDebug) + QStringLiteral("</div></td>"));
    else
        run.add(debugComment);
}

// Opens the column loop, unless the type is written once per row, and declares the
// item's variables.
void writeItemStart(GeneratorRun &run, const ColumnContext &context, int n)
{
    const QString &col = context.col;
    const bool loops = loopsOverColumnNodes(context.type);
    if (loops)
        run.add(addComment(QStringLiteral("Loop through every column's Xpath (within a main row "
                                          "loop determined by Table's Xpath)")));
    if (columnKey("Show Empty Cells-", col) == QStringLiteral("True"))
        run.add(QStringLiteral("<xsl:if test='count(") + attributeText(context.relXpath)
                + QStringLiteral(") = 0'><span style='visibility:hidden;'>.</span></xsl:if>"));
    if (loops)
        run.add(QStringLiteral("<xsl:for-each select='") + attributeText(context.relXpath) + QStringLiteral("'>"));
    run.add(QStringLiteral("<xsl:variable name='_columnName'>") + col
            + QStringLiteral("</xsl:variable>") + QStringLiteral("<xsl:variable name='_columnNumber'>")
            + QString::number(n) + QStringLiteral("</xsl:variable>")
            + addComment(QStringLiteral("Generate $colId XSL variable"))
            + QStringLiteral("<xsl:variable name='colId'><xsl:value-of select='concat($rowId,\"_")
            + col + QStringLiteral("_\",position())'/></xsl:variable>"));
}

void writeCell(GeneratorRun &run, const ColumnContext &column, int i, int n)
{
    const QString &col = column.col;
    const QString exclude = columnKey("Exclude Column If-", col);
    run.add(addComment(QStringLiteral("Evaluation Place: Exclude Column If")));
    if (!exclude.isEmpty())
        run.add(QStringLiteral("<xsl:if test='not (")
                + attributeText(withColumnVariables(exclude, col, n)) + QStringLiteral(")'>"));
    run.add(addComment(QStringLiteral("Table cell")) + QStringLiteral("<td ")
            + alignAttribute("valign", "Vertical Alignment-", col)
            + alignAttribute("align", "Horizontal Alignment-", col)
            + spanAttribute("rowspan", "Row Span-", col) + spanAttribute("colspan", "Column Span-", col)
            + QStringLiteral("class='") + run.tableName + QChar('s') + QString::number(i)
            + QStringLiteral("'>"));
    if (cellIdsWritten(run))
        run.add(QStringLiteral("<xsl:attribute name='id'><xsl:value-of select='$rowId'/>_") + col
                + QStringLiteral("</xsl:attribute>"));
    run.add(addComment(QStringLiteral("Evaluation Place: CSS")));
    const QString style = columnKey("CSS Style-", col);
    if (!trimWhiteVar(style).isEmpty()) {
        QString flat = style;
        stripBreaks(flat);
        run.add(QStringLiteral("<xsl:attribute name='style'>")
                + userCode(withColumnVariables(flat, col, n, ColumnText::Markup))
                + QStringLiteral("</xsl:attribute>"));
    }
    ColumnContext context = column;
    context.relXpath = withColumnVariables(column.relXpath, col, n);
    writeItemStart(run, context, n);
    run.add(addComment(QStringLiteral("Evaluation Place: Attributes")));
    run.add(addComment(QStringLiteral("Column ") + col + QStringLiteral(" as: ") + column.type));
    const QString columnDebug = columnKey("Column (Debug)-", col);
    if (!columnDebug.isEmpty() && storedBoolean(columnKey("Enable Debug-", col)) && !run.isProduction)
        run.add(QStringLiteral("<div style='") + debugStyle + QStringLiteral("'>[") + userCode(columnDebug)
                + QStringLiteral("]</div>"));
    writeColumnBody(run, context);
    if (loopsOverColumnNodes(column.type))
        run.add(addComment(QStringLiteral("End of column loop")) + QStringLiteral("</xsl:for-each>"));
    if (isHtmlSegment(column.type))
        run.segmentColumns.append(col);
    run.add(addComment(QStringLiteral("End of table cell")) + QStringLiteral("</td>"));
    if (!exclude.isEmpty())
        run.add(QStringLiteral("</xsl:if>"));
    if (breaksAfter(col))
        run.add(addComment(QStringLiteral("Break (new row)")) + QStringLiteral("</tr><tr>"));
}

void writeColumns(GeneratorRun &run)
{
    int i = 0;
    int n = 0;
    for (const StructureTree::Node *node : columns()) {
        ++i;
        ColumnContext column;
        column.col = node->text;
        column.type = columnKey("Type-", column.col);
        column.colXpath = columnXpath(run, column.col, column.type);
        column.relXpath = relativeXpath(run.tableXpath, column.colXpath);
        column.rowXpath = run.tableXpath;
        const bool shown = columnKey("Hidden-", column.col) != omitted;
        if (shown)
            ++n;
        run.sortList += sortKey(column.col,
                                withColumnVariables(column.relXpath, column.col, shown ? n : 0));
        if (shown)
            writeCell(run, column, i, n);
    }
}

int activeRowLimitIndex()
{
    const int index = workspace().current().rowLimitIndex;
    if (workspace().productionRun || index < 1 || index >= int(rowLimits.size()))
        return 0;
    return index;
}

} // namespace

void writeTableRows(GeneratorRun &run)
{
    run.add(headerRow(run.tableName));
    const bool excludesRows = !getKey(QStringLiteral("Exclude Row If-Table")).isEmpty();
    const int rowLimitIndex = activeRowLimitIndex();
    writeRowStart(run, excludesRows, rowLimitIndex);
    writeColumns(run);
    run.replaceMarkers({{markers::including, run.importList},
                        {markers::variables, run.treeVariables},
                        {markers::sorting, run.sortList},
                        {markers::row, QString()}});
    run.add(addComment(QStringLiteral("End of table row")) + QStringLiteral("</tr>"));
    if (rowLimitIndex > 0)
        run.add(QStringLiteral("</xsl:if>"));
    if (excludesRows)
        run.add(QStringLiteral("</xsl:if>"));
    run.add(addComment(QStringLiteral("End of main (for each row) loop"))
            + QStringLiteral("</xsl:for-each>"));
}
