// Re-indenting of XML texts.
#include "platform/xml/xml_format.h"

#include <gtest/gtest.h>

TEST(FormatXml, OneElementPerLineIndented)
{
    const XmlFormatResult result = formatXml("<a><b/></a>");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.text,
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<a>\n  <b/>\n</a>");
}

TEST(FormatXml, KeepsCommentsCdataAndNonAsciiText)
{
    const XmlFormatResult result =
        formatXml(QString::fromUtf8("<a><!-- c&lt; --><s><![CDATA[x<y\r\n]]></s><t>Grüße €</t></a>"));
    ASSERT_TRUE(result.ok);
    EXPECT_TRUE(result.text.contains("\n  <!-- c&lt; -->\n"));
    EXPECT_TRUE(result.text.contains("<s><![CDATA[x<y\n]]></s>"));
    EXPECT_TRUE(result.text.contains(QString::fromUtf8("<t>Grüße €</t>")));
}

TEST(FormatXml, NotWellFormedGivesTheReason)
{
    const XmlFormatResult result = formatXml("<a><b></a>");
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.text.isEmpty());
    EXPECT_EQ(result.error, "The end tag </a> does not close the element \"b\" begun on line 1.");
}
