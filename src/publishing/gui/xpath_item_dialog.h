#pragma once

#include "documents/interface_text.h"

#include "publishing/gui/text_drop_target.h"

#include <QDialog>
#include <QLineEdit>

class XmlTreeCopy;

// The Xpath Item dialog `whatis` ("Xpath Item (of Table Interface collection)"): the name,
// description and Xpath of one interface item, and a copy of the current table's XML tree
// to pick or drag the Xpath from. OK accepts only a complete item with a valid name; Cancel
// and closing the window reject it. The boxes keep their texts between uses.
class XpathItemDialog : public QDialog {
    Q_OBJECT
public:
    explicit XpathItemDialog(QWidget *parent = nullptr);

    // The boxes as they stand.
    InterfaceItem item() const;
    void setItem(const InterfaceItem &item);
    void setXpath(const QString &xpath);
    XmlTreeCopy &tree() { return *xcopy; }

    void bok_Click();
    void gox_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *cname;
    QLineEdit *cdesc;
    TextDropTarget<QLineEdit> *xpath;
    XmlTreeCopy *xcopy;
};
