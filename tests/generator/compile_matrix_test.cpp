// Every generated stylesheet meets libxslt: tables over every column type, Hidden value,
// row limit and output flag compile and transform a fixture document, and the page
// carries the ids and classes the preview relies on.
#include "every_type_table.h"
#include "generator/xsl_generator.h"
#include "documents/text_files.h"
#include "libxslt_runner.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct Generated {
    QString raw;
    QString stored;
};

Generated generate(bool production)
{
    if (production) {
        ProductionRunGuard output;
        return {buildXslCode(true), (generateXSLCode(true), workspace().current().xslGenerated)};
    }
    return {buildXslCode(false), (generateXSLCode(false), workspace().current().xslGenerated)};
}

class CompileMatrix : public ::testing::Test {
protected:
    void SetUp() override { buildEveryType(table); }
    TableFixture table;
};

} // namespace

TEST_F(CompileMatrix, EveryCombinationCompilesAndTransforms)
{
    const QString xml = fixtureXml(60);
    const char *hiddenValues[] = {"", "No", "Invisible", "Omitted except for ordering"};
    for (const char *hidden : hiddenValues) {
        for (const auto &node : table.tree().root()->children)
            table.set("Hidden-" + node->text, hidden);
        for (int limit = 0; limit <= 4; ++limit) {
            workspace().current().rowLimitIndex = limit;
            for (const bool production : {false, true}) {
                const Generated generated = generate(production);
                for (const QString &xsl : {generated.raw, generated.stored}) {
                    const XsltRun run = runLibxslt(xsl, xml);
                    ASSERT_TRUE(run.compiled && run.transformed)
                        << "hidden=" << hidden << " limit=" << limit << " production=" << production
                        << "\n" << run.errors.toStdString();
                    EXPECT_TRUE(HtmlPage(run.html).parsed());
                }
            }
        }
    }
}

TEST_F(CompileMatrix, PageCarriesTableRowAndCellIds)
{
    const XsltRun run = runLibxslt(generate(false).stored, fixtureXml(60));
    ASSERT_TRUE(run.transformed) << run.errors.toStdString();
    const HtmlPage page(run.html);
    EXPECT_EQ(page.count("//table[@id='t_1_T' and @class='Ts0 s0_T']"), 1);
    EXPECT_EQ(page.count("//form[@name='f_1_T' and @id='f_1_T']/table"), 1);
    EXPECT_EQ(page.count("//title[.='Every type & more']"), 1);
    EXPECT_EQ(page.count("//th[@class='Tsh']"), 11);
    // Sorted descending by name: the first row is the row whose name sorts last.
    EXPECT_EQ(page.count("//tr[2]/td[@id='r_1_1_T_name' and @class='Ts1']//span[.='Name 9']"), 1);
    EXPECT_EQ(page.count("//td[@id='r_1_60_T_sel' and @class='Ts10']"), 1);
    EXPECT_EQ(page.count("//td[@id='r_1_7_T_h']/div[@id='r_1_7_T_h_1']"), 1);
    EXPECT_EQ(page.count("//td[@class='Ts1' and @style='width:10px']"), 60);
    EXPECT_EQ(page.count("//td[@class='Ts2']/div/i"), 60);
    // One select per row, listing the row's own options.
    EXPECT_EQ(page.count("//select[@name='sel' and count(option)=2]/option[@value='o\"1']"), 60);
    EXPECT_EQ(page.count("//style[contains(., '.s0_T {margin:0;}')]"), 1);
    EXPECT_EQ(page.count("//head/script[contains(., 'function _submitForm')]"), 1);
    EXPECT_EQ(page.count("//input[@type='submit' and @name='s' and "
                         "@onclick=\"javascript:_submitForm('f_1_T','save.php')\"]"), 60);
}

TEST_F(CompileMatrix, RowLimitsAndOutputRuns)
{
    const QString xml = fixtureXml(60);
    const int expected[] = {60, 5, 10, 20, 50};
    for (int limit = 0; limit <= 4; ++limit) {
        workspace().current().rowLimitIndex = limit;
        const HtmlPage preview(runLibxslt(generate(false).stored, xml).html);
        EXPECT_EQ(preview.count("//td[@class='Ts1']"), expected[limit]) << limit;
        const HtmlPage output(runLibxslt(generate(true).stored, xml).html);
        EXPECT_EQ(output.count("//td[@class='Ts1']"), 60) << limit;
    }
}

TEST_F(CompileMatrix, DebugCellsOnlyInPreviewsWithDebugOn)
{
    const QString xml = fixtureXml(60);
    const QString debugDiv = "div[@style='color:blue;background-color:#ffffcc;']";
    const QString rowDebug = "//tr/td[1][not(@class)]/" + debugDiv;
    const QString columnDebug = "//td[@class='Ts1']/" + debugDiv + "[.='[name]']";
    const HtmlPage preview(runLibxslt(generate(false).stored, xml).html);
    EXPECT_EQ(preview.count(rowDebug), 60);
    EXPECT_EQ(preview.count(rowDebug + "[.='60']"), 1);
    EXPECT_EQ(preview.count(columnDebug), 60);
    EXPECT_EQ(HtmlPage(runLibxslt(generate(true).stored, xml).html).count("//" + debugDiv), 0);
    table.set("Enable Debug-Table", "False");
    EXPECT_EQ(HtmlPage(runLibxslt(generate(false).stored, xml).html).count("//td[not(@class)]"), 0);
}

TEST_F(CompileMatrix, ExcludedRowsAndColumns)
{
    table.set("Exclude Row If-Table", "@hide=\"1\"");
    table.set("Exclude Column If-name", "$_columnName = \"name\" and @id mod 2 = 0");
    const HtmlPage page(runLibxslt(generate(false).stored, fixtureXml(60)).html);
    EXPECT_EQ(page.count("//tr[td[@class='Ts2']]"), 57);
    EXPECT_EQ(page.count("//td[@class='Ts1']"), 30);
}

// The page xsltproc makes of the stylesheet and the document.
QString runXsltproc(const TableFixture &table, const QString &xsl, const QString &xml)
{
    writeFile(table.home.file("s.xsl"), xsl, true);
    writeFile(table.home.file("d.xml"), xml, true);
    QProcess xsltproc;
    xsltproc.start("xsltproc", {table.home.file("s.xsl"), table.home.file("d.xml")});
    xsltproc.waitForFinished();
    return xsltproc.exitCode() == 0 ? QString::fromUtf8(xsltproc.readAllStandardOutput())
                                    : QString::fromUtf8(xsltproc.readAllStandardError());
}

// A Select offers, once per row, the values of its own Xpath seen from the row (the row's
// own values, or a list shared by every row) or of its base; its text and value may be
// the user's XSL code; a base given as code loops over the column's own Xpath. Each page
// is made by libxslt and by xsltproc, for the preview and for output.
TEST(SelectColumns, OfferTheirListOncePerRow)
{
    const QString xml = "<shop><categories><cat id='k'>Kitchen</cat><cat id='g'>Garden</cat>"
                        "<cat id='t'>Tools</cat></categories><products>"
                        "<product><category>Kitchen</category></product>"
                        "<product><category>Garden</category></product>"
                        "<product><category>Tools</category></product></products></shop>";
    struct Mapping {
        const char *name, *xpath, *code;
    };
    struct Case {
        std::vector<Mapping> mappings;
        std::vector<std::pair<const char *, int>> counts;
    };
    const char *own = "/shop/products/product/category", *list = "/shop/categories/cat";
    const char *concat = "<xsl:value-of select='concat(\"*\", .)'/>";
    const Case cases[] = {
        {{{"displayValue", own, nullptr}},
         {{"//select[count(option)=1]", 3},
          {"(//select)[1]/option[@value='Kitchen' and .='Kitchen']", 1}}},
        {{{"displayValue", list, nullptr}},
         {{"//select[count(option)=3]", 3}, {"//select/option[3][@value='Tools' and .='Tools']", 3}}},
        {{{"displayValue", list, nullptr}, {"baseXpath", list, nullptr},
          {"optionValue", "/shop/categories/cat/@id", nullptr}},
         {{"//select[count(option)=3]", 3}, {"//select/option[1][@value='k' and .='Kitchen']", 3}}},
        {{{"displayValue", list, concat}, {"optionValue", "/shop/categories/cat/@id", nullptr}},
         {{"//select[count(option)=3]", 3}, {"//select/option[2][@value='g' and .='*Garden']", 3}}},
        {{{"displayValue", own, nullptr}, {"baseXpath", list, concat}, {"optionValue", own, concat}},
         {{"//select[count(option)=1]", 3}, {"(//select)[3]/option[@value='*Tools' and .='Tools']", 1}}},
    };
    for (const Case &c : cases) {
        TableFixture table("T", "/shop/products/product");
        table.addColumn("sel", "Select", c.mappings.front().xpath); // mapping displayValue
        for (const Mapping &m : c.mappings) {
            if (&m != &c.mappings.front())
                table.addAttribute("sel", m.name, m.xpath);
            if (m.code)
                table.addCodeAttribute("sel", m.name, m.code);
        }
        for (const bool production : {false, true}) {
            const QString xsl = production ? generate(true).stored : generate(false).stored;
            const XsltRun run = runLibxslt(xsl, xml);
            ASSERT_TRUE(run.transformed) << run.errors.toStdString();
            for (const QString &html : {run.html, runXsltproc(table, xsl, xml)}) {
                const HtmlPage page(html);
                EXPECT_EQ(page.count("//select[@name='sel']"), 3) << html.toStdString();
                for (const auto &[path, expected] : c.counts)
                    EXPECT_EQ(page.count(path), expected) << path;
            }
        }
    }
}
