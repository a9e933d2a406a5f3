// Under a locale whose decimal mark is a comma, numbers are still written with a point.
#include "platform/number_locale.h"
#include "platform/xslt/xslt_transform.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <clocale>
#include <string>

TEST(CommaLocale, NumbersAreComputedAndWrittenWithAPoint)
{
    const std::string before = std::setlocale(LC_ALL, nullptr);
    // What QCoreApplication's constructor does with LC_ALL=de_DE.UTF-8.
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the locale de_DE.UTF-8 is missing: scripts/install-deps makes it";
    useLocaleFreeNumbers();
    QTemporaryDir dir;
    QFile xml(dir.filePath("data.xml"));
    ASSERT_TRUE(xml.open(QIODevice::WriteOnly));
    xml.write("<r><v>1.5</v><v>0.25</v></r>");
    xml.close();
    const struct {
        const char *select;
        const char *written;
    } cases[] = {
        {"1 div 4", "0.25"},
        {"sum(//v)", "1.75"},
        {"format-number(1234.5, '#,##0.00')", "1,234.50"},
    };
    for (const auto &c : cases) {
        const QString xsl = QStringLiteral("<xsl:stylesheet version='1.0' "
                                           "xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                                           "<xsl:output method='text'/><xsl:template match='/'>"
                                           "<xsl:value-of select=\"%1\"/></xsl:template>"
                                           "</xsl:stylesheet>")
                                .arg(c.select);
        EXPECT_EQ(runXslt(xml.fileName(), xsl, dir.filePath("t.xsl")).output.toStdString(),
                  c.written)
            << c.select;
    }
    std::setlocale(LC_ALL, before.c_str());
}
