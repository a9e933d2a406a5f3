#include "publishing/gui/call_mapping_dialog.h"

#include "publishing/gui/dialog_button.h"
#include "publishing/gui/xml_tree_copy.h"
#include "publishing/interface_tips.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int xpathColumn = 1;

} // namespace

CallMappingDialog::CallMappingDialog(QWidget *parent)
    : QDialog(parent), comps(new TextDropTarget<QTableWidget>(0, 2, this)), ixml(new XmlTreeCopy(this)),
      desc(new QLabel(this))
{
    setObjectName(QStringLiteral("mapCall1"));
    setWindowTitle(QStringLiteral("Call Interface for Table"));
    setModal(true);
    resize(720, 520);
    comps->setObjectName(QStringLiteral("comps"));
    comps->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Xpath")});
    comps->verticalHeader()->hide();
    comps->setEditTriggers(QAbstractItemView::NoEditTriggers);
    comps->setSelectionBehavior(QAbstractItemView::SelectRows);
    comps->setSelectionMode(QAbstractItemView::SingleSelection);
    comps->setWordWrap(false);
    comps->setAcceptDrops(true);
    comps->setDragDropMode(QAbstractItemView::DropOnly);
    ixml->setObjectName(QStringLiteral("ixml"));
    desc->setObjectName(QStringLiteral("desc"));
    desc->setWordWrap(true);
    auto *title = new QLabel(QStringLiteral("Xpath Item Description"), this);
    title->setObjectName(QStringLiteral("title"));

    QPushButton *addit = dialogButton(this, "addit", QStringLiteral("Map XML to Xpath Item"));
    QPushButton *unmap = dialogButton(this, "ARButton1", QStringLiteral("Delete mapping for Xpath Item"));
    QPushButton *clearit = dialogButton(this, "clearit", QStringLiteral("Delete all Xpath Item mappings"));
    QPushButton *dosave = dialogButton(this, "dosave", QStringLiteral("Save"));
    QPushButton *cancelit = dialogButton(this, "cancelit", QStringLiteral("Cancel"));
    auto *panes = new QHBoxLayout;
    panes->addWidget(comps, 3);
    panes->addWidget(ixml, 2);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {addit, unmap, clearit})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(dosave);
    buttons->addWidget(cancelit);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(desc);
    layout->addLayout(panes, 1);
    layout->addLayout(buttons);

    connect(addit, &QPushButton::clicked, this, &CallMappingDialog::addit_Click);
    connect(unmap, &QPushButton::clicked, this, &CallMappingDialog::ARButton1_Click);
    connect(clearit, &QPushButton::clicked, this, &CallMappingDialog::clearit_Click);
    connect(dosave, &QPushButton::clicked, this, &CallMappingDialog::dosave_Click);
    connect(cancelit, &QPushButton::clicked, this, &QDialog::reject);
    comps->onDrop = [this](const QString &text, QPoint at) { addMap(comps->rowAt(at.y()), text); };
    connect(comps, &QTableWidget::cellClicked, this, [this](int row) { showDescription(row); });
}

void CallMappingDialog::prepare()
{
    allCleared = false;
    const QList<CallMappingRow> mapping = callInterfaceRows();
    comps->setRowCount(int(mapping.size()));
    for (int r = 0; r < mapping.size(); ++r) {
        comps->setItem(r, 0, new QTableWidgetItem(mapping[r].name));
        comps->setItem(r, xpathColumn, new QTableWidgetItem(mapping[r].xpath));
    }
    desc->clear();
    if (!mapping.isEmpty()) {
        comps->setCurrentCell(0, 0);
        showDescription(0);
    }
    ixml->copyCurrentTable();
}

QList<CallMappingRow> CallMappingDialog::rows() const
{
    QList<CallMappingRow> list;
    for (int r = 0; r < comps->rowCount(); ++r)
        list.append({comps->item(r, 0)->text(), comps->item(r, xpathColumn)->text()});
    return list;
}

void CallMappingDialog::addMap(int row, const QString &xpath)
{
    if (row >= 0 && row < comps->rowCount())
        comps->item(row, xpathColumn)->setText(xpath);
}

void CallMappingDialog::addit_Click() { addMap(comps->currentRow(), ixml->selectedXpath()); }

void CallMappingDialog::ARButton1_Click() { addMap(comps->currentRow(), QString()); }

void CallMappingDialog::clearit_Click()
{
    if (comps->rowCount() == 0 || !askClearMappings())
        return;
    for (int r = 0; r < comps->rowCount(); ++r)
        addMap(r, QString());
    allCleared = true;
}

void CallMappingDialog::dosave_Click()
{
    if (comps->rowCount() == 0)
        return;
    hide();
    saveCallMapping(rows(), allCleared);
    accept();
}

void CallMappingDialog::showDescription(int row) { desc->setText(callItemDescription(row + 1)); }

void CallMappingDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    fitGridColumns(*comps, {{7, 2}, {9, 6}}, 16);
}

void CallMappingDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    fitGridColumns(*comps, {{7, 2}, {9, 6}}, 16);
    QTimer::singleShot(0, this, [this] { showTipAtControl(ixml, interface_tips::dragMapItem()); });
}
