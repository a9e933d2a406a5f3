// The interface substitution: mapped Xpaths in place of a called table's placeholders.
#include "documents/interface_text.h"
#include "generator/interface_substitution.h"
#include "table_fixture.h"

#include <gtest/gtest.h>

namespace {

QString xpathFor(const QString &item) { return "$interface_xpath_for_" + item; }
QString textFor(const QString &item) { return "$interface_text_for_" + item; }

struct SubstitutionCase {
    const char *what;
    QList<InterfaceItem> items;
    QList<std::pair<QString, QString>> mappings; // item name, mapped Xpath
    QString context;
    QString body;
    QString expected;
};

class Substitution : public ::testing::TestWithParam<SubstitutionCase> {};

} // namespace

TEST_P(Substitution, PutsTheMappedPathsInPlace)
{
    const SubstitutionCase &c = GetParam();
    TableFixture table;
    for (const auto &[item, xpath] : c.mappings)
        table.set("Call Xpath-call@table-" + item, xpath);
    QString code = "kept " + xpathFor("a");
    makeSubstCode(packInterfaceText(c.items, c.body), "call@table", c.context, code);
    EXPECT_EQ(code.toStdString(), c.expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Substitution,
    ::testing::Values(
        SubstitutionCase{"nested item relative to its parent's mapping",
                         {{"Table", "", "/r"}, {"....name", "", "/r/n"}},
                         {{"Table", "/a/b"}, {"name", "/a/b/n"}},
                         "/a",
                         xpathFor("Table") + "|" + textFor("Table") + "|" + xpathFor("name") + "|" + textFor("name"),
                         "b|./text()|n|./text()"},
        SubstitutionCase{"attribute path takes the node itself",
                         {{"id", "", "/r/@id"}}, {{"id", "/a/b/@id"}}, "/a/b",
                         xpathFor("id") + "|" + textFor("id"), "@id|."},
        SubstitutionCase{"whole names only",
                         {{"c", "", "/r/c"}, {"c2", "", "/r/c2"}}, {{"c", "/a/c"}, {"c2", "/a/c2"}}, "/a",
                         xpathFor("c2") + " " + xpathFor("c"), "c2 c"},
        SubstitutionCase{"a repeated name is replaced in record order",
                         {{"x", "", "/r/x"}, {"....x", "", "/r/x/x"}}, {{"x", "/a/x"}}, "/a",
                         xpathFor("x") + ";" + xpathFor("x"), "x;self::node()"},
        SubstitutionCase{"a level-1 item after a level-2 item is taken from the top item",
                         {{"a", "", "/r"}, {"....b", "", "/r/b"}, {"........c", "", "/r/b/c"}, {"....d", "", "/r/d"}},
                         {{"a", "/x/a"}, {"b", "/x/a/b"}, {"c", "/x/a/b/c"}, {"d", "/x/a/d"}},
                         "/x",
                         xpathFor("d") + "|" + xpathFor("c") + "|" + xpathFor("b") + "|" + xpathFor("a"),
                         "d|c|b|a"},
        SubstitutionCase{"a text without body keeps the code",
                         {}, {{"a", "/z/a"}}, "/z", QString(), "kept " + xpathFor("a")}),
    [](const auto &info) { return "case" + std::to_string(info.index); });
