// Under a locale whose decimal mark is a comma, numbers are still read and written with a
// point, as every browser and server reads them.
#include "documents/text_values.h"
#include "platform/number_locale.h"
#include "platform/xslt_transform.h"
#include "properties/value_encodings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <string>

namespace {

// What QCoreApplication's constructor does with LC_ALL=de_DE.UTF-8, undone at the end.
class CommaLocale : public ::testing::Test {
protected:
    std::string before = std::setlocale(LC_ALL, nullptr);
    void SetUp() override
    {
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
            << "the locale de_DE.UTF-8 is missing: scripts/install-deps makes it";
        useLocaleFreeNumbers();
    }
    void TearDown() override { std::setlocale(LC_ALL, before.c_str()); }
};

QString valueOf(const QString &select)
{
    QTemporaryDir dir;
    const QString xml = dir.filePath(QStringLiteral("data.xml"));
    QFile file(xml);
    file.open(QIODevice::WriteOnly);
    file.write("<r><v>1.5</v><v>0.25</v></r>");
    file.close();
    const QString xsl =
        QStringLiteral("<xsl:stylesheet version='1.0' "
                       "xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                       "<xsl:output method='text'/><xsl:template match='/'>"
                       "<xsl:value-of select=\"%1\"/></xsl:template></xsl:stylesheet>")
            .arg(select);
    return runXslt(xml, xsl, dir.filePath(QStringLiteral("t.xsl"))).output;
}

struct NumberCase {
    const char *place;
    std::function<QString()> written;
    std::string expected;
};

TEST_F(CommaLocale, NumbersAreWrittenWithAPoint)
{
    const NumberCase cases[] = {
        {"a quotient", [] { return valueOf("1 div 4"); }, "0.25"},
        {"a negative fraction", [] { return valueOf("-1 div 3"); }, "-0.333333333333333"},
        {"a sum of numbers read from the document", [] { return valueOf("sum(//v)"); }, "1.75"},
        {"a number read from text", [] { return valueOf("number('2.5') * 3"); }, "7.5"},
        {"a formatted number", [] { return valueOf("format-number(1234.5, '#,##0.00')"); },
         "1,234.50"},
        {"twips in the table file", [] { return formatSingle(1234.5); }, "1234.5"},
        {"a whole number read from a setting",
         [] { return QString::number(parseWholeNumber(QStringLiteral("2.6")).value_or(0)); },
         "3"},
        {"a font size read from a font value",
         [] {
             const auto preset = fontPresetOf(QStringLiteral("normal normal bold 11.5px \"A\""));
             return QString::number(preset ? preset->size.value_or(0) : 0);
         },
         "12"},
    };
    for (const NumberCase &c : cases)
        EXPECT_EQ(c.written().toStdString(), c.expected) << c.place;
}

} // namespace
