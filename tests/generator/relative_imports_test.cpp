// Imports named relative to the XSL output folder, resolved by xsltproc from the written
// output page.
#include "documents/text_files.h"
#include "generator/xsl_generator.h"
#include "table_fixture.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

QString namedTemplate(const QString &name, const QString &text)
{
    return QStringLiteral("<xsl:stylesheet version='1.0' "
                          "xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                          "<xsl:template name='%1'>%2</xsl:template></xsl:stylesheet>")
        .arg(name, text);
}

} // namespace

// A name with a blank, a non-ASCII letter or "%" is written as a URI reference.
TEST(RelativeImports, BareNameAndParentEntryAreFoundFromTheOutputFolder)
{
    TableFixture table;
    const QString out = table.home.file("out/");
    ASSERT_TRUE(QDir().mkpath(out) && QDir().mkpath(table.home.file("lib")));
    writeFile(out + "com mon%ü.xsl", namedTemplate("fromCommon", "C"), true);
    writeFile(table.home.file("lib/x.xsl"), namedTemplate("fromLib", "L"), true);
    writeFile(out + "in.xml", "<rows><row/></rows>", true);
    workspace().current().xslFileDir = out;
    table.set("Import XSLT Files-Table", "com mon%ü.xsl, ../lib/x.xsl");
    table.addColumn("x", "XSL Code");
    table.set("XSL Code-x@xslCode",
              "<xsl:call-template name='fromCommon'/>+<xsl:call-template name='fromLib'/>");
    ASSERT_TRUE(generateXSLCode(false).indented);
    const QString stored = workspace().current().xslGenerated;
    EXPECT_TRUE(stored.contains("<xsl:import href=\"com%20mon%25%C3%BC.xsl\"/>"));
    EXPECT_TRUE(stored.contains("<xsl:import href=\"../lib/x.xsl\"/>"));
    writeFile(out + "T.xsl", stored, true);

    QProcess xsltproc;
    xsltproc.start("xsltproc", {out + "T.xsl", out + "in.xml"});
    ASSERT_TRUE(xsltproc.waitForFinished(30000));
    const QString errors = QString::fromUtf8(xsltproc.readAllStandardError());
    EXPECT_EQ(xsltproc.exitCode(), 0) << errors.toStdString();
    EXPECT_TRUE(QString::fromUtf8(xsltproc.readAllStandardOutput()).contains("C+L"))
        << errors.toStdString();
}
