#pragma once

#include "generator/stylesheet_header.h"

#include <QDialog>

class QLineEdit;
class QTableWidget;

// The input parameter dialog `inputParams`: the table's parameters in a two-column grid,
// edited in an editor laid over the current cell.
class InputParamsDialog : public QDialog {
    Q_OBJECT
public:
    explicit InputParamsDialog(QWidget *parent = nullptr);

    // Loads the packed list and shows the dialog modal.
    void edit(const QString &list);
    // Loads a packed list into the grid.
    void addXinp(const QString &list);
    // The grid's rows as they stand.
    QList<InputParameter> rows() const;

    // Opens the editor on the current cell.
    void openEditor();
    // Puts the open editor over the current cell, its text as it is.
    void placeEditor();
    // Moves the current row up or down; an open editor goes with it.
    void moveCurrentRow(void (&move)(QTableWidget &));
    // Tab, Shift+Tab (back) or Enter (enter) in the editor.
    void editorKey(bool enter, bool back);
    void makenew_Click();
    void removeit_Click();
    void goup_Click();
    void godown_Click();
    void ok_Click();
    void closeit_Click();

    QTableWidget *table() const { return grid; }
    QLineEdit *editor() const { return Text1; }
    bool editing() const { return isEditing; }
    const QString &result() const { return answer; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void appendRow(const QString &name, const QString &value);
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    // The open editor's text into its cell.
    void keepEditorText();
    // Closes the editor, its text given up.
    void endEditing();

    QTableWidget *grid;
    QLineEdit *Text1;
    bool isEditing = false;
    QString answer;
};

// The one shared instance, created on first use over the given window.
InputParamsDialog &inputParamsDialog(QWidget *owner);
