#include "designer/gui/new_att_window.h"

#include "designer/gui/dialog_buttons.h"
#include "designer/new_att_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

NewAttWindow::NewAttWindow(QWidget *parent)
    : QDialog(parent), aname(new QListWidget(this)), attname(new QLineEdit(this)),
      usexsl(new QCheckBox(QStringLiteral("Calculate with XSL code"), this))
{
    setObjectName(QStringLiteral("newatt"));
    setWindowTitle(QStringLiteral("Choose attribute"));
    aname->setObjectName(QStringLiteral("aname"));
    attname->setObjectName(QStringLiteral("attname"));
    usexsl->setObjectName(QStringLiteral("usexsl"));
    auto *label = new QLabel(QStringLiteral("If attribute is not in the list, type it:"), this);
    label->setObjectName(QStringLiteral("Label1"));

    QDialogButtonBox *buttons = okCancelButtons(this, QStringLiteral("bcloseit"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(aname, 1);
    layout->addWidget(label);
    layout->addWidget(attname);
    layout->addWidget(usexsl);
    layout->addWidget(buttons);

    // Only a name the user selected counts: the list taking the focus makes a row current
    // without selecting it.
    connect(aname, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> chosen = aname->selectedItems();
        newAttDialog().selected = chosen.isEmpty() ? -1 : aname->row(chosen.constFirst());
    });
    connect(aname, &QListWidget::itemDoubleClicked, this, &NewAttWindow::accept);
    connect(attname, &QLineEdit::textEdited, this, [this](const QString &text) {
        attname_Change(newAttDialog(), text);
        const QSignalBlocker blocker(aname);
        aname->setCurrentRow(-1);
        aname->clearSelection();
    });
}

void NewAttWindow::run()
{
    const NewAttDialog &model = newAttDialog();
    {
        const QSignalBlocker blocker(aname);
        aname->clear();
        aname->addItems(model.aname);
        if (model.selected >= 0)
            aname->setCurrentRow(model.selected);
    }
    attname->setText(model.attname);
    usexsl->setChecked(model.usexsl);
    aname->setFocus();
    exec();
}

void NewAttWindow::accept()
{
    NewAttDialog &model = newAttDialog();
    model.usexsl = usexsl->isChecked();
    if (bok_Click(model))
        QDialog::accept();
}

void NewAttWindow::reject()
{
    bcloseit_Click(newAttDialog());
    QDialog::reject();
}
