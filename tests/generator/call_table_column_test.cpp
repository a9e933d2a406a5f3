// "Call Table" columns: the called table's import, variables and call, its page nested in
// the caller's cells through the built-in processor and xsltproc, and the guards around
// the called table's files.
#include "call_table_fixture.h"
#include "documents/interface_text.h"
#include "documents/path_helpers.h"
#include "documents/table_file_reader.h"
#include "documents/table_to_call.h"
#include "generator/preview_render.h"
#include "generator/side_files.h"
#include "generator/transform.h"
#include "generator/xsl_generator.h"
#include "libxslt_runner.h"
#include "support/file_bytes.h"
#include "support/recording_tips.h"
#include "support/scripted_ui.h"

#include <QUrl>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// The id of the called table's cell of column col, in the caller's row 1, column-item n.
QString nestedCell(const QString &callerColumn, int item, int calledRow, const QString &col)
{
    return QString("r_r_1_1_Caller_%1_%2_%3_Called_%4").arg(callerColumn).arg(item).arg(calledRow).arg(col);
}

int cellsHolding(const QString &html, const QString &id, const QString &text)
{
    return HtmlPage(html).count("//td[@id='" + id + "'][normalize-space(.)='" + text + "']");
}

QString generated()
{
    generateXSLCode(false);
    return workspace().current().xslGenerated;
}

// The preview's render, as "tvktool transform" runs it.
TransformResult rendered()
{
    generateXSLCode(false);
    RenderOutcome outcome;
    return renderGenerated(RunTrust::Trusted, true, outcome);
}

struct Processor {
    const char *name;
    bool plugIn;
};

// The page of the caller's XML through each processor, generated for it; xsltproc's
// node-set function is EXSLT's.
QStringList pages()
{
    QStringList list;
    for (const bool plugIn : {false, true}) {
        setKey("Use Plug In XSLT-Table", plugIn ? "True" : "False", false);
        setKey("XSLT Command Line-Table", plugIn ? "xsltproc xslFileName xmlFileName" : "", false);
        setKey("node-set Call-Table", "exsl:node-set", false);
        const TransformResult result = runTransform(workspace().current().xmlPath, generated());
        EXPECT_TRUE(result.ok) << result.message.toStdString() << result.html.toStdString();
        list << result.html;
    }
    return list;
}

class CallTable : public ::testing::TestWithParam<const char *> {
protected:
    CallTableFixture f;
    ScopedScriptedUi ui;
};

} // namespace

TEST_P(CallTable, TwoColumnsOverOneCalledTableNestItsCellsWithBothProcessors)
{
    const QString folder = GetParam();
    f.writeCalled(folder);
    f.addCall("first", "../" + folder + "/Called.tvk");
    f.addCall("second", "../" + folder + "/Called.tvk");
    const QString xsl = generated();
    const QString encoded = QUrl::toPercentEncoding(folder, "/");
    EXPECT_EQ(xsl.count("<xsl:import href=\"../" + encoded + "/Called.xsl\"/>"), 1) << xsl.toStdString();
    EXPECT_EQ(xsl.count("<xsl:call-template name=\"Called_css\"/>"), 1);
    EXPECT_EQ(xsl.count("<xsl:call-template name=\"Called_tableScript\"/>"), 1);
    EXPECT_EQ(xsl.count("select=\"document(&quot;" + fileUrl(f.dir(folder) + "list.xml") + "&quot;)\""), 1);
    EXPECT_EQ(xsl.count("<xsl:call-template name=\"Called\">"), 2);
    EXPECT_EQ(xsl.count("<xsl:with-param name=\"instanceToken\" select=\"$colId\"/>"), 2);
    EXPECT_EQ(getKey("Xpath-first@table"), "/rows/row");
    for (const QString &page : pages()) {
        for (const char *column : {"first", "second"}) {
            EXPECT_EQ(cellsHolding(page, nestedCell(column, 1, 1, "c"), "x1"), 1) << page.toStdString();
            EXPECT_EQ(cellsHolding(page, nestedCell(column, 1, 2, "d"), "y2"), 1);
        }
    }
    EXPECT_TRUE(ui->messages.isEmpty()) << ui->messages.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Folders, CallTable, ::testing::Values("shared", "shared lib", "it's #1"));

TEST(CallTableInput, MappedNodesAndInterfaceTranslationReachTheCalledTablesCells)
{
    CallTableFixture f;
    ScopedScriptedUi ui;
    const QString interface = packInterfaceText(
        {{"Table", "rows", "/list/item"}, {"....c", "c", "/list/item/c"}, {"....d", "d", "/list/item/d"}},
        "<list><xsl:for-each select='$interface_xpath_for_Table'><item>"
        "<xsl:for-each select='$interface_xpath_for_c'><c><xsl:value-of select='$interface_text_for_c'/></c></xsl:for-each>"
        "<xsl:for-each select='$interface_xpath_for_d'><d><xsl:value-of select='$interface_text_for_d'/></d></xsl:for-each>"
        "</item></xsl:for-each></list>");
    f.writeCalled("lib", {{"Table Interface-Table", interface}});
    // Mapped to the caller's nodes: the column loop stands on them.
    f.addCall("mapped", "../lib/Called.tvk");
    f.caller.set("Xpath-mapped@inputXML", "/rows/row/item");
    // Through the interface, from the caller's rows.
    f.addCall("translated", "../lib/Called.tvk");
    f.caller.set("Interface Used-translated@table", "True");
    f.caller.set("Call Xpath-translated@table-Table", "/rows/row/item");
    f.caller.set("Call Xpath-translated@table-c", "/rows/row/item/d");
    f.caller.set("Call Xpath-translated@table-d", "/rows/row/item/c");
    const QString xsl = generated();
    EXPECT_FALSE(xsl.contains("document(")) << "no document variable";
    EXPECT_EQ(getKey("XML Fragment-translated@inputXML"), "True");
    EXPECT_EQ(getKey("XSL Calculated-translated@inputXML"), "True");
    EXPECT_TRUE(getKey("XSL Code-translated@inputXML").contains("<xsl:for-each select='item'><item>"));
    for (const QString &page : pages()) {
        EXPECT_EQ(cellsHolding(page, nestedCell("mapped", 1, 1, "c"), "m1"), 1) << page.toStdString();
        EXPECT_EQ(cellsHolding(page, nestedCell("mapped", 2, 1, "d"), "n2"), 1);
        // c and d are mapped the other way round.
        EXPECT_EQ(cellsHolding(page, nestedCell("translated", 1, 1, "c"), "n1"), 1);
        EXPECT_EQ(cellsHolding(page, nestedCell("translated", 1, 2, "d"), "m2"), 1);
    }
}

TEST(CallTableInput, XslCodeInputIsDeclaredAsTheNodeSet)
{
    CallTableFixture f;
    f.writeCalled("lib");
    f.addCall("calc", "../lib/Called.tvk");
    f.caller.addCodeAttribute("calc", "inputXML", "item[c=\"m2\"]");
    const QString xsl = generated();
    EXPECT_TRUE(xsl.contains("<xsl:variable name=\"tableInputXMLCalculated\" select=\"item[c=&quot;m2&quot;]\"/>"))
        << xsl.toStdString();
    f.caller.set("XML Fragment-calc@inputXML", "True");
    f.caller.set("node-set Call-Table", "exsl:node-set");
    EXPECT_TRUE(generated().contains("select=\"msxsl:node-set($tableInputXMLCalculatedText)\""));
    const ProductionRunGuard output;
    generateXSLCode(true);
    EXPECT_TRUE(workspace().current().xslGenerated.contains(
        "select=\"exsl:node-set($tableInputXMLCalculatedText)\""));
}

TEST(CallTableFiles, NeverOverwriteOrDeleteATablesOwnSideFiles)
{
    CallTableFixture f;
    ScopedScriptedUi ui;
    f.writeCalled("lib");
    // An unrelated table named Called beside the caller, and one referenced from its own folder.
    writeFile(f.callerDir() + "Called.tvk", "unrelated", true);
    writeFile(f.callerDir() + "Called.txp", "/own/rows", true);
    f.addCall("far", "../lib/Called.tvk");
    f.writeCalled("caller", {}, "Near");
    const QString nearXsl = readFile(f.callerDir() + "Near.xsl");
    f.addCall("near", "Near.tvk");
    const QString xsl = generated();
    EXPECT_EQ(readFile(f.callerDir() + "Called.txp"), "/own/rows");
    EXPECT_EQ(readFile(f.callerDir() + "Near.xsl"), nearXsl);
    EXPECT_TRUE(xsl.contains("<xsl:import href=\"Near.xsl\"/>"));
    EXPECT_TRUE(xsl.contains("$Called_inputXMLTreeVariable/list/item")) << "read from its own folder";
}

TEST(CallTableFiles, CopiesTheSideFilesBesideTheCallerAndResolvesFromItsFolder)
{
    CallTableFixture f;
    f.writeCalled("lib");
    writeFile(f.dir("lib") + "Called.xmp", f.dir("out") + "page.xsl", true);
    f.addCall("far", "../lib/Called.tvk");
    QDir::setCurrent(f.caller.home.path()); // not the caller's folder
    const QString xsl = generated();
    for (const char *extension : {".xsl", ".txp", ".xmf", ".xmp", ".tic"})
        EXPECT_EQ(readFile(f.callerDir() + "Called" + extension), readFile(f.dir("lib") + "Called" + extension))
            << extension;
    EXPECT_TRUE(xsl.contains("<xsl:import href=\"../out/page.xsl\"/>")) << xsl.toStdString();

    // A copy that cannot be written is reported once per render.
    ScopedScriptedUi ui;
    QDir().mkpath(f.dir("out"));
    writeFile(f.dir("out") + "page.xsl", readFile(f.dir("lib") + "Called.xsl"), true);
    QFile::remove(f.callerDir() + "Called.tic");
    QDir().mkpath(f.callerDir() + "Called.tic");
    rendered();
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_TRUE(ui->messages[0].startsWith("Cannot write to file " + f.callerDir() + "Called.tic"));
}

namespace {

// Where the called table lies, what its side files hold, and how the caller stores its
// own paths; "%h" stands for the data folder.
struct PathCase {
    const char *what;
    const char *calledFolder;
    const char *calledXmf;  // as the called table's ".xmf" holds it
    const char *calledXmp;  // as its ".xmp" holds it
    bool callerXmlRelative; // the caller's table file names "rows.xml"
    bool callerOutElsewhere; // the caller's XSL output folder is "web/", holding a decoy
};

void PrintTo(const PathCase &c, std::ostream *os) { *os << c.what; }

class CalledTablePaths : public ::testing::TestWithParam<PathCase> {};

// A stylesheet of the called table's name that shows only "decoy".
const QString decoy = QStringLiteral(
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
    "<xsl:template name='Called'>decoy</xsl:template><xsl:template name='Called_css'/>"
    "<xsl:template name='Called_tableScript'/></xsl:stylesheet>");

} // namespace

// The caller read from its table file and rendered as "tvktool transform" does, with the
// working folder elsewhere: the called rows show whatever form its paths take.
TEST_P(CalledTablePaths, TheCalledRowsShowFromAnyWorkingFolder)
{
    const PathCase &c = GetParam();
    CallTableFixture f;
    ScopedScriptedUi ui;
    const auto expand = [&](const QString &text) { return QString(text).replace("%h", f.caller.home.path()); };
    f.writeCalled(c.calledFolder);
    const QString called = f.dir(c.calledFolder);
    writeFile(called + "Called.xmf", expand(c.calledXmf), true);
    writeFile(called + "Called.xmp", expand(c.calledXmp), true);
    QDir().mkpath(f.dir("pages"));
    writeFile(f.dir("pages") + "page.xsl", readFile(called + "Called.xsl"), true);
    f.addCall("call", c.calledFolder == QString("caller") ? "Called.tvk" : "../lib/Called.tvk");
    TableDocument &doc = workspace().current();
    doc.xslFileName = "Caller.xsl";
    if (c.callerOutElsewhere) {
        doc.xslFileDir = f.dir("web");
        QDir().mkpath(doc.xslFileDir);
        writeFile(doc.xslFileDir + "Called.xsl", decoy, true);
    }
    if (c.callerXmlRelative)
        doc.xmlPath = "rows.xml";
    const QString callerFile = doc.tablePath;
    ASSERT_TRUE(writeTableFile(callerFile));

    doc.reset();
    QDir().mkpath(f.dir("elsewhere"));
    QDir::setCurrent(f.dir("elsewhere"));
    ASSERT_EQ(readTable(callerFile), TableReadOutcome::Complete);
    const TransformResult result = rendered();
    ASSERT_TRUE(result.ok) << result.message.toStdString() << result.html.toStdString();
    EXPECT_EQ(cellsHolding(result.html, nestedCell("call", 1, 1, "c"), "x1"), 1) << result.html.toStdString();
    EXPECT_EQ(cellsHolding(result.html, nestedCell("call", 1, 2, "d"), "y2"), 1);
    EXPECT_TRUE(ui->messages.isEmpty()) << ui->messages.join('\n').toStdString();
    EXPECT_EQ(readFile(f.callerDir() + "Caller.xmf"), f.callerDir() + "rows.xml");
    EXPECT_EQ(readFile(f.callerDir() + "Caller.xmp"),
              (c.callerOutElsewhere ? f.dir("web") : f.callerDir()) + "Caller.xsl");
}

INSTANTIATE_TEST_SUITE_P(
    Folders, CalledTablePaths,
    ::testing::Values(
        PathCase{"one folder, all relative", "caller", "list.xml", "", true, false},
        PathCase{"one folder, bare page, output elsewhere", "caller", "%h/caller/list.xml", "Called.xsl", false, true},
        PathCase{"two folders, all bare, output elsewhere", "lib", "list.xml", "Called.xsl", true, true},
        PathCase{"two folders, page in a third", "lib", "%h/lib/list.xml", "../pages/page.xsl", true, false},
        PathCase{"two folders, absolute page, output elsewhere", "lib", "./list.xml", "%h/pages/page.xsl", false, true}),
    [](const auto &info) { return "case" + std::to_string(info.index); });

TEST(CallTableGuards, ATableOfTheCallersNameIsRefusedWhenSelectedAndWhenGenerated)
{
    CallTableFixture f;
    ScopedScriptedUi ui;
    f.writeCalled("lib", {}, "Caller");
    ui->fileAnswers = {f.dir("lib") + "Caller.tvk"};
    EXPECT_EQ(selectTableToCall(), "");
    EXPECT_EQ(ui->messages, QStringList{"A table can't call another table of the same name (../lib/Caller.tvk). "
                                        "Please rename one of them."});
    ui->messages.clear();
    f.addCall("same", "../lib/Caller.tvk");
    const TransformResult result = rendered();
    EXPECT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(workspace().current().xslGenerated.count("<xsl:call-template name=\"Caller\">"), 1)
        << "the root template's only";
    EXPECT_EQ(ui->messages, QStringList{"Column same (Call Table) is not called: it calls another table of the same "
                                        "name (../lib/Caller.tvk)."});
}

TEST(CallTableGuards, RecursionIsRefusedWithTheChain)
{
    CallTableFixture f;
    ScopedScriptedUi ui;
    f.addCall("self", "Caller.tvk");
    ASSERT_TRUE(writeTableFile(workspace().current().tablePath));
    f.writeCalled("lib", {{"Type-back", "Call Table"}, {"Table-back@table", "../caller/Caller.tvk"}});
    f.addCall("through", "../lib/Called.tvk");
    const QString xsl = generated();
    EXPECT_EQ(xsl.count("<xsl:call-template name=\"Caller\">"), 1) << "the root template's only";
    EXPECT_FALSE(xsl.contains("<xsl:call-template name=\"Called\">"));
    EXPECT_EQ(ui->messages,
              QStringList({"Column self (Call Table) is not called: the tables call each other "
                           "without end (Caller.tvk -> Caller.tvk).",
                           "Column through (Call Table) is not called: the tables call each other "
                           "without end (Caller.tvk -> Called.tvk -> Caller.tvk)."}));
    ui->messages.clear();
    getXSLFile(); // a render's second generation, for the side files
    EXPECT_TRUE(ui->messages.isEmpty());
}

// A chain of 20,000 calls ending in a call back, and called "tables" that are a device and
// a pipe, are followed without exhausting the stack or the memory, and without blocking.
TEST(CallTableGuards, LongChainsDevicesAndPipesAreFollowedSafely)
{
    CallTableFixture f;
    ScopedScriptedUi ui;
    const int length = 20000;
    for (int i = 0; i < length; ++i)
        ASSERT_TRUE(writeBytes(f.callerDir() + QString("t%1.tvk").arg(i),
                               QString("x.xml\x04Type-c\x02" "Call Table\x03Table-c@table\x02t%1.tvk\x03\x04")
                                   .arg((i + 1) % length)
                                   .toUtf8()));
    ASSERT_TRUE(QFile::link("/dev/zero", f.callerDir() + "zero.tvk"));
    ASSERT_EQ(mkfifo((f.callerDir() + "pipe.tvk").toUtf8().constData(), 0600), 0);
    f.addCall("deep", "t0.tvk");
    f.addCall("zero", "zero.tvk");
    f.addCall("pipe", "pipe.tvk");
    const QString xsl = generated();
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_TRUE(ui->messages[0].startsWith(
        "Column deep (Call Table) is not called: the tables call each other without end (Caller.tvk -> t0.tvk -> t1.tvk -> "));
    EXPECT_TRUE(ui->messages[0].endsWith(" -> t19999.tvk -> t0.tvk)."));
    EXPECT_TRUE(xsl.contains("<xsl:call-template name=\"zero\">"));
    EXPECT_TRUE(xsl.contains("<xsl:call-template name=\"pipe\">"));
}

TEST(CallTableGuards, MissingTableShowsItsTipOnceAndANameWithoutDotCallsNothing)
{
    CallTableFixture f;
    ScopedScriptedUi ui;
    RecordingTips tips;
    QDir().mkpath(f.dir("tables"));
    f.addCall("none", "");
    f.addCall("nodot", "Called");
    generated();
    const QString xsl = generated();
    EXPECT_EQ(tips.balloons.join('|').toStdString(), "Required attribute not mapped @ 1.template");
    EXPECT_TRUE(tips.texts[0].startsWith("File none (Call Table) doesn't have required attribute (table) set."));
    EXPECT_FALSE(xsl.contains("<xsl:import"));
    EXPECT_FALSE(xsl.contains("<xsl:call-template name=\"Called\""));
}
