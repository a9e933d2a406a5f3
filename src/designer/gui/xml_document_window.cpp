#include "designer/gui/xml_document_window.h"

#include "documents/progress_bar.h"
#include "documents/views/main_window_view.h"
#include "documents/workspace.h"
#include "platform/widgets/gui/read_only_field.h"

#include <QApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QThread>
#include <QVBoxLayout>
#include <utility>

XmlTreeWidget::XmlTreeWidget(QWidget *parent) : QTreeView(parent)
{
    setObjectName(QStringLiteral("XMLData"));
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::MoveAction);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTextElideMode(Qt::ElideNone);
}

void XmlTreeWidget::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && workspace().mainWindow)
        workspace().mainWindow->popUpMenu(QStringLiteral("mainX"));
}

// A hidden tree has no size yet: the node's ancestors are expanded now, and the
// scroll, from the top, is done again once the tree shows.
void XmlTreeWidget::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    QTreeView::scrollTo(index, hint);
    if (!isVisible()) {
        pendingScroll = index;
        pendingHint = hint;
    }
}

void XmlTreeWidget::showEvent(QShowEvent *event)
{
    QTreeView::showEvent(event);
    if (pendingScroll.isValid()) {
        scrollToTop();
        QTreeView::scrollTo(std::exchange(pendingScroll, {}), pendingHint);
    }
}

XmlDocumentWindow::XmlDocumentWindow(int slot, QWidget *parent)
    : QWidget(parent), tableSlot(slot), txtFileName(new QLineEdit(this)),
      cmdBrowse(new QPushButton(this)), makeit(new QPushButton(this)),
      xmlData(new XmlTreeWidget(this))
{
    setObjectName(QStringLiteral("frmParser"));
    txtFileName->setObjectName(QStringLiteral("txtFileName"));
    cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    makeit->setObjectName(QStringLiteral("makeit"));
    showAsReadOnly(txtFileName); // a document is chosen through the button beside it
    cmdBrowse->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    cmdBrowse->setToolTip(QStringLiteral("Open XML file"));
    makeit->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    makeit->setToolTip(QStringLiteral("New column"));
    makeit->hide();
    xmlData->setModel(&items);

    auto *top = new QHBoxLayout;
    top->addWidget(txtFileName, 1);
    top->addWidget(cmdBrowse);
    top->addWidget(makeit);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(xmlData, 1);

    connect(cmdBrowse, &QPushButton::clicked, this, [this] { cmdBrowse_Click(); });
    connect(makeit, &QPushButton::clicked, this, [this] { makeit_Click(); });
    connect(xmlData->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { selectionChanged(); });
    connect(xmlData, &QTreeView::collapsed, this,
            [this](const QModelIndex &index) { xmlData->setCurrentIndex(index); });
    connect(xmlData, &QTreeView::expanded, this, [this](const QModelIndex &index) {
        if (!model.bulkExpand)
            xmlData->setCurrentIndex(index);
    });
    workspace().views[size_t(slot)].parser = this;
}

XmlDocumentWindow::~XmlDocumentWindow()
{
    SlotViews &views = workspace().views[size_t(tableSlot)];
    if (views.parser == this)
        views.parser = nullptr;
}

void XmlDocumentWindow::initWin()
{
    initXmlWindow(model);
    showState();
}

XmlTreeParse XmlDocumentWindow::parseOffThread(const QString &path)
{
    setCaption(QStringLiteral("Loading - please wait..."));
    XmlTreeParse result;
    const XmlParseProgress progress = [this](int percent) {
        QMetaObject::invokeMethod(this, [percent] { setProgress(percent); }, Qt::QueuedConnection);
    };
    QThread *worker = QThread::create([&] { result = parseXmlTree(path, path, progress); });
    QEventLoop loop;
    connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    // The window repaints and the progress bar moves; the user's input waits for the load.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    delete worker;
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    return result;
}

void XmlDocumentWindow::loadXMLFile()
{
    model.fileName = workspace().current().xmlFile();
    ::loadXMLFile(model, [this](const QString &path) { return parseOffThread(path); });
    showState();
}

void XmlDocumentWindow::cmdBrowse_Click()
{
    ::cmdBrowse_Click(model, [this](const QString &path) { return parseOffThread(path); });
    showState();
}

void XmlDocumentWindow::makeit_Click()
{
    if (::makeit_Click(model))
        reveal(xmlData->currentIndex());
}

void XmlDocumentWindow::showState()
{
    txtFileName->setText(model.fileName);
    if (items.tree() != model.tree) {
        setCaption(QStringLiteral("Displaying - please wait..."));
        items.setTree(model.tree);
        expandNew();
    }
    selectNodeIndex(workspace().tables[size_t(tableSlot)].xmlNodeIndex);
    setCaption(model.caption);
}

void XmlDocumentWindow::expandNew()
{
    if (!model.tree)
        return;
    const bool bulk = model.bulkExpand;
    model.bulkExpand = true;
    for (int node : nodesToExpand(*model.tree))
        xmlData->expand(items.indexOf(node));
    model.bulkExpand = bulk;
    xmlData->scrollToTop();
}

void XmlDocumentWindow::setCaption(const QString &caption)
{
    if (QWidget *frame = parentWidget())
        frame->setWindowTitle(caption);
    setWindowTitle(caption);
}

void XmlDocumentWindow::selectionChanged()
{
    const int node = items.nodeOf(xmlData->currentIndex());
    TableDocument &doc = workspace().tables[size_t(tableSlot)];
    doc.xmlNodeIndex = node < 0 ? -1 : node + 1;
    doc.xmlNodeXpath = items.xpathOf(xmlData->currentIndex());
}

void XmlDocumentWindow::selectNodeIndex(int index)
{
    const QModelIndex item = items.indexOf(index - 1);
    if (!item.isValid()) {
        xmlData->setCurrentIndex({});
        return;
    }
    reveal(item);
}

// Making a node current and scrolling to it expands its ancestors; those expansions are
// not the user's and leave the node current.
void XmlDocumentWindow::reveal(const QModelIndex &item)
{
    const QScopedValueRollback quiet(model.bulkExpand, true);
    xmlData->setCurrentIndex(item);
    xmlData->scrollTo(item);
}

void XmlDocumentWindow::scrollLeft() { xmlData->horizontalScrollBar()->setValue(0); }

void XmlDocumentWindow::showMakeit(bool shown) { makeit->setVisible(shown); }

QString XmlDocumentWindow::selectedXpath() const
{
    return items.xpathOf(xmlData->currentIndex());
}
