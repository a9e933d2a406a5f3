#include "generator/call_table_column.h"

#include "documents/once_only_tips.h"
#include "documents/path_helpers.h"
#include "documents/side_file_restore.h"
#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "generator/called_table.h"
#include "generator/column_attributes.h"
#include "generator/generator_marking.h"
#include "generator/generator_run.h"
#include "generator/interface_substitution.h"
#include "generator/stylesheet_header.h"
#include "generator/transform.h"
#include "generator/value_code.h"
#include "generator/xsl_text_escaping.h"
#include "platform/ui/ui_services.h"

#include <QFileInfo>

namespace {

QString key(const char *property, const QString &owner)
{
    return getKey(QLatin1String(property) + owner);
}

QString withParams(const QString &col)
{
    QString params;
    for (int position = 1; position <= 300; ++position) {
        const ColumnValue value = columnValueCode(col, position, QString(), false);
        if (value.attName.isEmpty())
            break;
        if (value.attName == QStringLiteral("table") || value.attName == QStringLiteral("inputXML"))
            continue;
        params += QStringLiteral("<xsl:with-param name='") + value.attName + QStringLiteral("'>")
                  + value.code + QStringLiteral("</xsl:with-param>");
    }
    return params;
}

void showMissingTableTip(const QString &col)
{
    showTipAtControl(tipControl(SlotWindow::Rep, QStringLiteral("template")),
                     {QStringLiteral("Call Table misses required attribute"),
                      QStringLiteral("Required attribute not mapped"),
                      QStringLiteral("File ") + col
                          + QStringLiteral(" (Call Table) doesn't have required attribute (table) set.")});
}

// Why the column may not call the table ("" when it may): a call that comes back to a
// table on its chain, or a table named as the calling one, whose templates the caller's
// own would hide.
QString refusal(const CalledTable &called, const QString &reference)
{
    const QString caller = workspace().current().tablePath;
    const QStringList chain = recursiveCallChain(caller, called.file);
    if (!chain.isEmpty()) {
        QStringList names;
        for (const QString &file : chain)
            names.append(getFileName(file));
        return QStringLiteral("the tables call each other without end (") + names.join(QStringLiteral(" -> "))
               + QChar(')');
    }
    if (sameNameOtherTable(called.file, caller))
        return QStringLiteral("it calls another table of the same name (") + reference + QChar(')');
    return {};
}

// A refused call is reported once per render: the render's second generation, for the
// side files, is quiet.
bool refused(const QString &col, const CalledTable &called, const QString &reference)
{
    const QString why = refusal(called, reference);
    if (!why.isEmpty() && !QuietGenerationGuard::active())
        ui().message(QStringLiteral("Column ") + col + QStringLiteral(" (Call Table) is not called: ") + why
                     + QChar('.'));
    return !why.isEmpty();
}

// Every generation copies; a target that holds the source's text already is left alone,
// and a missing source copies nothing. A failed write is reported once per render, as a
// refusal is.
void copyFile(const QString &from, const QString &to)
{
    if (sideFileExists(from))
        writeFileIfChanged(to, readSideFile(from), QuietGenerationGuard::active());
}

// The called table's side files beside the calling table, unless they are already there
// (same folder) or a table of the same name owns the files there.
void copySideFiles(const CalledTable &called, const QString &here)
{
    if (here.isEmpty() || canonicalPath(called.folder) == canonicalPath(here)
        || QFileInfo::exists(here + called.name + QStringLiteral(".tvk")))
        return;
    for (const char *extension : {".xsl", ".txp", ".xmf", ".xmp", ".tic"})
        copyFile(called.sideFile(extension), here + called.name + QLatin1String(extension));
}

QString trimmedRowXpath(const CalledTable &called)
{
    QString txp = trimWhiteVar(readSideFile(called.sideFile(".txp")));
    if (!txp.startsWith(QChar('/')))
        txp.prepend(QChar('/'));
    return txp == QStringLiteral("/") ? QString() : txp;
}

void appendOnce(QString &list, const QString &text)
{
    if (!list.contains(text))
        list += text;
}

QString nodeSetFunction(const GeneratorRun &run)
{
    if (!run.isProduction && pluginCommandLine().isEmpty())
        return QStringLiteral("msxsl:node-set");
    const QString configured = getKey(QStringLiteral("node-set Call-Table"));
    return configured.isEmpty() ? QStringLiteral("msxsl:node-set") : configured;
}

struct CallInput {
    QString text;
    bool calculated = false;
};

// The interface translation replaces the column's input code when the column uses it.
void substituteInterface(const ColumnContext &column, const CalledTable &called, CallInput &input)
{
    const QString tableKey = column.col + QStringLiteral("@table");
    if (key("Interface Used-", tableKey) != QStringLiteral("True"))
        return;
    const QString interfaceText = readSideFile(called.sideFile(".tic"));
    if (interfaceText.isEmpty())
        return;
    const QString owner = column.col + QStringLiteral("@inputXML");
    setKey(QStringLiteral("XML Fragment-") + owner, QStringLiteral("True"), false);
    QString code = key("XSL Code-", owner);
    makeSubstCode(interfaceText, tableKey, column.colXpath, code);
    setKey(QStringLiteral("XSL Code-") + owner, code, false);
    setKey(QStringLiteral("XSL Calculated-") + owner, QStringLiteral("True"), false);
    input = {code, true};
}

// The node set the called table gets, with what declares it.
QString inputSelection(GeneratorRun &run, const ColumnContext &column, const CalledTable &called,
                       const CallInput &input)
{
    const QString txp = trimmedRowXpath(called);
    const QString fragment = QStringLiteral("$tableInputXMLCalculated");
    if (input.text.isEmpty()) {
        const QString variable = called.name + QStringLiteral("_inputXMLTreeVariable");
        appendOnce(run.treeVariables,
                   QStringLiteral("<xsl:variable name='") + variable + QStringLiteral("' select='document(\"")
                       + fileUrl(called.storedPath(".xmf")) + QStringLiteral("\")'/>"));
        return QChar('$') + variable + txp;
    }
    if (input.calculated
        && key("XML Fragment-", column.col + QStringLiteral("@inputXML")) == QStringLiteral("True")) {
        run.add(QStringLiteral("<xsl:variable name='tableInputXMLCalculatedText'>") + userCode(input.text)
                + QStringLiteral("</xsl:variable><xsl:variable name='tableInputXMLCalculated' select='")
                + nodeSetFunction(run) + QStringLiteral("($tableInputXMLCalculatedText)'/>"));
        // The fragment is shaped like the called table's own XML: its rows lie at its row Xpath.
        return fragment + txp;
    }
    if (input.calculated) {
        QString expression = input.text;
        stripBreaks(expression);
        run.add(QStringLiteral("<xsl:variable name='tableInputXMLCalculated' select='")
                + attributeText(expression)
                + QStringLiteral("'/>"));
        return fragment;
    }
    // The column loop already stands on the mapped nodes.
    return relativeXpath(column.colXpath, input.text);
}

// The folders of the called table and of the tables it calls, which a restricted table may
// read from.
void noteCalledFolders(const QString &calledFile)
{
    QStringList &folders = workspace().current().calledFolders;
    for (const QString &file : tablesReachedFrom(calledFile))
        if (!folders.contains(getDir(file)))
            folders.append(getDir(file));
}

QString calledImportHref(const CalledTable &called)
{
    QString page = called.storedPath(".xmp");
    if (page.isEmpty())
        page = called.sideFile(".xsl");
    return importHref(page);
}

} // namespace

void writeCallTableBody(GeneratorRun &run, const ColumnContext &column)
{
    const QString &col = column.col;
    const QString reference = slashPath(key("Table-", col + QStringLiteral("@table")));
    if (reference.isEmpty()) {
        showMissingTableTip(col);
        return;
    }
    const QString here = getTableDir(workspace().curTable);
    const std::optional<CalledTable> called = findCalledTable(reference, here);
    if (!called || refused(col, *called, reference))
        return;
    restoreSideFiles(reference);
    CallInput input{getThatAtt(col, QStringLiteral("inputXML")),
                    isXslCalculated(col, QStringLiteral("inputXML"))};
    const QString params = withParams(col);
    copySideFiles(*called, here);
    substituteInterface(column, *called, input);
    const QString sel = inputSelection(run, column, *called, input);
    appendOnce(run.importList,
               QStringLiteral("<xsl:import href='") + calledImportHref(*called) + QStringLiteral("'/>"));
    noteCalledFolders(called->file);
    appendOnce(run.cssCalls, QStringLiteral("<xsl:call-template name='") + called->name + QStringLiteral("_css'/>"));
    appendOnce(run.scriptCalls,
               QStringLiteral("<xsl:call-template name='") + called->name + QStringLiteral("_tableScript'/>"));
    run.add(QStringLiteral("<xsl:call-template name='") + called->name
            + QStringLiteral("'><xsl:with-param name='inputXML' select='") + attributeText(sel)
            + QStringLiteral("'/><xsl:with-param name='instanceToken' select='$colId'/>"
                             "<xsl:with-param name='includeCommons'>false</xsl:with-param>")
            + params + QStringLiteral("</xsl:call-template>"));
}
