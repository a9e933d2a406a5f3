#include "publishing/gui/xpath_item_dialog.h"

#include "publishing/gui/dialog_button.h"
#include "publishing/gui/xml_tree_copy.h"
#include "publishing/interface_editor.h"
#include "publishing/interface_tips.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

XpathItemDialog::XpathItemDialog(QWidget *parent)
    : QDialog(parent), cname(new QLineEdit(this)), cdesc(new QLineEdit(this)),
      xpath(new TextDropTarget<QLineEdit>(this)), xcopy(new XmlTreeCopy(this))
{
    setObjectName(QStringLiteral("whatis"));
    setWindowTitle(QStringLiteral("Xpath Item (of Table Interface collection)"));
    setModal(true);
    resize(520, 460);
    cname->setObjectName(QStringLiteral("cname"));
    cdesc->setObjectName(QStringLiteral("cdesc"));
    xpath->setObjectName(QStringLiteral("xpath"));
    xcopy->setObjectName(QStringLiteral("xcopy"));
    xpath->onDrop = [this](const QString &text, QPoint) { xpath->setText(text); };

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Name"), cname);
    form->addRow(new QLabel(QStringLiteral("Describe this Xpath Item"), this));
    form->addRow(QStringLiteral("Description"), cdesc);
    form->addRow(QStringLiteral("Xpath"), xpath);
    QPushButton *gox = dialogButton(this, "gox", QStringLiteral("Map XML to Xpath Item"));
    QPushButton *bok = dialogButton(this, "bok", QStringLiteral("OK"));
    QPushButton *bcloseit = dialogButton(this, "bcloseit", QStringLiteral("Cancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(gox);
    buttons->addStretch();
    buttons->addWidget(bok);
    buttons->addWidget(bcloseit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(xcopy, 1);
    layout->addLayout(buttons);
    connect(gox, &QPushButton::clicked, this, &XpathItemDialog::gox_Click);
    connect(bok, &QPushButton::clicked, this, &XpathItemDialog::bok_Click);
    connect(bcloseit, &QPushButton::clicked, this, &QDialog::reject);
}

InterfaceItem XpathItemDialog::item() const { return {cname->text(), cdesc->text(), xpath->text()}; }

void XpathItemDialog::setItem(const InterfaceItem &item)
{
    cname->setText(item.name);
    cdesc->setText(item.description);
    xpath->setText(item.xpath);
}

void XpathItemDialog::setXpath(const QString &text) { xpath->setText(text); }

void XpathItemDialog::bok_Click()
{
    InterfaceItem checked = item();
    const bool complete = checkXpathItem(checked);
    setItem(checked);
    if (complete)
        accept();
}

void XpathItemDialog::gox_Click() { xpath->setText(xcopy->selectedXpath()); }

void XpathItemDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QTimer::singleShot(0, this, [this] { showTipAtControl(xcopy, interface_tips::dragXpathItem()); });
}
