// The published PHP page: its variants, checked by PHP's own syntax check, and the live
// variant run by PHP with xsltproc as a web server would.
#include "documents/text_files.h"
#include "publishing/php_page.h"
#include "support/file_bytes.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// PHP's output for the page file; the exit code in code.
QString runPhp(const QStringList &arguments, const QString &folder, int *code = nullptr)
{
    QProcess php;
    php.setWorkingDirectory(folder);
    php.setProcessChannelMode(QProcess::MergedChannels);
    php.start(QStringLiteral("php"), QStringList{"-n"} + arguments);
    EXPECT_TRUE(php.waitForFinished(30000));
    if (code)
        *code = php.exitCode();
    return QString::fromUtf8(php.readAll());
}

void expectValidPhp(const QString &page)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeFile(dir.filePath("page.php"), page, true));
    int code = -1;
    const QString out = runPhp({"-l", "page.php"}, dir.path(), &code);
    EXPECT_EQ(code, 0) << out.toStdString() << page.toStdString();
}

} // namespace

TEST(PhpPage, VariantsFollowTheLiveSourceAndTheTransformBox)
{
    const QString oneLine = "<?php passthru('xsltproc ' . escapeshellarg('books.xsl') . ' ' . "
                            "escapeshellarg('books.xml') ); ?>";
    const QString empty = "<?php \r\n//Nothing: XML file is not fetched from outside source and XSL "
                          "transformation is not performed\r\n ?>";
    const QString live =
        "<?php \r\n"
        "   $fp = fopen('http://example.org/feed', 'r');\r\n"
        "   if (is_resource($fp)) {\r\n"
        "       $content = ''; while(!feof($fp)) $content .= fgets($fp, 1024);\r\n"
        "       fclose($fp);\r\n"
        "       $fp = fopen('books.xml', 'w+');\r\n"
        "       if (is_resource($fp)) {\r\n"
        "           fwrite($fp,$content );\r\n"
        "           fclose($fp);\r\n"
        "%1"
        "       }\r\n"
        "   }\r\n"
        "?>";
    const QString transform = "           passthru('xsltproc ' . escapeshellarg('books.xsl') . ' ' . "
                              "escapeshellarg('books.xml') ); \r\n";
    struct Case {
        const char *source;
        bool noTransform;
        QString page;
    } cases[] = {
        {"", false, oneLine},
        {" \t\r\n", false, oneLine},
        {"books.xml", false, oneLine},
        {"", true, empty},
        {" books.xml ", true, empty},
        {" http://example.org/feed\n", false, live.arg(transform)},
        {"http://example.org/feed", true, live.arg(QString())},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.source);
        const QString page = buildPhpPage("books.xml", "books.xsl", c.source, c.noTransform);
        EXPECT_EQ(page.toStdString(), c.page.toStdString());
        expectValidPhp(page);
    }
}

TEST(PhpPage, NamesAreQuotedForPhpAndTheShell)
{
    const QString page = buildPhpPage("it's \\ $(x).xml", "a'b;rm -rf.xsl", "src' . 'x", false);
    EXPECT_TRUE(page.contains("fopen('src\\' . \\'x', 'r')"));
    EXPECT_TRUE(page.contains("escapeshellarg('a\\'b;rm -rf.xsl')"));
    EXPECT_TRUE(page.contains("fopen('it\\'s \\\\ $(x).xml', 'w+')"));
    expectValidPhp(page);
}

TEST(PhpPage, LivePageRefreshesTheXmlAndTransformsIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeFile(dir.filePath("feed source.xml"), "<r><v>fresh</v></r>", true));
    ASSERT_TRUE(writeFile(dir.filePath("d x.xml"), "<r><v>stale</v></r>", true));
    ASSERT_TRUE(writeFile(dir.filePath("it's.xsl"),
                          "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                          "<xsl:output method='text'/><xsl:template match='/'>[<xsl:value-of select='r/v'/>]"
                          "</xsl:template></xsl:stylesheet>",
                          true));
    ASSERT_TRUE(writeFile(dir.filePath("page.php"),
                          buildPhpPage("d x.xml", "it's.xsl", dir.filePath("feed source.xml"), false), true));
    int code = -1;
    EXPECT_EQ(runPhp({"page.php"}, dir.path(), &code), "[fresh]");
    EXPECT_EQ(code, 0);
    EXPECT_EQ(bytesOf(dir.filePath("d x.xml")), "<r><v>fresh</v></r>\r\n");
}
