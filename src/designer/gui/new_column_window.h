#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;

// The add-column dialog `newcolumn` over its model (new_column_dialog.h): the name, the
// eleven types as icons three to a row, the chosen type's name and description in a gray
// frame, and "Map selected XML". Enter presses OK whichever control has the focus.
class NewColumnWindow : public QDialog {
    Q_OBJECT
public:
    explicit NewColumnWindow(QWidget *parent = nullptr);
    // Shows the model, runs modally and leaves the answer in the model.
    void run();

    QListWidget *typeList() const { return ctype2; }

    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showType();

    QLineEdit *cname;
    QListWidget *ctype2;
    QLabel *elTitle;
    QLabel *expType;
    QCheckBox *mapxml;
};
