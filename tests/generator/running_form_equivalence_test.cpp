// The built-in processor runs a stylesheet in its running form; every table of the tests
// and every example gives, at every row limit, for the preview and for output, the page
// the stylesheet gives as written, byte for byte.
#include "call_table_fixture.h"
#include "documents/table_file_reader.h"
#include "every_type_table.h"
#include "generator/transform.h"
#include "generator/xsl_generator.h"
#include "platform/xslt/generator_marks.h"
#include "platform/xslt/xslt_transform.h"

#include <libxml/parser.h>
#include <libxslt/xsltInternals.h>

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString generated(bool production)
{
    if (production) {
        const ProductionRunGuard output;
        generateXSLCode(true);
    } else {
        generateXSLCode(false);
    }
    return workspace().current().xslGenerated;
}

// The running form compiles on its own: the processor never falls back to the text.
bool runningFormCompiles(const TransformJob &job)
{
    const QByteArray text = job.runningText.toUtf8();
    xmlDocPtr doc = xmlReadMemory(text.constData(), int(text.size()),
                                  job.baseUri.toUtf8().constData(), "UTF-8", XML_PARSE_NOCDATA);
    if (!doc)
        return false;
    prepareForRunning(doc, GeneratorMarks(doc), [] { return false; });
    const xsltStylesheetPtr style = xsltParseStylesheetDoc(doc);
    const bool compiles = style && style->errors == 0;
    if (style)
        xsltFreeStylesheet(style);
    else
        xmlFreeDoc(doc);
    return compiles;
}

// The current slot's table, every row limit, preview and output: the same page, or the
// same refusal when the table need not render.
void expectSamePages(const std::string &table, bool renders = true)
{
    TableDocument &doc = workspace().current();
    XsltOutcome failed;
    const std::shared_ptr<XmlSource> xml = XmlSource::parse(doc.xmlPath, {}, failed);
    ASSERT_TRUE(xml) << table << ": " << failed.reason.toStdString();
    for (int limit = 0; limit <= 4; ++limit) {
        doc.rowLimitIndex = limit;
        for (const bool production : {false, true}) {
            const TransformJob job = prepareTransform(doc.xmlPath, generated(production));
            const XsltOutcome written =
                runXslt(xml, job.xslCode, job.baseUri, job.limits, StylesheetForm::AsWritten);
            const XsltOutcome running =
                runXslt(xml, job.runningText, job.baseUri, job.limits, StylesheetForm::Running);
            const std::string where = table + " limit " + std::to_string(limit) +
                                      (production ? " output" : " preview");
            ASSERT_FALSE(job.runningText.isEmpty()) << where;
            ASSERT_TRUE(!renders || written.failure == XsltOutcome::Failure::None)
                << where << ": " << written.reason.toStdString();
            EXPECT_TRUE(!renders || runningFormCompiles(job)) << where;
            EXPECT_EQ(running.failure, written.failure) << where;
            EXPECT_TRUE(running.output == written.output && running.reason == written.reason)
                << where << ": " << running.reason.toStdString();
        }
    }
}

void everyTypeTables()
{
    // Hidden values, each with a row exclusion (some read the row's position and the loop's
    // size) and an order.
    const std::tuple<const char *, const char *, const char *> variants[] = {
        {"", "", "descending"},
        {"No", "@hide=\"1\"", ""},
        {"Invisible", "position() mod 7 = last() mod 7", ""},
        {"Omitted except for ordering", "position() = 3", "ascending"}};
    for (const auto &[hidden, exclusion, order] : variants) {
        TableFixture table;
        buildEveryType(table);
        workspace().current().xmlPath = table.home.file("rows.xml");
        writeFile(workspace().current().xmlPath, fixtureXml(55), true);
        table.set("Exclude Row If-Table", exclusion);
        table.set("Order Method-name", order);
        for (const auto &node : table.tree().root()->children)
            table.set("Hidden-" + node->text, hidden);
        expectSamePages(std::string("every type, hidden '") + hidden + "', excluding '" +
                        exclusion + "', order '" + order + "'");
    }
}

// User code that reads the generated variables by name, in every way they can be read: as
// text, in attribute value templates, copied, as a boolean, through an imported template
// and key, next to the loop's position, size and numbering, through dyn:evaluate and
// document(''); and user code that the processor refuses.
void userCodeTables()
{
    const char *const codes[] = {
        "<xsl:value-of select='concat($_rowNumber,$_columnName,$_columnNumber,$colId)'/>",
        "<b title='{$_rowNumber}:{$colId}'><xsl:copy-of select='$_rowNumber'/>"
        "<xsl:copy-of select='$colId'/></b>",
        "<xsl:if test='$_rowNumber'><xsl:value-of select='position()'/>/"
        "<xsl:value-of select='last()'/></xsl:if>",
        "<xsl:number/>.<xsl:number value='$_rowNumber' format='i'/>"
        "<xsl:value-of select='count(key(\"byId\",@id))'/>",
        "<xsl:variable name='v'><i><xsl:value-of select='$_columnName'/></i></xsl:variable>"
        "<xsl:copy-of select='$v'/><xsl:value-of select='$greeting'/>",
        "<xsl:call-template name='imported'><xsl:with-param name='n'>"
        "<xsl:value-of select='$_rowNumber'/></xsl:with-param></xsl:call-template>",
        "<xsl:for-each select='../row[position() &lt; 3]'><xsl:value-of select='position()'/>"
        "</xsl:for-each>",
        "<xsl:value-of xmlns:dyn='http://exslt.org/dynamic' "
        "select='dyn:evaluate(\"concat($_rowNumber,$colId,last())\")'/>",
        "<xsl:value-of select='count(document(\"\")//xsl:variable)'/>",
        "<xsl:variable name='v'><xsl:value-of xmlns:q='urn:q' select='count(q:n)'/>"
        "</xsl:variable><xsl:value-of select='$v'/>",
        "<xsl:variable name='e'><xsl:value-of select='@nope'/></xsl:variable>"
        "<xsl:if test='$e'>T</xsl:if><xsl:value-of select='concat(not($e), $e and 1)'/>",
        "<xsl:variable name='1x' select='1'/>",
        "<xsl:variable name='c' select='1'>x</xsl:variable>",
        "<xsl:choose><xsl:variable name='m' select='1'/><xsl:otherwise/></xsl:choose>"};
    for (const char *code : codes) {
        TableFixture table;
        buildEveryType(table);
        workspace().current().xmlPath = table.home.file("rows.xml");
        writeFile(workspace().current().xmlPath, fixtureXml(55), true);
        writeFile(table.home.file("lib.xsl"),
                  "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                  "<xsl:key name='byId' match='row' use='@id'/><xsl:template name='imported'>"
                  "<xsl:param name='n'/><xsl:copy-of select='$n'/></xsl:template>"
                  "</xsl:stylesheet>",
                  true);
        table.set("Import XSLT Files-Table", table.home.file("lib.xsl"));
        table.set("Order Method-name", "");
        table.set("XSL Code-x@xslCode", code);
        table.set("Header Title-x", "<xsl:value-of select='$greeting'/>");
        expectSamePages(std::string("user code ") + code, false);
    }
}

void callingTable()
{
    CallTableFixture f;
    f.writeCalled("lib", {{"Row (Debug)-Table", "<xsl:value-of select='$_rowNumber'/>"},
                          {"Enable Debug-Table", "True"}});
    f.addCall("call", "../lib/Called.tvk");
    f.caller.set("Row (Debug)-Table", "<b><xsl:value-of select='$_rowNumber'/></b>");
    f.caller.set("Enable Debug-Table", "True");
    expectSamePages("calling table");
}

void examples()
{
    for (const char *name : {"demo_books", "demo_orders"}) {
        TableFixture table;
        for (const char *extension : {".tvk", ".xml"})
            QFile::copy(QStringLiteral(TARVIK_SOURCE_DIR "/resources/examples/") + name + extension,
                        table.home.file(QString(name) + extension));
        workspace().current().reset();
        ASSERT_EQ(readTable(table.home.file(QString(name) + ".tvk")), TableReadOutcome::Complete);
        workspace().current().xmlPath = table.home.file(QString(name) + ".xml");
        expectSamePages(name);
    }
}

// Every element of the running text carries the generator's mark but those the user wrote,
// in any field that takes the user's markup; the marks are all it adds to the text.
TEST(RunningForm, MarksEveryElementButTheUsers)
{
    TableFixture table;
    buildEveryType(table);
    const QString user = QStringLiteral("<em>1</em>");
    for (const char *field : {"XSL Code-x@xslCode", "Row (Debug)-Table", "Column (Debug)-name",
                              "CSS Style-name", "CSS Style-Table", "Table Scripts-Table",
                              "Header Title-name"})
        table.set(field, user);
    table.addCodeAttribute("name", "title", user);
    table.set("XSLT Input Parameters-Table", QString("greeting") + QChar(14) + user + QChar(15));
    const QString running = (generated(false), workspace().current().xslRunning);
    EXPECT_EQ(withoutGeneratorMarks(running), workspace().current().xslGenerated);

    const QByteArray text = running.toUtf8();
    xmlDocPtr doc = xmlReadMemory(text.constData(), int(text.size()), "t.xsl", "UTF-8", 0);
    ASSERT_TRUE(doc);
    const GeneratorMarks marks(doc);
    int users = 0;
    const std::function<void(xmlNodePtr)> check = [&](xmlNodePtr node) {
        for (; node; node = node->next) {
            if (node->type != XML_ELEMENT_NODE)
                continue;
            const bool byUser = xmlStrEqual(node->name, BAD_CAST "em");
            users += byUser;
            EXPECT_NE(marks.on(node), byUser) << node->name << " line " << xmlGetLineNo(node);
            check(node->children);
        }
    };
    check(xmlDocGetRootElement(doc));
    xmlFreeDoc(doc);
    EXPECT_EQ(users, workspace().current().xslGenerated.count(QStringLiteral("<em>")));
    EXPECT_GE(users, 9);
}

TEST(RunningForm, GivesThePagesOfTheStylesheetAsWritten)
{
    for (const auto &corpus : {everyTypeTables, userCodeTables, callingTable, examples})
        corpus();
}

} // namespace
