#pragma once

#include <QDialog>

class QPlainTextEdit;
class QTableWidget;
class XpathItemDialog;
class InterfaceEditor;

// The Table Interface editor `newcomponent` ("Table Interface") over the shared editor
// model: the grid of Xpath Items, their translation stylesheet, and the buttons that add,
// edit, delete, move, indent and suggest items, save the interface into the property
// sheet or close without saving. New and edited items go through the Xpath Item dialog.
class InterfaceEditorDialog : public QDialog {
    Q_OBJECT
public:
    explicit InterfaceEditorDialog(QWidget *parent = nullptr);

    // Loads an interface text into the editor.
    void load(const QString &text);
    XpathItemDialog &itemDialog() { return *whatis; }

    void addit_Click();
    void editit_Click();
    void deleteit_Click();
    void clearit_Click();
    void upit_Click();
    void downit_Click();
    void goright_Click();
    void goleft_Click();
    void suggest_Click();
    void saveit_Click();
    // Closing without saving, after asking when the interface has changed.
    void reject() override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    // The grid and the translation box show the model; the row becomes current.
    void showRows(int current);
    int currentRow() const;
    // The Xpath Item dialog, placed by the editor and run modal; true on OK.
    bool askItem();
    void showHierarchyTip();

    InterfaceEditor &model;
    QTableWidget *comps;
    QPlainTextEdit *tlogic;
    XpathItemDialog *whatis;
};
