#include "designer/gui/new_column_window.h"

#include "designer/gui/dialog_buttons.h"
#include "designer/map_xml_box.h"
#include "designer/new_column_dialog.h"
#include "documents/column_types.h"
#include "documents/string_helpers.h"
#include "platform/widgets/gui/tree_icons.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int cellWidth = 80; // pixels
constexpr int perRow = 3;

// Each type's icon over its whole name, word-wrapped: the cells are as tall as the tallest
// name needs.
QListWidget *typeGrid(QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QStringLiteral("ctype2"));
    list->setViewMode(QListView::IconMode);
    list->setMovement(QListView::Static);
    list->setResizeMode(QListView::Adjust);
    list->setIconSize(QSize(32, 32));
    list->setWordWrap(true);
    list->setSpacing(0);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setGridSize(QSize(cellWidth, cellWidth)); // the width the names wrap in
    int cellHeight = 0;
    for (const QString &type : ctype2Items()) {
        auto *item = new QListWidgetItem(treeIcon(type), type, list);
        item->setData(Qt::UserRole, type);
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        cellHeight = std::max(cellHeight, list->sizeHintForIndex(list->indexFromItem(item)).height());
    }
    constexpr int gap = 4;    // between a name and the icon below
    constexpr int slack = 12; // frame and margins
    cellHeight += gap;
    list->setGridSize(QSize(cellWidth, cellHeight));
    const int rows = int((ctype2Items().size() + perRow - 1) / perRow);
    list->setFixedSize(perRow * cellWidth + slack, rows * cellHeight + slack);
    return list;
}

// The description box is as tall as the longest description needs, so that no type's
// description pushes into the icons, whichever type the dialog opens with.
void fitLongestDescription(QLabel *description, int width)
{
    int height = 0;
    for (const QString &type : ctype2Items())
        height = std::max(height, description->fontMetrics()
                                      .boundingRect(QRect(0, 0, width, QWIDGETSIZE_MAX),
                                                    Qt::TextWordWrap, typeDescription(type))
                                      .height());
    description->setMinimumHeight(height);
}

} // namespace

NewColumnWindow::NewColumnWindow(QWidget *parent)
    : QDialog(parent), cname(new QLineEdit(this)), ctype2(typeGrid(this)),
      elTitle(new QLabel(this)), expType(new QLabel(this)),
      mapxml(new QCheckBox(QStringLiteral("Map selected XML "), this))
{
    setObjectName(QStringLiteral("newcolumn"));
    setWindowTitle(QStringLiteral("Add column"));
    cname->setObjectName(QStringLiteral("cname"));
    elTitle->setObjectName(QStringLiteral("elTitle"));
    expType->setObjectName(QStringLiteral("expType"));
    mapxml->setObjectName(QStringLiteral("mapxml"));
    QFont bold = elTitle->font();
    bold.setBold(true);
    elTitle->setFont(bold);
    expType->setWordWrap(true);
    expType->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *header = new QFrame(this);
    header->setFrameShape(QFrame::Box);
    header->setStyleSheet(QStringLiteral("QFrame { border: 1px solid gray; } QLabel { border: none; }"));
    auto *headerLayout = new QVBoxLayout(header);
    headerLayout->addWidget(elTitle);
    headerLayout->addWidget(expType);

    QDialogButtonBox *buttons = okCancelButtons(this, QStringLiteral("bclose"));

    auto *name = new QLabel(QStringLiteral("Name:"), this);
    name->setObjectName(QStringLiteral("Label1"));
    auto *layout = new QGridLayout(this);
    layout->addWidget(name, 0, 0);
    layout->addWidget(cname, 0, 1);
    layout->addWidget(ctype2, 1, 0, 1, 2);
    layout->addWidget(header, 2, 0, 1, 2);
    layout->addWidget(mapxml, 3, 0, 1, 2);
    layout->addWidget(buttons, 4, 0, 1, 2);
    header->setFixedWidth(ctype2->width());
    const QMargins margins = headerLayout->contentsMargins();
    fitLongestDescription(expType, ctype2->width() - margins.left() - margins.right() -
                                       2 * header->frameWidth());

    connect(ctype2, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        ctype2_Click(newColumnDialog(), item->data(Qt::UserRole).toString());
        showType();
    });
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

void NewColumnWindow::run()
{
    const NewColumnDialog &model = newColumnDialog();
    cname->setText(model.cname);
    ctype2->setCurrentRow(int(ctype2Items().indexOf(model.type)));
    showType();
    mapxml->setChecked(mapXmlBox().ticked);
    mapxml->setEnabled(mapXmlBox().enabled);
    cname->setFocus();
    cname->selectAll();
    exec();
}

void NewColumnWindow::showType()
{
    const QString type = newColumnDialog().type;
    elTitle->setText(type);
    expType->setText(typeDescription(type));
}

void NewColumnWindow::accept()
{
    NewColumnDialog &model = newColumnDialog();
    model.cname = cname->text();
    mapXmlBox().ticked = mapxml->isChecked();
    if (bok_Click(model)) {
        QDialog::accept();
        return;
    }
    if (trimWhiteVar(model.cname).isEmpty())
        cname->setFocus();
}

void NewColumnWindow::reject()
{
    bclose_Click(newColumnDialog());
    QDialog::reject();
}

bool NewColumnWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
