#include "publishing/gui/interface_editor_dialog.h"

#include "documents/string_helpers.h"
#include "publishing/gui/dialog_button.h"
#include "publishing/gui/text_drop_target.h"
#include "publishing/gui/xml_tree_copy.h"
#include "publishing/gui/xpath_item_dialog.h"
#include "publishing/interface_editor.h"
#include "publishing/interface_tips.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

struct ButtonSpec {
    const char *name;
    const char *caption;
    void (InterfaceEditorDialog::*handler)();
};

} // namespace

InterfaceEditorDialog::InterfaceEditorDialog(QWidget *parent)
    : QDialog(parent), model(interfaceEditor()), comps(new QTableWidget(0, 3, this)),
      tlogic(new QPlainTextEdit(this)), whatis(new XpathItemDialog(this))
{
    setObjectName(QStringLiteral("newcomponent"));
    setWindowTitle(QStringLiteral("Table Interface"));
    setModal(true);
    resize(760, 600);
    buildControls();
}

void InterfaceEditorDialog::buildControls()
{
    comps->setObjectName(QStringLiteral("comps"));
    comps->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Description"),
                                      QStringLiteral("Xpath")});
    comps->verticalHeader()->hide();
    comps->setEditTriggers(QAbstractItemView::NoEditTriggers);
    comps->setSelectionBehavior(QAbstractItemView::SelectRows);
    comps->setSelectionMode(QAbstractItemView::SingleSelection);
    comps->setWordWrap(false);
    tlogic->setObjectName(QStringLiteral("tlogic"));
    tlogic->setReadOnly(true);
    tlogic->setLineWrapMode(QPlainTextEdit::NoWrap);

    const ButtonSpec specs[] = {
        {"addit", "New Xpath Item", &InterfaceEditorDialog::addit_Click},
        {"editit", "Edit Xpath Item", &InterfaceEditorDialog::editit_Click},
        {"deleteit", "Delete Xpath Item", &InterfaceEditorDialog::deleteit_Click},
        {"clearit", "Delete all Xpath Items", &InterfaceEditorDialog::clearit_Click},
        {"upit", "Move up", &InterfaceEditorDialog::upit_Click},
        {"downit", "Move down", &InterfaceEditorDialog::downit_Click},
        {"goright", "Move right", &InterfaceEditorDialog::goright_Click},
        {"goleft", "Move left", &InterfaceEditorDialog::goleft_Click},
        {"suggest", "Suggest Xpath Items", &InterfaceEditorDialog::suggest_Click},
        {"saveit", "Save", &InterfaceEditorDialog::saveit_Click},
        {"closeit", "Close", &InterfaceEditorDialog::reject},
    };
    auto *buttons = new QGridLayout;
    int i = 0;
    for (const ButtonSpec &spec : specs) {
        QPushButton *b = dialogButton(this, spec.name, QLatin1String(spec.caption));
        connect(b, &QPushButton::clicked, this, spec.handler);
        buttons->addWidget(b, i / 4, i % 4);
        ++i;
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(comps, 1);
    layout->addLayout(buttons);
    layout->addWidget(new QLabel(QStringLiteral("Translation logic for Table Interface:"), this));
    layout->addWidget(tlogic, 1);
}

void InterfaceEditorDialog::load(const QString &text)
{
    model.addComp(text);
    showRows(0);
}

void InterfaceEditorDialog::showRows(int current)
{
    comps->setRowCount(int(model.rows.size()));
    for (int r = 0; r < model.rows.size(); ++r) {
        const InterfaceItem &item = model.rows[r];
        int c = 0;
        for (const QString &text : {item.name, item.description, item.xpath})
            comps->setItem(r, c++, new QTableWidgetItem(text));
    }
    if (current >= 0 && current < comps->rowCount())
        comps->setCurrentCell(current, 0);
    tlogic->setPlainText(model.tlogic);
}

int InterfaceEditorDialog::currentRow() const { return comps->currentRow(); }

bool InterfaceEditorDialog::askItem()
{
    whatis->tree().copyCurrentTable();
    whatis->move(mapToGlobal(QPoint(50, 30)));
    return whatis->exec() == QDialog::Accepted;
}

void InterfaceEditorDialog::addit_Click()
{
    whatis->setXpath(currentTableXpath());
    if (!askItem())
        return;
    model.appendItem(whatis->item());
    showRows(int(model.rows.size()) - 1);
}

void InterfaceEditorDialog::editit_Click()
{
    const int row = currentRow();
    if (row < 0 || row >= model.rows.size())
        return;
    const InterfaceItem &item = model.rows[row];
    whatis->setItem({stripIndent(item.name), item.description, item.xpath});
    if (!askItem())
        return;
    model.replaceItem(row, whatis->item());
    showRows(row);
}

void InterfaceEditorDialog::deleteit_Click()
{
    const int row = currentRow();
    model.deleteItem(row);
    showRows(std::min(row, int(model.rows.size()) - 1));
}

void InterfaceEditorDialog::clearit_Click()
{
    if (!model.clearAll())
        return;
    comps->setRowCount(0);
}

void InterfaceEditorDialog::upit_Click() { showRows(model.moveUp(currentRow())); }

void InterfaceEditorDialog::downit_Click() { showRows(model.moveDown(currentRow())); }

void InterfaceEditorDialog::goright_Click()
{
    const int row = currentRow();
    model.goRight(row);
    showRows(row);
    showHierarchyTip();
}

void InterfaceEditorDialog::goleft_Click()
{
    const int row = currentRow();
    model.goLeft(row);
    showRows(row);
}

void InterfaceEditorDialog::suggest_Click()
{
    const bool columnsAdded = model.suggest(comps);
    showRows(0);
    if (columnsAdded)
        QTimer::singleShot(300, this, &InterfaceEditorDialog::showHierarchyTip);
}

void InterfaceEditorDialog::saveit_Click()
{
    if (model.save())
        accept();
}

void InterfaceEditorDialog::reject()
{
    if (model.mayClose())
        QDialog::reject();
}

void InterfaceEditorDialog::showHierarchyTip() { showTipAtControl(comps, interface_tips::hierarchy()); }

void InterfaceEditorDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    fitGridColumns(*comps, {{5, 2}, {12, 6}, {5, 6}}, 22);
}

void InterfaceEditorDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    fitGridColumns(*comps, {{5, 2}, {12, 6}, {5, 6}}, 22);
    QTimer::singleShot(0, this, [this] {
        showTipAtControl(findChild<QPushButton *>(QStringLiteral("suggest")), interface_tips::startInterface());
    });
}
