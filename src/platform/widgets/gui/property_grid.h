#pragma once

#include <QStringList>
#include <QWidget>
#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// One item of a property grid: the category, a group, or a row (a row with children is a
// heading row).
struct GridItem {
    enum class Kind { Category, Group, Row };
    // How the selected row's value is edited: not at all, typed, through its "..."
    // button, typed with the button beside it, or chosen from its list.
    enum class Edit { None, Typed, Button, TypedButton, List };

    Kind kind = Kind::Row;
    QString caption;
    QString value;
    QString help;
    Edit edit = Edit::Typed;
    bool restrictToList = false; // the list row takes only its choices
    QStringList choices;
    bool readOnly = false;
    std::vector<GridItem> children;
};

// A command link under the grid.
struct GridVerb {
    int id = 0;
    QString caption;
};

// A property grid: one category of rows and groups, captions on the left and values on
// the right, an editor on the selected row, a help pane with the selected row's caption
// and help, and a strip of numbered command links. A row is found by its caption, unique
// within the grid.
class PropertyGrid : public QWidget {
    Q_OBJECT
public:
    explicit PropertyGrid(QWidget *parent = nullptr);

    // Shows new content; no signal is sent while it is built.
    void setContent(GridItem category, std::vector<GridVerb> verbs);
    // Selects the row (or group) with this caption; false when there is none.
    bool selectCaption(const QString &caption);
    QString selectedCaption() const;
    QString value(const QString &caption) const;
    // The text the user gives the row, as typing it and leaving the field does: refused
    // (false) for a read-only row, a group, a missing row, and on a list restricted to
    // its choices for any other text. A changed value sends valueChanged.
    bool putValue(const QString &caption, const QString &text);
    // The "..." button of the row, as a click on it: what is typed in the open field is
    // given to its row first.
    void pressButton(const QString &caption);
    // The command link with this id, as a click on it.
    void clickVerb(int id);
    QStringList verbCaptions() const;
    QString helpText() const;
    // What is typed in the selected row's open editor and not yet given to the row: given
    // now, as leaving the field does.
    void flushEditor();
    // The editor on the selected row; null when the row takes no edit.
    QWidget *selectedEditor() const;
    QTreeWidget *tree() const { return rows; }

signals:
    void gotFocus();
    void lostFocus();
    void selectionChanged(const QString &caption); // by the user
    void valueChanged(const QString &caption, const QString &value);
    void inplaceButtonDown(const QString &caption);
    void verbClick(int id);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // The caption column as wide as its captions, at most three fifths of the grid.
    void fitCaptions();
    void addItem(QTreeWidgetItem *parent, const GridItem &item);
    QTreeWidgetItem *find(const QString &caption) const;
    const GridItem *itemOf(const QTreeWidgetItem *treeItem) const;
    void flushEditorOf(QTreeWidgetItem *treeItem);
    void currentChanged(QTreeWidgetItem *current);
    void openEditor(QTreeWidgetItem *treeItem);
    QWidget *makeEditor(const QString &caption, const GridItem &item);
    void focusMoved(QWidget *from, QWidget *to);
    void showHelp(const GridItem *item);

    QTreeWidget *rows;
    QLabel *help;
    QLabel *verbStrip;
    GridItem content;
    std::vector<GridVerb> verbList;
    bool building = false;
};
