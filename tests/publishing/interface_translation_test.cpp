// The translation template of a Table Interface, and the packed text the editor reads and
// writes.
#include "../generator/table_fixture.h"
#include "publishing/interface_editor.h"
#include "publishing/interface_translation.h"

#include <gtest/gtest.h>

namespace {

const QString marker = "<!-- attributes -->";

QString forEach(const QString &name) { return "<xsl:for-each select='$interface_xpath_for_" + name + "'>"; }
QString valueOf(const QString &name) { return "<xsl:value-of select='$interface_text_for_" + name + "'/>"; }
QString item(const QString &name) { return forEach(name) + "<" + name + ">" + marker + valueOf(name); }
QString end(const QString &name) { return "</" + name + "></xsl:for-each>"; }

QString packed(const QList<InterfaceItem> &items, const QString &body = {})
{
    return packInterfaceText(items, body);
}

struct TranslationCase {
    const char *what;
    QList<InterfaceItem> items;
    QString body;
};

class Translation : public ::testing::TestWithParam<TranslationCase> {};

} // namespace

TEST_P(Translation, BuildsTheBody)
{
    EXPECT_EQ(translationBody(GetParam().items).toStdString(), GetParam().body.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Items, Translation,
    ::testing::Values(
        TranslationCase{"none", {}, ""},
        // The example: the first marker goes, the children's stay.
        TranslationCase{"table with two children",
                        {{"Table", "t", "/r/row"}, {"....c1", "1", "/r/row/c1"}, {"....c2", "2", "/r/row/c2"}},
                        "<r>" + forEach("Table") + "<row>" + valueOf("Table") + item("c1") + end("c1")
                            + item("c2") + end("c2") + "</row></xsl:for-each></r>"},
        TranslationCase{"two top-level items close in turn",
                        {{"a", "", "/a"}, {"b", "", "/b"}},
                        forEach("a") + "<a>" + valueOf("a") + end("a") + item("b") + end("b")},
        TranslationCase{"a level-2 item closes before the next level-1 item",
                        {{"a", "", "/a"}, {"....b", "", "/a/b"}, {"........c", "", "/a/b/x/c"}, {"....d", "", "/a/d"}},
                        forEach("a") + "<a>" + valueOf("a") + item("b") + "<x>" + item("c") + end("c")
                            + "</x>" + end("b") + item("d") + end("d") + end("a")},
        TranslationCase{"attributes follow their element's start tag in row order",
                        {{"a", "", "/a"}, {"....b", "", "/a/b"}, {"........id", "", "/a/b/@id"}, {"........n", "", "/a/b/@n"}},
                        forEach("a") + "<a>" + valueOf("a") + forEach("b") + "<b>"
                            + "<xsl:attribute name='id'><xsl:value-of select='@id'/></xsl:attribute>"
                            + "<xsl:attribute name='n'><xsl:value-of select='@n'/></xsl:attribute>" + marker
                            + valueOf("b") + end("b") + end("a")},
        TranslationCase{"an item at its parent's path or outside it gives nothing",
                        {{"a", "", "/a"}, {"....same", "", "/a"}, {"....out", "", "/z"}},
                        forEach("a") + "<a>" + valueOf("a") + end("a")},
        TranslationCase{"levels beyond 100 count as 100",
                        {{"a", "", "/a"}, {QString("....").repeated(150) + "deep", "", "/a/deep"}},
                        forEach("a") + "<a>" + valueOf("a") + item("deep") + end("deep") + end("a")}),
    [](const auto &info) { return "case" + std::to_string(info.index); });

TEST(TranslationStylesheet, NamesTheTemplateAfterTheTableAndReindents)
{
    TableFixture table("Orders");
    InterfaceEditor editor;
    EXPECT_EQ(editor.getComps(), "");
    EXPECT_EQ(workspace().interfaceTranslation, "");
    EXPECT_TRUE(editor.tlogic.contains("<xsl:template name=\"interface_Orders\"/>")) << editor.tlogic.toStdString();
    editor.appendItem({"Table", "t", "/r/row"});
    EXPECT_TRUE(editor.tlogic.contains("\n")) << "re-indented";
    EXPECT_TRUE(editor.tlogic.contains("<xsl:for-each select=\"$interface_xpath_for_Table\">"));
}

TEST(InterfaceText, ReadsCompleteRecordsAndRebuildsTheBody)
{
    TableFixture table;
    const QList<InterfaceItem> items{{"Table", "t", "/r/row"}, {"....c1", "one", "/r/row/c1"}};
    InterfaceEditor editor;
    // The last record lacks its Chr(15); the stored body is not used.
    editor.addComp(packed(items, "stale").chopped(1) + "x" + QChar(14) + "y" + QChar(14) + "/z");
    EXPECT_EQ(editor.rows, items);
    const QString text = editor.getComps();
    EXPECT_EQ(text, packed(items, translationBody(items)));
    editor.addComp(text);
    EXPECT_EQ(editor.rows, items);
    EXPECT_EQ(editor.getComps(), text);
}

TEST(FitAttribute, InsertsBeforeTheLastMarkerOnly)
{
    QString body = "a<m>b<m>c";
    fitAttribute(body, "X", "<m>");
    EXPECT_EQ(body, "a<m>bX<m>c");
    fitAttribute(body, "Y", "<none>");
    EXPECT_EQ(body, "a<m>bX<m>c");
}
