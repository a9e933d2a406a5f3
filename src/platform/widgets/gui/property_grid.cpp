#include "platform/widgets/gui/property_grid.h"

#include "platform/widgets/gui/read_only_field.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStyleOptionComboBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QKeyEvent>
#include <QWheelEvent>

namespace {

constexpr int captionRole = Qt::UserRole;

template <typename Item>
Item *findIn(Item &item, const QString &caption)
{
    if (item.caption == caption)
        return &item;
    for (auto &child : item.children)
        if (Item *found = findIn(child, caption))
            return found;
    return nullptr;
}

bool isEditable(const GridItem &item)
{
    return item.kind == GridItem::Kind::Row && !item.readOnly && item.edit != GridItem::Edit::None;
}

// A row's list: the wheel turning over it scrolls the grid, and changes the choice only
// once the list has the focus. On a list that takes typed text, what is typed while its
// choices are open goes into the text.
class ListEditor : public QComboBox {
public:
    ListEditor() { setFocusPolicy(Qt::StrongFocus); }

    void makeEditable()
    {
        setEditable(true);
        view()->installEventFilter(this);
    }

    // The click that opened the editor at this point of it: it opens the choices, or, on
    // the text of a list that takes typed text, puts the caret there.
    void clickedAt(QPoint at)
    {
        setFocus(Qt::MouseFocusReason);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        if (!isEditable() || !rect().contains(at) ||
            style()->hitTestComplexControl(QStyle::CC_ComboBox, &option, at, this) ==
                QStyle::SC_ComboBoxArrow) {
            showPopup();
            return;
        }
        lineEdit()->setCursorPosition(lineEdit()->cursorPositionAt(lineEdit()->mapFrom(this, at)));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != view() || event->type() != QEvent::KeyPress)
            return QComboBox::eventFilter(watched, event);
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->text().isEmpty() || !key->text().front().isPrint())
            return QComboBox::eventFilter(watched, event);
        hidePopup();
        lineEdit()->setFocus(Qt::OtherFocusReason);
        QApplication::sendEvent(lineEdit(), key);
        return true;
    }

    void wheelEvent(QWheelEvent *event) override
    {
        if (hasFocus())
            QComboBox::wheelEvent(event);
        else
            event->ignore();
    }
};

// An editor about to go sends nothing more: what it still holds would reach whatever row
// has its caption by then.
void silence(QWidget *editor)
{
    editor->blockSignals(true);
    for (QWidget *child : editor->findChildren<QWidget *>())
        child->blockSignals(true);
}

} // namespace

PropertyGrid::PropertyGrid(QWidget *parent)
    : QWidget(parent), rows(new QTreeWidget), help(new QLabel), verbStrip(new QLabel)
{
    rows->setObjectName(QStringLiteral("rows"));
    rows->setColumnCount(2);
    rows->setHeaderHidden(true);
    rows->setRootIsDecorated(true);
    rows->setAllColumnsShowFocus(true);
    rows->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    rows->header()->setStretchLastSection(true);
    rows->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    help->setObjectName(QStringLiteral("help"));
    help->setWordWrap(true);
    help->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    help->setMinimumHeight(48);
    help->setFrameShape(QFrame::StyledPanel);
    verbStrip->setObjectName(QStringLiteral("verbs"));
    verbStrip->setWordWrap(true);
    verbStrip->setTextFormat(Qt::RichText);
    verbStrip->setFrameShape(QFrame::StyledPanel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto *split = new QSplitter(Qt::Vertical);
    split->addWidget(rows);
    split->addWidget(verbStrip);
    split->addWidget(help);
    split->setStretchFactor(0, 1);
    layout->addWidget(split);

    connect(rows, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { currentChanged(current); });
    // A click on a value goes straight into its editor; on a list it opens the choices.
    connect(rows, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item, int column) {
        QWidget *editor = rows->itemWidget(item, 1);
        if (!editor || column != 1)
            return;
        if (auto *list = dynamic_cast<ListEditor *>(editor))
            list->clickedAt(list->mapFromGlobal(QCursor::pos()));
        else
            editor->setFocus(Qt::MouseFocusReason);
    });
    connect(verbStrip, &QLabel::linkActivated, this,
            [this](const QString &link) { clickVerb(link.toInt()); });
    connect(qApp, &QApplication::focusChanged, this, &PropertyGrid::focusMoved);
}

void PropertyGrid::setContent(GridItem category, std::vector<GridVerb> verbs)
{
    building = true;
    content = std::move(category);
    verbList = std::move(verbs);
    for (QTreeWidgetItemIterator it(rows); *it; ++it)
        if (QWidget *editor = rows->itemWidget(*it, 1))
            silence(editor);
    rows->clear();
    auto *top = new QTreeWidgetItem({content.caption});
    top->setData(0, captionRole, content.caption);
    QFont bold = top->font(0);
    bold.setBold(true);
    top->setFont(0, bold);
    top->setFirstColumnSpanned(true);
    rows->addTopLevelItem(top);
    for (const GridItem &child : content.children)
        addItem(top, child);
    rows->expandAll();
    fitCaptions();
    QStringList links;
    for (const GridVerb &verb : verbList)
        links << QStringLiteral("<a href=\"%1\">%2</a>").arg(verb.id).arg(verb.caption.toHtmlEscaped());
    verbStrip->setText(links.join(QStringLiteral("&nbsp;&nbsp; ")));
    verbStrip->setVisible(!verbList.empty());
    showHelp(nullptr);
    building = false;
}

void PropertyGrid::addItem(QTreeWidgetItem *parent, const GridItem &item)
{
    auto *treeItem = new QTreeWidgetItem(parent, {item.caption, item.value});
    treeItem->setData(0, captionRole, item.caption);
    treeItem->setToolTip(0, item.caption);
    treeItem->setToolTip(1, item.value);
    if (item.kind == GridItem::Kind::Group) {
        QFont bold = treeItem->font(0);
        bold.setBold(true);
        treeItem->setFont(0, bold);
    }
    if (item.readOnly)
        treeItem->setForeground(1, palette().brush(QPalette::Disabled, QPalette::Text));
    for (const GridItem &child : item.children)
        addItem(treeItem, child);
}

QTreeWidgetItem *PropertyGrid::find(const QString &caption) const
{
    for (QTreeWidgetItemIterator it(rows); *it; ++it)
        if ((*it)->data(0, captionRole).toString() == caption)
            return *it;
    return nullptr;
}

const GridItem *PropertyGrid::itemOf(const QTreeWidgetItem *treeItem) const
{
    if (!treeItem)
        return nullptr;
    return findIn(content, treeItem->data(0, captionRole).toString());
}

bool PropertyGrid::selectCaption(const QString &caption)
{
    QTreeWidgetItem *treeItem = find(caption);
    if (!treeItem || caption == content.caption)
        return false;
    flushEditor();
    const bool wasBuilding = building;
    building = true;
    rows->setCurrentItem(treeItem, 1);
    rows->scrollToItem(treeItem);
    building = wasBuilding;
    return true;
}

QString PropertyGrid::selectedCaption() const
{
    const QTreeWidgetItem *current = rows->currentItem();
    return current ? current->data(0, captionRole).toString() : QString();
}

QString PropertyGrid::value(const QString &caption) const
{
    const GridItem *item = findIn(content, caption);
    return item ? item->value : QString();
}

bool PropertyGrid::putValue(const QString &caption, const QString &text)
{
    GridItem *item = findIn(content, caption);
    if (!item || !isEditable(*item) || item->edit == GridItem::Edit::Button)
        return false;
    if (item->edit == GridItem::Edit::List && item->restrictToList && !item->choices.contains(text))
        return false;
    if (item->value == text)
        return true;
    item->value = text;
    if (QTreeWidgetItem *treeItem = find(caption)) {
        treeItem->setText(1, text);
        treeItem->setToolTip(1, text);
    }
    if (!building)
        emit valueChanged(caption, text);
    return true;
}

void PropertyGrid::pressButton(const QString &caption)
{
    // The button never takes the focus, so the field beside it still holds what was typed:
    // it goes to the row first, as leaving the field would, and the button's action sees it.
    flushEditor();
    const GridItem *item = findIn(content, caption);
    if (item && !item->readOnly &&
        (item->edit == GridItem::Edit::Button || item->edit == GridItem::Edit::TypedButton))
        emit inplaceButtonDown(caption);
}

void PropertyGrid::clickVerb(int id)
{
    for (const GridVerb &verb : verbList)
        if (verb.id == id) {
            emit verbClick(id);
            return;
        }
}

QStringList PropertyGrid::verbCaptions() const
{
    QStringList captions;
    for (const GridVerb &verb : verbList)
        captions << verb.caption;
    return captions;
}

QString PropertyGrid::helpText() const { return help->text(); }

void PropertyGrid::fitCaptions()
{
    rows->resizeColumnToContents(0);
    // Captions may take three fifths of the width; the values keep the rest.
    const int most = rows->viewport()->width() * 3 / 5;
    if (most > 0 && rows->columnWidth(0) > most)
        rows->setColumnWidth(0, most);
}

void PropertyGrid::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitCaptions();
}

QWidget *PropertyGrid::selectedEditor() const
{
    QTreeWidgetItem *current = rows->currentItem();
    return current ? rows->itemWidget(current, 1) : nullptr;
}

void PropertyGrid::flushEditor()
{
    if (QTreeWidgetItem *current = rows->currentItem())
        flushEditorOf(current);
}

void PropertyGrid::flushEditorOf(QTreeWidgetItem *treeItem)
{
    const GridItem *item = itemOf(treeItem);
    QWidget *editor = rows->itemWidget(treeItem, 1);
    if (!item || !editor)
        return;
    QString text;
    if (auto *list = qobject_cast<QComboBox *>(editor); list && list->isEditable())
        text = list->currentText();
    else if (auto *field = editor->findChild<QLineEdit *>(QStringLiteral("field"));
             field && !field->isReadOnly())
        text = field->text();
    else
        return;
    if (text != item->value)
        putValue(item->caption, text);
}

void PropertyGrid::currentChanged(QTreeWidgetItem *current)
{
    for (QTreeWidgetItemIterator it(rows); *it; ++it)
        if (*it != current && rows->itemWidget(*it, 1)) {
            if (!building) // a rebuilt grid's rows already hold what the model holds
                flushEditorOf(*it);
            silence(rows->itemWidget(*it, 1));
            rows->removeItemWidget(*it, 1);
        }
    const GridItem *item = itemOf(current);
    showHelp(item);
    if (item && isEditable(*item))
        openEditor(current);
    if (!building && item)
        emit selectionChanged(item->caption);
}

void PropertyGrid::openEditor(QTreeWidgetItem *treeItem)
{
    const GridItem *item = itemOf(treeItem);
    rows->setItemWidget(treeItem, 1, makeEditor(item->caption, *item));
}

QWidget *PropertyGrid::makeEditor(const QString &caption, const GridItem &item)
{
    const auto put = [this, caption](const QString &text) {
        if (!building)
            putValue(caption, text);
    };
    if (item.edit == GridItem::Edit::List) {
        auto *list = new ListEditor;
        list->setObjectName(QStringLiteral("list"));
        list->addItems(item.choices);
        if (!item.restrictToList)
            list->makeEditable();
        list->setCurrentIndex(int(item.choices.indexOf(item.value)));
        if (list->isEditable()) {
            list->setEditText(item.value);
            connect(list->lineEdit(), &QLineEdit::editingFinished, list,
                    [list, put] { put(list->currentText()); });
        }
        connect(list, &QComboBox::textActivated, list, put);
        return list;
    }
    // A thin frame of its own shows where typing goes: the field's own frame does not fit
    // the row.
    auto *box = new QFrame;
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setLineWidth(1);
    box->setObjectName(QStringLiteral("inplaceEditor"));
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    auto *field = new QLineEdit(item.value);
    field->setObjectName(QStringLiteral("field"));
    field->setFrame(false);
    if (item.edit == GridItem::Edit::Button)
        showAsReadOnly(field);
    layout->addWidget(field);
    connect(field, &QLineEdit::editingFinished, field, [field, put] { put(field->text()); });
    if (item.edit != GridItem::Edit::Typed) {
        auto *button = new QToolButton;
        button->setObjectName(QStringLiteral("inplaceButton"));
        button->setText(QStringLiteral("..."));
        layout->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, caption] { pressButton(caption); });
    }
    box->setFocusProxy(field);
    return box;
}

void PropertyGrid::focusMoved(QWidget *from, QWidget *to)
{
    if (building)
        return;
    const bool wasInside = from && (from == this || isAncestorOf(from));
    const bool isInside = to && (to == this || isAncestorOf(to));
    if (wasInside && !isInside)
        emit lostFocus();
    else if (!wasInside && isInside)
        emit gotFocus();
}

void PropertyGrid::showHelp(const GridItem *item)
{
    if (!item || item->kind == GridItem::Kind::Category) {
        help->clear();
        return;
    }
    help->setText(QStringLiteral("<b>%1</b><br>%2")
                      .arg(item->caption.toHtmlEscaped(), item->help.toHtmlEscaped()));
}
