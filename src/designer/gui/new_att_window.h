#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;

// The attribute dialog `newatt` over its model (new_att_dialog.h): the offered names, a
// box for a typed name and "Calculate with XSL code". Typing clears the list's selection;
// a double click on a name is OK; Esc is Cancel.
class NewAttWindow : public QDialog {
    Q_OBJECT
public:
    explicit NewAttWindow(QWidget *parent = nullptr);
    // Shows the model, runs modally and leaves the answer in the model.
    void run();

    QListWidget *nameList() const { return aname; }
    QLineEdit *nameBox() const { return attname; }

    void accept() override;
    void reject() override;

private:
    QListWidget *aname;
    QLineEdit *attname;
    QCheckBox *usexsl;
};
