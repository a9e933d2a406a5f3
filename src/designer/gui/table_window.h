#pragma once

#include "documents/views/table_tree_view.h"

#include <QTreeWidget>
#include <QWidget>

class QPushButton;
class QTimer;

// The structure tree `template`: only a column's label may be edited in place, and the
// edit renames the column with its keys. A drag carries its column; a drop of text acts
// on the node under the pointer, which the hovering selects; near the top and bottom
// edges the hovering scrolls the tree a line every 50 ms.
class StructureTreeWidget : public QTreeWidget {
    Q_OBJECT
public:
    explicit StructureTreeWidget(QWidget *parent = nullptr);
    // The key of an item.
    static QString keyOf(const QTreeWidgetItem *item);
    // True while a drag hovers over the tree.
    bool isHovering() const { return hovering; }

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void scrollOneLine();

    QTimer *scrollTimer;
    int scrollDirection = 0;
    bool hovering = false;
};

// The table window `rep` of one table slot: the eight buttons and the structure tree,
// which shows the slot's structure tree and selection.
class TableWindow : public QWidget, public TableTreeView {
    Q_OBJECT
public:
    explicit TableWindow(int slot, QWidget *parent = nullptr);
    ~TableWindow() override;

    StructureTreeWidget *tree() const { return templ; }

    // TableTreeView
    void fillProps() override;
    void doTClick() override;
    void showTree() override;
    void selectNode(const QString &key) override;
    void scrollLeft() override;
    void addit_Click() override;
    void removeit_Click() override;
    void ren_Click() override;
    void mup_Click() override;
    void mdown_Click() override;
    void badd_Click() override;
    void bdel_Click() override;
    void edX_Click() override;

private:
    QPushButton *addButton(const QString &name, const QString &caption, void (TableWindow::*run)());
    void labelEdited(QTreeWidgetItem *item);

    int tableSlot;
    StructureTreeWidget *templ;
    bool rebuilding = false;
};
