// New attribute, delete attribute and the attribute dialog's lists and OK rules.
#include "designer/attribute_editing.h"
#include "designer/new_att_dialog.h"
#include "designer/table_editing.h"
#include "documents/once_only_tips.h"
#include "properties/fill_props.h"
#include "designer_table.h"
#include "support/file_bytes.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using Answer = UiServices::Answer;

const QString selectColumn =
    "Please select one of the columns in Table window, and then click this button.";

// Columns c1 (Text mapped to /r/x, with a style attribute), free (Text, unmapped) and
// code (XSL Code with an Xpath on its required attribute).
struct Attributes : DesignerTable {
    Attributes()
    {
        addColumn("c1", "Text", "value", "/r/x");
        doc().tree.add("c1", "c1-style", "style");
        for (const char *property : {"Table", "Xpath", "XSL Code", "XSL Calculated", "Font"})
            doc().store.set(QString(property) + "-c1@style", "s");
        addColumn("free", "Text", "value");
        addColumn("code", "XSL Code", "xslCode", "/r");
    }
};

} // namespace

TEST(AttributeEditing, NewAttributeIsRefusedWhereItCannotBeAdded)
{
    const struct {
        const char *selected;
        QString message;
    } cases[] = {
        {"", selectColumn},
        {"Table", "Table is currently selected. " + selectColumn},
        {"free-value", "You must first map required attribute, before creating additional attributes."},
        {"code", "This is column calculated by XSL Code. Doubleclick xslCode attribute to edit XSL."},
    };
    for (const auto &c : cases) {
        Attributes t;
        t.dialogs.newAtts = {{"title", false}};
        nodeClick(c.selected);
        const auto before = Attributes::store();
        badd_Click();
        EXPECT_EQ(t.ui->messages, QStringList{c.message}) << c.selected;
        EXPECT_EQ(t.dialogs.newAtts.size(), 1u) << "the dialog is not shown";
        EXPECT_TRUE(Attributes::changesSince(before).isEmpty());
    }
}

TEST(AttributeEditing, NewAttributeTakesTheDialogsAnswer)
{
    Attributes t;
    nodeClick("c1-style"); // an attribute stands for its column
    t.dialogs.newAtts = {{"title", false}, {"onclick", true}};
    badd_Click();
    EXPECT_EQ(Attributes::childrenOf("c1"), (QStringList{"value", "style", "title"}));
    EXPECT_EQ(Attributes::value("Xpath-c1@title"), "");
    EXPECT_TRUE(Attributes::doc().store.contains("Xpath-c1@title"));
    EXPECT_EQ(Attributes::doc().selectedNodeKey, "c1-title");

    // With "Calculate with XSL code" the attribute starts with the column's Xpath and an
    // empty code, and its code editor opens.
    const auto before = Attributes::store();
    badd_Click();
    EXPECT_EQ(Attributes::changesSince(before),
              (QStringList{"XSL Calculated-c1@onclick=True", "XSL Code-c1@onclick=",
                           "Xpath-c1@onclick=/r/x"}));
    EXPECT_EQ(t.sheet.calls.last(), "props_InplaceButtonDown") << "the code editor opens";
    EXPECT_EQ(Attributes::doc().tree.find("c1-onclick")->image, "attribute");

    // Cancelled: nothing changes.
    const auto unchanged = Attributes::store();
    badd_Click();
    EXPECT_TRUE(Attributes::changesSince(unchanged).isEmpty());
    EXPECT_EQ(Attributes::childrenOf("c1").size(), 4);
}

TEST(AttributeEditing, AnAttributeNameIsUsedOnlyOnceAndMustSuitTheKeys)
{
    Attributes t;
    nodeClick("c1");
    const auto before = Attributes::store();
    EXPECT_FALSE(addAtt("style", "/q", AttributeKind::Xpath));
    EXPECT_EQ(t.ui->messages, QStringList{"This attribute already exists. Please choose another name."});
    EXPECT_TRUE(Attributes::changesSince(before).isEmpty());

    // Only XML names that suit the keys are taken; others stay in the dialog, which the
    // queue then cancels.
    const QString plus = "Attribute name can't have + sign in it. Please correct and try again.";
    const QString notXml = "Attribute name must be a valid XML name: letters, digits, '_' or '.', "
                           "not starting with a digit. Please correct and try again.";
    const struct {
        QString name;
        QString message; // "" for taken
    } cases[] = {
        {"data.x_2", ""}, {"_a", ""}, {"\u00e9t\u00e9", ""}, {"a+b", plus}, {"2tone", notXml},
        {"w=h", notXml}, {"a\"b", notXml}, {"a'b", notXml}, {"<a", notXml}, {"a::b", notXml}, {"xmlns", notXml},
        {"p:a", notXml}, {"a ", notXml}, {" ab", notXml}, {"a@b", notXml}, {"a-b", notXml},
        {".a", notXml}, {QString("a") + QChar(2) + "b", notXml}, {"a\tb", notXml},
    };
    for (const auto &c : cases) {
        t.ui->messages.clear();
        nodeClick("c1");
        t.dialogs.newAtts = {{c.name, false}};
        badd_Click();
        EXPECT_EQ(t.ui->messages, c.message.isEmpty() ? QStringList() : QStringList{c.message})
            << c.name.toStdString();
    }
    EXPECT_EQ(Attributes::childrenOf("c1"),
              (QStringList{"value", "style", "data.x_2", "_a", "\u00e9t\u00e9"}));
}

TEST(AttributeEditing, DeleteAttribute)
{
    const struct {
        const char *selected;
        Answer answer;
        QString message;
    } refused[] = {
        {"", Answer::Yes, selectColumn},
        {"Table", Answer::Yes, "Table is currently selected. " + selectColumn},
        {"c1", Answer::Yes, "Please select an attribute and then try again."},
        {"c1-value", Answer::Yes, "Required attributed can't be deleted."},
        {"c1-style", Answer::No, ""},
    };
    for (const auto &r : refused) {
        Attributes t;
        nodeClick(r.selected);
        t.ui->answers = {r.answer};
        const auto before = Attributes::store();
        bdel_Click();
        EXPECT_EQ(t.ui->messages.value(0), r.message) << r.selected;
        EXPECT_TRUE(Attributes::changesSince(before).isEmpty()) << r.selected;
    }
    Attributes t;
    nodeClick("c1");
    fillProps(); // the column's sheet, shown again after the delete, stores its defaults now
    nodeClick("c1-style");
    t.ui->answers = {Answer::Yes};
    const auto before = Attributes::store();
    bdel_Click();
    EXPECT_EQ(t.ui->questions, QStringList{"Are you sure you want to delete this attribute?"});
    EXPECT_EQ(Attributes::changesSince(before),
              (QStringList{"-Table-c1@style", "-XSL Calculated-c1@style", "-XSL Code-c1@style",
                           "-Xpath-c1@style"}));
    EXPECT_EQ(Attributes::childrenOf("c1"), QStringList{"value"});
    EXPECT_EQ(Attributes::doc().selectedNodeKey, "c1");
}

TEST(AttributeDialog, OffersTheNamesOfTheColumnsType)
{
    const struct {
        const char *type;
        int count;
        QStringList start;
        QString last;
    } cases[] = {
        {"Input Field", 20, {"size", "accesskey", "dir"}, "title"},
        {"Input Text Box (Textarea)", 23, {"rows", "cols", "accesskey"}, "title"},
        {"Select", 13, {"baseXpath", "optionValue", "accesskey"}, "title"},
        {"Submit Button", 24, {"submitURL", "value", "accept"}, "title"},
        {"Text", 22, {"accept", "accesskey", "dir"}, "value"},
        {"Text (HTML segment)", 22, {"accept", "accesskey", "dir"}, "value"},
        {"Web Link", 28, {"value", "accesskey", "charset"}, "type"},
        {"Image", 26, {"webLink", "target", "align"}, "width"},
        {"XSL Code", 0, {}, ""},
        {"Hidden Field", 0, {}, ""},
        {"nonsense", 0, {}, ""},
    };
    for (const auto &c : cases) {
        const QStringList names = attributeNamesFor(c.type);
        EXPECT_EQ(names.size(), c.count) << c.type;
        EXPECT_EQ(names.mid(0, c.start.size()), c.start) << c.type;
        EXPECT_EQ(names.value(c.count - 1), c.last) << c.type;
        EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), c.count) << c.type;
    }
    EXPECT_EQ(attributeNamesFor("Web Link"),
              (QStringList{"value", "accesskey", "charset", "coords", "dir", "href", "lang",
                           "hreflang", "onblur", "onclick", "ondblclick", "onfocus", "onkeydown",
                           "onkeypress", "onkeyup", "onmousedown", "onmousemove", "onmouseout",
                           "onmouseover", "onmouseup", "rel", "rev", "shape", "style",
                           "tabindex", "target", "title", "type"}));
    EXPECT_EQ(attributeNamesFor("Input Field"),
              (QStringList{"size", "accesskey", "dir", "lang", "onblur", "onchange", "onclick",
                           "ondblclick", "onfocus", "onkeydown", "onkeypress", "onkeyup",
                           "onmousedown", "onmousemove", "onmouseout", "onmouseover",
                           "onmouseup", "onselect", "tabindex", "title"}));
}

TEST(AttributeDialog, OffersTheCalledTablesParameters)
{
    const QString p = QChar(14), e = QChar(15);
    const struct {
        const char *reference;
        const char *file;      // the side file written, relative to the table's folder
        QString content;
        QStringList names;
    } cases[] = {
        {"t2.tvk", "t2.txi", "p1" + p + "1" + e + "p2" + p + e, {"inputXML", "p1", "p2"}},
        {"../lib/t2.old.tvk", "../lib/t2.txi", "q" + p + "x" + e, {"inputXML", "q"}},
        {"t2.tvk", "t2.txi", "p1" + p + "1" + e + "p2" + p + "2", {"inputXML", "p1"}},
        {"t2.tvk", "t2.txi", "", {"inputXML"}},
        {"t2.tvk", "other.txi", "p1" + p + e, {"inputXML"}},
        {"t2", "t2.txi", "p1" + p + e, {"inputXML"}},
        {"", ".txi", "p1" + p + e, {"inputXML"}},
    };
    for (const auto &c : cases) {
        Attributes t;
        QDir(t.home.path()).mkpath("lib");
        ASSERT_TRUE(writeBytes(t.home.file(QString("a/") + c.file), c.content.toUtf8()));
        t.addColumn("call", "Call Table", "table");
        Attributes::doc().store.set("Table-call@table", c.reference);
        nodeClick("call-table");
        NewAttDialog &dialog = newAttDialog();
        dialog.usexsl = true;
        dialog.attname = "kept";
        initWin(dialog);
        EXPECT_EQ(dialog.aname, c.names) << c.reference;
        EXPECT_FALSE(dialog.usexsl);
        EXPECT_EQ(dialog.attname, "kept");
    }
}

TEST(AttributeDialog, OkTakesTheListsOrTheTypedName)
{
    Attributes t;
    NewAttDialog dialog;
    dialog.aname = {"size", "title"};
    const auto ok = [&] {
        dialog.result.clear();
        return bok_Click(dialog);
    };
    EXPECT_FALSE(ok());
    EXPECT_EQ(t.ui->messages, QStringList{"Please select from the list and then click this button."});
    attname_Change(dialog, "typed");
    dialog.selected = 1; // selecting does not clear the typed name
    EXPECT_TRUE(ok());
    EXPECT_EQ(dialog.result, "title");
    attname_Change(dialog, "ab");
    EXPECT_TRUE(ok());
    EXPECT_EQ(dialog.result, "ab");
    bcloseit_Click(dialog);
    EXPECT_EQ(dialog.result, "");
}

TEST(AttributeEditing, AClickOnAnXslAttributeWithoutCodeShowsItsTipOnce)
{
    Attributes t;
    Attributes::doc().store.set("XSL Calculated-c1@style", "True");
    Attributes::doc().store.set("XSL Code-c1@style", " \r\n");
    nodeClick("c1-style");
    nodeClick("c1-style");
    nodeClick("c1-value");
    EXPECT_EQ(t.tips.balloons, QStringList{"XSL Code empty @ 1.template (39,25)"});
    EXPECT_TRUE(QFile::exists(tipMarkerPath("XSL Calculated but no Codec1@style")));
}
