#pragma once

// A table in slot 0 with its property sheet, a recording sheet window and stand-ins for
// the table window and the preview, for the tests of filling and committing the sheet.

#include "../generator/table_fixture.h"
#include "documents/views/property_sheet_view.h"
#include "properties/code_editors.h"
#include "properties/commit_props.h"
#include "properties/fill_props.h"
#include "properties/property_sheets.h"
#include "properties/sheet_selection.h"
#include "support/recording_views.h"

#include <gtest/gtest.h>

// Records what the model asks of the sheet window, in one list with the other windows.
class RecordingSheetView final : public PropertySheetView {
public:
    explicit RecordingSheetView(QStringList &calls) : calls(calls) {}
    void setLoading(bool loading) override { currentSheet().isLoading = loading; }
    void selectRow(const QString &caption) override { calls << "allProp.selectRow " + caption; }
    void showSheet() override { calls << "allProp.showSheet"; }
    void props_InplaceButtonDown() override
    {
        calls << "allProp.button " + workspace().current().selectedPropertyCaption;
    }
    QString pickBorder(const QString &value) override
    {
        calls << "pix " + value;
        return pickerAnswer;
    }
    QString pickSize(const QString &caption, const QString &value) override
    {
        calls << "justpix " + caption + " " + value;
        return pickerAnswer;
    }
    // The editor's kind and caption, and the code the model loaded.
    void showCodeEditor(int index, const QString &caption) override
    {
        calls << "xslEdit " + workspace().xslEditForms[size_t(index)].myFunction + " [" +
                     caption + "] " + codeEditorState(index).code;
    }
    // The dialog and the list it is loaded with.
    void showInputParams() override { calls << "inputParams " + currentSheet().holder(Holder::txinp); }

    QString pickerAnswer; // what the pickers answer; "" is Cancel

private:
    QStringList &calls;
};

class SheetTest : public ::testing::Test {
protected:
    explicit SheetTest(const QString &rowXpath = QStringLiteral("/rows/row")) : table("T", rowXpath)
    {
        resetPropertySheet(0);
        windows.attach(workspace().currentViews());
        workspace().currentViews().allProp = &sheetView;
        doc().xmlPath = QStringLiteral("/data/rows.xml");
        doc().autoReload = 1;
    }
    ~SheetTest() override { resetPropertySheet(0); }

    TableDocument &doc() { return workspace().current(); }
    PropertySheet &sheet() { return currentSheet(); }
    QString stored(const QString &key) { return doc().store.value(key); }

    // Selects the node in the tree and fills its sheet, as a click on it does.
    void select(const QString &key)
    {
        doc().selectedNodeKey = key;
        fillProps();
    }
    const SheetItem &row(const QString &caption)
    {
        const SheetItem *item = sheet().layout.findItem(caption);
        EXPECT_TRUE(item) << caption.toStdString();
        static const SheetItem missing;
        return item ? *item : missing;
    }
    // The user selects the row and types the value in place, or has an editor put it into
    // the row's holder.
    void type(const QString &caption, const QString &value)
    {
        ASSERT_TRUE(putIntoRow(caption, value)) << caption.toStdString();
    }
    QString selectedRow() { return doc().selectedPropertyCaption; }

    TableFixture table;
    RecordingViews windows;
    RecordingSheetView sheetView{windows.calls};
};
