#pragma once

#include "publishing/call_mapping.h"
#include "publishing/gui/text_drop_target.h"

#include <QDialog>
#include <QTableWidget>

class QLabel;
class XmlTreeCopy;

// The Call Interface mapping dialog `mapCall1` ("Call Interface for Table") of the current
// "Call Table" column: the called table's Xpath Items with the Xpaths of the calling
// table's XML mapped to them, picked from or dragged out of a copy of its XML tree. Only
// saving stores anything; cancelling forgets every edit, "Delete all" included.
class CallMappingDialog : public QDialog {
    Q_OBJECT
public:
    explicit CallMappingDialog(QWidget *parent = nullptr);

    // Fills the grid for the current column and the tree from the current table.
    void prepare();
    QList<CallMappingRow> rows() const;

    void addMap(int row, const QString &xpath);
    void addit_Click();
    void ARButton1_Click();
    void clearit_Click();
    void dosave_Click();
    void showDescription(int row);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    TextDropTarget<QTableWidget> *comps; // text dropped on a row becomes its Xpath
    XmlTreeCopy *ixml;
    QLabel *desc;
    bool allCleared = false;
};
