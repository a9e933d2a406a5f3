// New columns of every type through the add-column dialog, and the table to call.
#include "designer/map_xml_box.h"
#include "designer/new_column_dialog.h"
#include "designer/table_editing.h"
#include "designer_table.h"
#include "support/file_bytes.h"

#include <gtest/gtest.h>

namespace {

const QString tableMessage = "Column can't have name 'Table'. Please choose another name.";
const QString digitMessage = "Name can't start with digit. Please enter another name.";

struct Columns : DesignerTable {
    Columns() { doc().xmlNodeXpath = "/r/e"; }
    // The add-column command of the table window with the dialog's answers.
    void add(const QString &type, const QString &name, bool map = false)
    {
        dialogs.newColumns.push_back({type, name, map});
        addit_Click();
    }
};

// What a type's column starts with: its required attribute, filled with the Xpath when
// mapped (if the type consults the box) or else with XSL code (nullptr: a bare node), and
// the further XSL-code attributes.
struct TypeCase {
    const char *type;
    const char *required;
    const char *code;
    bool mappable;
    std::vector<std::pair<const char *, const char *>> further;
    bool form;
};

QStringList xslCodeKeys(const QString &attribute, const QString &xpath, const QString &code)
{
    return {"XSL Calculated-col@" + attribute + "=True", "XSL Code-col@" + attribute + "=" + code,
            "Xpath-col@" + attribute + "=" + xpath};
}

QStringList expectedKeys(const TypeCase &c, bool mapped)
{
    QStringList keys{"Border-col=1px solid gray", QString("Type-col=") + c.type,
                     "First Time Column-col=True"};
    const QString required = c.required;
    QString xpath;
    if (mapped && c.mappable) {
        xpath = "/r/e";
        keys << "Xpath-col@" + required + "=" + xpath;
    } else if (c.code) {
        keys << xslCodeKeys(required, "", c.code);
    }
    for (const auto &[name, code] : c.further)
        keys << xslCodeKeys(name, xpath, code);
    if (c.form)
        keys << "Table Type-Table=Form";
    keys.sort();
    return keys;
}

} // namespace

TEST(ColumnCreation, EachTypeStartsWithItsAttributes)
{
    const TypeCase cases[] = {
        {"Text", "value", "Text Field", true, {}, false},
        {"Text (HTML segment)", "value", "Text Field &lt;b&gt;(HTML segment)&lt;/b&gt;", true, {}, false},
        {"Web Link", "href", "http://www.example.com/", true, {}, false},
        {"Image", "src", nullptr, true, {}, false},
        {"XSL Code", "xslCode", "XSL Code Field", false, {}, false},
        {"Input Field", "value", "", true, {{"size", "20"}}, true},
        {"Input Text Box (Textarea)", "value", "", true, {{"rows", "5"}, {"cols", "30"}}, true},
        {"Select", "displayValue", nullptr, true, {}, true},
        {"Submit Button", "submitURL", "", true, {{"value", "Button Text"}}, true},
        {"Hidden Field", "value", "Default Value", true, {}, true},
    };
    for (const TypeCase &c : cases) {
        for (const bool mapped : {false, true}) {
            Columns t;
            const auto before = Columns::store();
            t.add(c.type, "col", mapped);
            QStringList changes = Columns::changesSince(before);
            changes.sort();
            const std::string label = std::string(c.type) + (mapped ? " mapped" : "");
            EXPECT_EQ(changes, expectedKeys(c, mapped)) << label;
            QStringList attributes{c.required};
            for (const auto &further : c.further)
                attributes << further.first;
            EXPECT_EQ(Columns::childrenOf("col"), attributes) << label;
            const StructureTree::Node *column = Columns::doc().tree.find("col");
            EXPECT_EQ(column->image, c.type) << label;
            EXPECT_EQ(column->children.front()->image, "requiredAttribute") << label;
            EXPECT_EQ(Columns::doc().selectedNodeKey, "col") << label;
            EXPECT_TRUE(t.ui->messages.isEmpty()) << label;
        }
    }
}

TEST(ColumnCreation, ACalledTableIsReferencedFromTheTablesFolderWithItsSideFiles)
{
    const QString mark = QChar(5);
    Columns t;
    QDir(t.home.path()).mkpath("c");
    ASSERT_TRUE(writeBytes(t.home.file("c/t2.tvk"),
                           ("head" + mark + "xmf" + mark + "xsl" + mark + "txp" + mark + "p1" +
                            QChar(14) + QChar(15) + mark + "xmp" + mark + "tic" + mark)
                               .toUtf8()));
    // The file dialog cancelled keeps the dialog open; the queue then cancels it.
    t.add("Call Table", "call");
    EXPECT_FALSE(Columns::doc().tree.find("call"));
    EXPECT_TRUE(t.ui->messages.isEmpty());

    t.ui->fileAnswers = {t.home.file("c/t2.tvk")};
    t.add("Call Table", "call", true);
    EXPECT_EQ(t.ui->fileDialogs.last().title, "Call Table - Select Table to Call");
    EXPECT_EQ(t.ui->fileDialogs.last().filter, "Table file|*.tvk");
    EXPECT_EQ(Columns::value("Table-call@table"), "../c/t2.tvk");
    EXPECT_FALSE(Columns::doc().store.contains("Xpath-call@table")) << "the box is not consulted";
    EXPECT_EQ(Columns::childrenOf("call"), QStringList{"table"});
    EXPECT_EQ(bytesOf(t.home.file("c/t2.txi")), QByteArray("p1\x0e\x0f\r\n"));
    EXPECT_EQ(bytesOf(t.home.file("c/t2.tic")), QByteArray("tic\r\n"));

    // A table file named ".tvk" would make a call without a name.
    ASSERT_TRUE(writeBytes(t.home.file("a/.tvk"), "x"));
    t.ui->fileAnswers = {t.home.file("a/.tvk")};
    t.add("Call Table", "nameless");
    EXPECT_FALSE(Columns::doc().tree.find("nameless"));
    EXPECT_EQ(t.ui->messages, QStringList{"The table file has no name. Please select another table."});
}

TEST(ColumnCreation, FormColumnsMakeTheTableAFormAndTheirTipsShowOnce)
{
    Columns t;
    t.add("Hidden Field", "h");
    EXPECT_EQ(Columns::value("Table Type-Table"), "Form");
    EXPECT_EQ(t.tips.balloons, (QStringList{"Hidden Field @ 1.template (39,25)",
                                            "Table Type @ 1.template (39,25)",
                                            "Xpath and XSL @ 1.template (39,25)"}));
    Columns::doc().store.set("Table Type-Table", "Display");
    t.add("Text", "plain");
    EXPECT_EQ(Columns::value("Table Type-Table"), "Display");
    t.add("Select", "s");
    EXPECT_EQ(Columns::value("Table Type-Table"), "Form");
    EXPECT_EQ(t.tips.balloons.size(), 3) << "each tip shows once ever";
}

TEST(ColumnCreation, TheDialogProposesANameAndRefusesBadOnes)
{
    Columns t;
    t.addColumn("column1", "Text", "value");
    t.addColumn("column3", "Text", "value");
    workspace().newColumnType = "Image";
    t.add("", ""); // OK at once takes the proposal and the preselected type
    EXPECT_EQ(Columns::value("Type-column2"), "Image");

    // A name failing the name rule opens the dialog again with a new proposal; "Table"
    // and an existing name stop.
    t.add("Text", "1abc");
    t.dialogs.newColumns.push_back({"", "", false});
    addit_Click();
    EXPECT_EQ(t.ui->messages, QStringList{digitMessage});
    EXPECT_EQ(Columns::value("Type-column4"), "Text") << "the type last clicked stays";
    t.ui->messages.clear();
    t.add("Text", "Table");
    t.add("Text", "column1");
    t.add("Text", "a-b");
    EXPECT_EQ(t.ui->messages,
              (QStringList{tableMessage, "This column already exists. Please choose another name.",
                           "Name can contain letters, digits and underscore only. Please enter "
                           "another name."}));
    EXPECT_EQ(Columns::childrenOf("Table"),
              (QStringList{"column1", "column3", "column2", "column4"}));
    EXPECT_EQ(Columns::value("Type-column1"), "Text");
}

TEST(ColumnCreation, TheDialogsOkRules)
{
    Columns t;
    NewColumnDialog dialog;
    dialog.cname = " \t";
    ctype2_Click(dialog, "Text");
    EXPECT_FALSE(bok_Click(dialog));
    dialog.cname = " name\r\n";
    ctype2_Click(dialog, "no type");
    EXPECT_FALSE(bok_Click(dialog));
    EXPECT_EQ(t.ui->messages,
              (QStringList{"Column name can't be blank", "Please select column type."}));
    ctype2_Click(dialog, "Select");
    EXPECT_TRUE(bok_Click(dialog));
    EXPECT_EQ(dialog.result, "name");
    EXPECT_EQ(workspace().newColumnType, "Select");
    bclose_Click(dialog);
    EXPECT_EQ(dialog.result, "");
    EXPECT_EQ(ctype2Items().size(), 11);
}

TEST(ColumnCreation, TheXmlSelectionDecidesWhetherTheBoxMayBeTicked)
{
    Columns t;
    Columns::doc().xmlNodeXpath.clear();
    t.add("Text", "a", true);
    EXPECT_FALSE(mapXmlBox().enabled);
    EXPECT_EQ(Columns::value("XSL Code-a@value"), "Text Field");
    Columns::doc().xmlNodeXpath = "/r/e";
    t.add("Text", "b", true);
    EXPECT_TRUE(mapXmlBox().enabled);
    EXPECT_EQ(Columns::value("Xpath-b@value"), "/r/e");
}
