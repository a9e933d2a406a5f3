#include "generator/xsl_text_escaping.h"

#include <gtest/gtest.h>

namespace {

using Escaper = QString (*)(const QString &);

struct TypedText {
    Escaper escape;
    const char *typed;
    const char *written;
};

const TypedText typedTexts[] = {
    {attributeText, "item[@kind='book']", "item[@kind=&apos;book&apos;]"},
    {attributeText, "price < 10", "price &lt; 10"},
    {attributeText, "'A & B'", "&apos;A &amp; B&apos;"},
    {attributeText, "a &lt; b &quot;c&quot; &amp; &#39; &#x27;", "a &lt; b &quot;c&quot; &amp; &#39; &#x27;"},
    {attributeText, "& &x &#; &1;", "&amp; &amp;x &amp;#; &amp;1;"},
    {attributeText, "{3}", "{3}"},
    {literalAttributeText, "{3}", "{{3}}"},
    {literalAttributeText, "10'", "10&apos;"},
    {cdataText, "width: 3]]>", "width: 3]]]]><![CDATA[>"},
    {commentText, "a--b---c", "a- -b- - -c"},
    {commentText, "type-", "type- "},
};

TEST(XslTextEscaping, TypedTextIsWrittenSafely)
{
    for (const TypedText &row : typedTexts)
        EXPECT_EQ(row.escape(QString::fromUtf8(row.typed)), QString::fromUtf8(row.written)) << row.typed;
}

} // namespace
