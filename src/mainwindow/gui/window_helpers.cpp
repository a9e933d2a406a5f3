#include "mainwindow/gui/window_helpers.h"

#include "documents/progress_bar.h"
#include "documents/views/main_window_view.h"
#include "documents/workspace.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextEdit>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <cmath>

namespace {

QWidget *mainWidget() { return dynamic_cast<QWidget *>(workspace().mainWindow); }

// Swallows the tooltip events of a tree's viewport.
class NoTips : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::ToolTip;
    }
};

void placeLine(QFrame *line, int x1, int y1, int x2, int y2)
{
    if (!line)
        return;
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    line->setPalette(palette);
    line->setGeometry(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1,
                      std::abs(y2 - y1) + 1);
}

} // namespace

TwipsPerPixel screenTwips(const QWidget &widget)
{
    return {twipsPerPixel(widget.logicalDpiX()), twipsPerPixel(widget.logicalDpiY())};
}

void expandAll(QTreeWidget *tree, bool expand)
{
    if (!tree)
        return;
    tree->setUpdatesEnabled(false);
    int count = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        ++count;
    if (QTreeWidgetItem *selected = tree->currentItem()) {
        QTreeWidgetItem *root = selected;
        while (root->parent())
            root = root->parent();
        tree->setCurrentItem(root);
    }
    // One pass sets every node; an empty tree or no selection ends at once.
    int i = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it, ++i) {
        (*it)->setExpanded(expand);
        if (i % 50 == 0)
            setProgress(int(std::lround(i * 100.0 / count)));
    }
    setProgress(100);
    tree->setUpdatesEnabled(true);
}

void centerForm(QWidget *form)
{
    const QWidget *main = mainWidget();
    if (!form || !main)
        return;
    const QRect frame = main->frameGeometry();
    form->move(frame.left() + (frame.width() - form->frameGeometry().width()) / 2,
               frame.top() + (frame.height() - form->frameGeometry().height()) / 2);
}

void layoutHeader(QLabel *title, QLabel *description, QFrame *top, QFrame *right,
                  QFrame *bottom, QFrame *left)
{
    if (!title || !description)
        return;
    title->adjustSize();
    title->move(description->x(), title->y());
    const int l = title->x();
    const int t = title->y();
    const int w = description->width();
    const int h = description->y() + description->height() - t + 1;
    constexpr int m = 5;
    placeLine(top, l - m, t - m, l + w + m, t - m);
    placeLine(right, l + w + m, t - m, l + w + m, t + h + m);
    placeLine(bottom, l + w + m, t + h + m, l - m, t + h + m);
    placeLine(left, l - m, t + h + m, l - m, t - m);
}

void selectAllText(QWidget *box)
{
    if (!box)
        return;
    box->setFocus();
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->selectAll();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        plain->selectAll();
    else if (auto *rich = qobject_cast<QTextEdit *>(box))
        rich->selectAll();
}

void scrollTreeLeft(QTreeWidget *tree)
{
    if (tree)
        tree->horizontalScrollBar()->setValue(tree->horizontalScrollBar()->minimum());
}

void disableTreeTips(QTreeWidget *tree)
{
    if (tree)
        tree->viewport()->installEventFilter(new NoTips(tree));
}
