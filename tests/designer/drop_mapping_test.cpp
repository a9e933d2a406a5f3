// Drops on the structure tree: every rule, the overwrite question, column moves.
#include "designer/drop_mapping.h"
#include "designer/table_editing.h"
#include "designer_table.h"

#include <gtest/gtest.h>

namespace {

using Answer = UiServices::Answer;

// Columns c1 (Text, value mapped to /r/x), c2 (Text, value calculated by XSL code) and
// c3 (Call Table); the table's rows at /r.
struct Mapped : DesignerTable {
    Mapped()
    {
        addColumn("c1", "Text", "value", "/r/x");
        addColumn("c2", "Text", "value");
        doc().store.set("XSL Calculated-c2@value", "True");
        doc().store.set("XSL Code-c2@value", "<b/>");
        addColumn("c3", "Call Table", "table");
        doc().store.set("Table-c3@table", "t2.tvk");
        doc().store.set("Xpath-Table", "/r");
    }
};

} // namespace

TEST(DropMapping, EachDropRule)
{
    const QString columnMessage = "To map attributes, please drag XML to column's attribute";
    const struct {
        const char *text;
        const char *target;
        QStringList changes;
        QStringList messages;
        QStringList columns;
    } cases[] = {
        {"/r/y", "Table", {"Xpath-Table=/r/y"}, {}, {"c1", "c2", "c3"}},
        {"/r/y", "c1", {}, {columnMessage}, {"c1", "c2", "c3"}},
        {"/r/y", "c3-table", {}, {"Can't map XML to table attribute of Call Table field."}, {"c1", "c2", "c3"}},
        {"/r/y", "c1-value", {"XSL Calculated-c1@value=False", "Xpath-c1@value=/r/y"}, {}, {"c1", "c2", "c3"}},
        {"/r/y", "", {}, {}, {"c1", "c2", "c3"}},
        // Text from elsewhere is no Xpath.
        {"r/y", "c1-value", {}, {}, {"c1", "c2", "c3"}},
        {"/r/y\n/r/z", "c1-value", {}, {}, {"c1", "c2", "c3"}},
        {"", "c1-value", {}, {}, {"c1", "c2", "c3"}},
        // Column moves: the dragged column goes just before the target.
        {"|c3", "c1", {}, {}, {"c3", "c1", "c2"}},
        {"|c1", "c3", {}, {}, {"c2", "c1", "c3"}},
        {"|c1", "c1", {}, {}, {"c1", "c2", "c3"}},
        {"|c1", "c2-value", {}, {}, {"c1", "c2", "c3"}},
        {"|c1", "Table", {}, {}, {"c1", "c2", "c3"}},
        // A drag started on the Table node, or naming no column, changes nothing.
        {"|Table", "c2", {}, {}, {"c1", "c2", "c3"}},
        {"|c1-value", "c2", {}, {}, {"c1", "c2", "c3"}},
        {"|nope", "c2", {}, {}, {"c1", "c2", "c3"}},
    };
    for (const auto &c : cases) {
        Mapped t;
        const auto before = Mapped::store();
        dropOnTree(c.text, c.target);
        const QString label = QString("%1 on %2").arg(c.text, c.target);
        EXPECT_EQ(Mapped::changesSince(before), c.changes) << label.toStdString();
        EXPECT_EQ(t.ui->messages, c.messages) << label.toStdString();
        EXPECT_EQ(Mapped::childrenOf("Table"), c.columns) << label.toStdString();
        EXPECT_EQ(Mapped::childrenOf("c1"), QStringList{"value"}) << label.toStdString();
        if (c.columns.first() != "c1") {
            EXPECT_EQ(Mapped::doc().selectedNodeKey, QString(c.text).mid(1));
        }
        if (!c.changes.isEmpty()) {
            EXPECT_TRUE(t.views.calls.contains("rep.fillProps")) << label.toStdString();
            EXPECT_EQ(t.views.calls.last(), "result.runit_Click") << label.toStdString();
        }
    }
}

TEST(DropMapping, AnXpathEditedByHandIsOverwrittenOnlyOnYes)
{
    for (const QString target : {"Table", "c1-value"}) {
        for (const Answer answer : {Answer::No, Answer::Yes}) {
            Mapped t;
            const QString flag = target == "Table" ? "Xpath Changed Flag-Table"
                                                   : "Xpath Changed Flag-c1-value";
            const QString xpath = target == "Table" ? "Xpath-Table" : "Xpath-c1@value";
            Mapped::doc().store.set(flag, "True");
            t.ui->answers = {answer};
            dropOnTree("/r/new", target);
            EXPECT_EQ(t.ui->questions,
                      QStringList{"This element's Xpath was edited (changed) manually before. "
                                  "Do you want to overwrite it with new Xpath?"});
            const bool yes = answer == Answer::Yes;
            EXPECT_EQ(Mapped::doc().store.contains(flag), !yes) << target.toStdString();
            EXPECT_EQ(Mapped::value(xpath) == "/r/new", yes) << target.toStdString();
        }
    }
}

TEST(DropMapping, TheFirstMappingAlsoMapsTheTableRows)
{
    Mapped t;
    Mapped::doc().store.set("Xpath-Table", "");
    dropOnTree("/r/a", "c2-value");
    EXPECT_EQ(Mapped::value("Xpath-Table"), "/r/a");
    dropOnTree("/q/b", "c1-value");
    EXPECT_EQ(Mapped::value("Xpath-Table"), "/r/a");
}

TEST(DropMapping, MappingAnXslCalculatedAttributeKeepsItsCode)
{
    // A column not mapped since its creation loses its first-time mark without a tip.
    {
        Mapped t;
        Mapped::doc().store.set("First Time Column-c2", "True");
        dropOnTree("/r/a", "c2-value");
        EXPECT_FALSE(Mapped::doc().store.contains("First Time Column-c2"));
        EXPECT_TRUE(t.tips.balloons.isEmpty());
        EXPECT_EQ(Mapped::value("XSL Calculated-c2@value"), "False");
        EXPECT_EQ(Mapped::value("XSL Code-c2@value"), "<b/>");
    }
    // Otherwise the tip tells that the code is kept, once ever.
    Mapped t;
    dropOnTree("/r/a", "c2-value");
    EXPECT_EQ(t.tips.balloons, QStringList{"XSL Calculated column @ 1.template (39,25)"});
    EXPECT_TRUE(t.tips.texts.value(0).startsWith(xslCodeDisabledTip.text));
    EXPECT_EQ(Mapped::value("XSL Calculated-c2@value"), "False");
    EXPECT_EQ(Mapped::value("XSL Code-c2@value"), "<b/>");
    Mapped::doc().store.set("XSL Calculated-c2@value", "True");
    dropOnTree("/r/b", "c2-value");
    EXPECT_EQ(t.tips.balloons.size(), 1);
}

TEST(DropMapping, ADragCarriesItsColumn)
{
    Mapped t;
    EXPECT_EQ(dragText(), "");
    nodeClick("c2-value");
    EXPECT_EQ(dragText(), "|c2");
    nodeClick("Table");
    EXPECT_EQ(dragText(), "|Table");
}

TEST(DropMapping, HoveringNearAnEdgeScrolls)
{
    const struct {
        double y;
        int direction;
    } cases[] = {{0, 0}, {50, -1}, {99, -1}, {100, 0}, {1500, 0}, {2800, 0}, {2850, 1}, {2999, 1}, {3000, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(dragScrollDirection(c.y, 3000), c.direction) << c.y;
}
