#pragma once

#include "designer/xml_document.h"
#include "designer/xml_tree_model.h"
#include "documents/views/xml_tree_view.h"

#include <QTreeView>
#include <QWidget>

class QLineEdit;
class QPushButton;

// The XML tree `XMLData`: the selection follows the pointer and expanding, a right click
// pops up the main window's menu `mainX`, a drag carries the node's Xpath.
class XmlTreeWidget : public QTreeView {
    Q_OBJECT
public:
    explicit XmlTreeWidget(QWidget *parent = nullptr);

    // A node scrolled to while the tree is hidden is scrolled to again once it shows at its
    // size.
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QPersistentModelIndex pendingScroll;
    ScrollHint pendingHint = EnsureVisible;
};

// The XML document window `frmParser` of one table slot: the path box, the buttons that
// open a document and map the selected node to a new column, and the XML tree. A
// document is parsed off the user-interface thread while the progress bar moves.
class XmlDocumentWindow : public QWidget, public XmlTreeView {
    Q_OBJECT
public:
    explicit XmlDocumentWindow(int slot, QWidget *parent = nullptr);
    ~XmlDocumentWindow() override;

    XmlTreeWidget *tree() const { return xmlData; }
    XmlTreeModel &treeModel() { return items; }
    // Clears the window for a new table.
    void initWin();

    // XmlTreeView
    void loadXMLFile() override;
    void selectNodeIndex(int index) override;
    void scrollLeft() override;
    void showLoaded() override { showState(); }
    void showMakeit(bool shown) override;
    QString selectedXpath() const override;
    void cmdBrowse_Click() override;
    void makeit_Click() override;

private:
    XmlTreeParse parseOffThread(const QString &path);
    void setCaption(const QString &caption);
    // Brings the path box, the tree and the caption in line with the state.
    void showState();
    void expandNew();
    void selectionChanged();
    void reveal(const QModelIndex &item);

    int tableSlot;
    XmlDocumentState model;
    XmlTreeModel items;
    QLineEdit *txtFileName;
    QPushButton *cmdBrowse;
    QPushButton *makeit;
    XmlTreeWidget *xmlData;
};
