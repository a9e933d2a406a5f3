#include "designer/gui/table_window.h"

#include "designer/attribute_editing.h"
#include "designer/drop_mapping.h"
#include "designer/table_editing.h"
#include "properties/mapping_entry.h"
#include "documents/views/property_sheet_view.h"
#include "documents/workspace.h"
#include "platform/widgets/gui/tree_icons.h"

#include <QGridLayout>
#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>

namespace {

constexpr int keyRole = Qt::UserRole;

QTreeWidgetItem *itemOf(const StructureTree::Node &node)
{
    auto *item = new QTreeWidgetItem({node.text});
    item->setData(0, keyRole, node.key);
    item->setToolTip(0, node.text);
    item->setIcon(0, treeIcon(node.image));
    if (nodeKind(node) == NodeKind::Column)
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    for (const auto &child : node.children)
        item->addChild(itemOf(*child));
    return item;
}

constexpr int scrollInterval = 50; // ms

} // namespace

StructureTreeWidget::StructureTreeWidget(QWidget *parent)
    : QTreeWidget(parent), scrollTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("template"));
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
    setAutoScroll(false); // the hovering scrolls in its own bands
    scrollTimer->setInterval(scrollInterval);
    connect(scrollTimer, &QTimer::timeout, this, &StructureTreeWidget::scrollOneLine);
}

void StructureTreeWidget::startDrag(Qt::DropActions)
{
    const QString text = dragText();
    if (text.isEmpty())
        return;
    auto *drag = new QDrag(this);
    auto *data = new QMimeData;
    data->setText(text);
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
}

void StructureTreeWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    hovering = true;
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void StructureTreeWidget::dragMoveEvent(QDragMoveEvent *event)
{
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    const QPoint at = event->position().toPoint();
    if (QTreeWidgetItem *item = itemAt(at))
        setCurrentItem(item);
    const double twips = 1440.0 / logicalDpiY();
    scrollDirection = dragScrollDirection(at.y() * twips, viewport()->height() * twips);
    if (scrollDirection == 0)
        scrollTimer->stop();
    else if (!scrollTimer->isActive()) {
        scrollOneLine();
        scrollTimer->start();
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

// The last node hovered stays selected, and the sheet shows it, once the drag is over.
void StructureTreeWidget::dragLeaveEvent(QDragLeaveEvent *event)
{
    scrollTimer->stop();
    hovering = false;
    event->accept();
    QTimer::singleShot(0, this, [hovered = keyOf(currentItem())] { followTreeCurrent(hovered); });
}

// The drop is acted on once the drag has ended, so that its messages and tips never run
// inside the drag; the source is told that nothing moved.
void StructureTreeWidget::dropEvent(QDropEvent *event)
{
    scrollTimer->stop();
    hovering = false;
    const QString text = event->mimeData()->text();
    const QString key = keyOf(itemAt(event->position().toPoint()));
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    QTimer::singleShot(0, this, [text, key, hovered = keyOf(currentItem())] {
        followTreeCurrent(hovered);
        dropOnTree(text, key);
    });
}

void StructureTreeWidget::scrollOneLine()
{
    verticalScrollBar()->triggerAction(scrollDirection < 0 ? QAbstractSlider::SliderSingleStepSub
                                                           : QAbstractSlider::SliderSingleStepAdd);
}

QString StructureTreeWidget::keyOf(const QTreeWidgetItem *item)
{
    return item ? item->data(0, keyRole).toString() : QString();
}

bool StructureTreeWidget::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (trigger & editTriggers() && !mayEditLabel(keyOf(itemFromIndex(index))))
        return false;
    return QTreeWidget::edit(index, trigger, event);
}

void StructureTreeWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && state() != EditingState) {
        deleteKeyPressed();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void StructureTreeWidget::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton)
        popUpMainR();
}

TableWindow::TableWindow(int slot, QWidget *parent)
    : QWidget(parent), tableSlot(slot), templ(new StructureTreeWidget(this))
{
    setObjectName(QStringLiteral("rep"));
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    const struct {
        const char *name;
        const char *caption;
        void (TableWindow::*run)();
    } buttons[] = {
        {"addit", "New column", &TableWindow::addit_Click},
        {"removeit", "Delete column", &TableWindow::removeit_Click},
        {"ren", "Rename column", &TableWindow::ren_Click},
        {"mup", "Move up", &TableWindow::mup_Click},
        {"mdown", "Move down", &TableWindow::mdown_Click},
        {"badd", "New attribute", &TableWindow::badd_Click},
        {"bdel", "Delete attribute", &TableWindow::bdel_Click},
        {"edX", "Edit attribute", &TableWindow::edX_Click},
    };
    constexpr int perRow = 3;
    int at = 0;
    for (const auto &b : buttons) {
        QPushButton *button = addButton(QLatin1String(b.name), QLatin1String(b.caption), b.run);
        button->setStyleSheet(QStringLiteral("padding: 2px 4px;"));
        layout->addWidget(button, at / perRow, at % perRow);
        ++at;
    }
    const int treeRow = (at + perRow - 1) / perRow;
    layout->addWidget(templ, treeRow, 0, 1, perRow);
    layout->setRowStretch(treeRow, 1);

    connect(templ, &QTreeWidget::itemClicked, this,
            [](QTreeWidgetItem *item) { nodeClick(StructureTreeWidget::keyOf(item)); });
    // The keyboard moves the selection as a click does; a drag's hovering is followed once
    // the drag is over.
    connect(templ, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (!rebuilding && item && !templ->isHovering())
            followTreeCurrent(StructureTreeWidget::keyOf(item));
    });
    connect(templ, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *item) {
        templ->setCurrentItem(item);
        nodeClick(StructureTreeWidget::keyOf(item));
    });
    connect(templ, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem *item) { labelEdited(item); });
    workspace().views[size_t(slot)].rep = this;
    showTree();
}

TableWindow::~TableWindow()
{
    SlotViews &views = workspace().views[size_t(tableSlot)];
    if (views.rep == this)
        views.rep = nullptr;
}

QPushButton *TableWindow::addButton(const QString &name, const QString &caption,
                                    void (TableWindow::*run)())
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    connect(button, &QPushButton::clicked, this, [this, run] { (this->*run)(); });
    return button;
}

// A finished in-place edit renames the column once the edit has closed; a refused name
// puts the label back.
void TableWindow::labelEdited(QTreeWidgetItem *item)
{
    if (rebuilding)
        return;
    const QString oldName = StructureTreeWidget::keyOf(item);
    const QString newName = item->text(0);
    QTimer::singleShot(0, this, [oldName, newName] { ::labelEdited(oldName, newName); });
}

void TableWindow::fillProps()
{
    if (PropertySheetView *sheet = workspace().views[size_t(tableSlot)].allProp)
        sheet->fillProps();
}

void TableWindow::doTClick() { nodeClick(workspace().tables[size_t(tableSlot)].selectedNodeKey); }

void TableWindow::showTree()
{
    rebuilding = true;
    templ->clear();
    for (const auto &top : workspace().tables[size_t(tableSlot)].tree.topLevel())
        templ->addTopLevelItem(itemOf(*top));
    templ->expandAll();
    rebuilding = false;
}

void TableWindow::selectNode(const QString &key)
{
    const QList<QTreeWidgetItem *> found =
        templ->findItems(QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive);
    for (QTreeWidgetItem *item : found) {
        if (StructureTreeWidget::keyOf(item) == key) {
            const QScopedValueRollback quiet(rebuilding, true);
            templ->setCurrentItem(item);
            templ->scrollToItem(item);
            return;
        }
    }
    templ->setCurrentItem(nullptr);
}

void TableWindow::scrollLeft() { templ->horizontalScrollBar()->setValue(0); }

void TableWindow::addit_Click() { ::addit_Click(); }

void TableWindow::removeit_Click() { ::removeit_Click(); }

void TableWindow::ren_Click() { ::ren_Click(); }

void TableWindow::mup_Click() { ::mup_Click(); }

void TableWindow::mdown_Click() { ::mdown_Click(); }

void TableWindow::badd_Click() { ::badd_Click(); }

void TableWindow::bdel_Click() { ::bdel_Click(); }

void TableWindow::edX_Click() { editMapping(); }
