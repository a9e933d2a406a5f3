#include "mainwindow/gui/slot_window_set.h"

#include "designer/gui/table_window.h"
#include "designer/gui/xml_document_window.h"
#include "documents/workspace.h"
#include "generator/gui/preview_window.h"
#include "generator/gui/xsl_code_window.h"
#include "mainwindow/gui/window_helpers.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMdiArea>
#include <cmath>

namespace {

int toPixels(double twips, double perPixel) { return int(std::lround(twips / perPixel)); }

// The window inside a slot window; an empty one until that window is built.
QWidget *contentOf(SlotWindow kind, int slot)
{
    switch (kind) {
    case SlotWindow::Parser:
        return new XmlDocumentWindow(slot);
    case SlotWindow::Rep:
        return new TableWindow(slot);
    case SlotWindow::XslCode:
        return new XslCodeWindow(slot);
    case SlotWindow::Result:
        return new PreviewWindow(slot);
    case SlotWindow::Prop:
        break;
    }
    return new QWidget;
}

} // namespace

QString slotWindowCaption(SlotWindow kind)
{
    switch (kind) {
    case SlotWindow::Parser:
        return QStringLiteral("XML");
    case SlotWindow::Rep:
        return QStringLiteral("Table");
    case SlotWindow::Prop:
        return QStringLiteral("Properties");
    case SlotWindow::Result:
        return QStringLiteral("Web");
    case SlotWindow::XslCode:
        break;
    }
    return QStringLiteral("XSL code   (read-only)");
}

SlotSubWindow::SlotSubWindow(int slot, SlotWindow kind) : tableSlot(slot), windowKind(kind)
{
    setWindowTitle(slotWindowCaption(kind));
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Ctrl+F4 is the main window's "Arrange default"; the window menu's Close gives it up.
    for (QAction *action : systemMenu()->actions())
        if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_F4))
            action->setShortcut(QKeySequence());
}

WindowGeometry &SlotSubWindow::model() const
{
    return workspace().tables[size_t(tableSlot)].geometryOf(windowKind);
}

namespace {

QRect pixelRect(const WindowGeometry &g, TwipsPerPixel screen)
{
    return {toPixels(g.left, screen.tpx), toPixels(g.top, screen.tpy),
            std::max(0, toPixels(g.width, screen.tpx)),
            std::max(0, toPixels(g.height, screen.tpy))};
}

} // namespace

QRect SlotSubWindow::modelRect() const { return pixelRect(model(), screenTwips(*this)); }

void SlotSubWindow::applyGeometry(const WindowGeometry &geometry)
{
    moveTo(pixelRect(geometry, screenTwips(*this)));
}

void SlotSubWindow::moveTo(const QRect &rect)
{
    // A maximized or minimized window keeps the state the user gave it.
    if (rect == geometry() || isMaximized() || isMinimized())
        return;
    applying = true;
    setGeometry(rect);
    applying = false;
}

void SlotSubWindow::recordGeometry()
{
    if (applying || geometry() == modelRect() || isMinimized() || isMaximized())
        return;
    const TwipsPerPixel screen = screenTwips(*this);
    model() = {x() * screen.tpx, y() * screen.tpy, width() * screen.tpx, height() * screen.tpy};
}

void SlotSubWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    hide();
    if (windowKind == SlotWindow::XslCode)
        workspace().tables[size_t(tableSlot)].xslCodeShown = false;
}

void SlotSubWindow::moveEvent(QMoveEvent *event)
{
    QMdiSubWindow::moveEvent(event);
    recordGeometry();
}

void SlotSubWindow::resizeEvent(QResizeEvent *event)
{
    QMdiSubWindow::resizeEvent(event);
    recordGeometry();
}

SlotWindowSet::SlotWindowSet(QMdiArea &area, int slot)
{
    for (SlotWindow kind : {SlotWindow::Parser, SlotWindow::Rep, SlotWindow::Prop,
                            SlotWindow::XslCode, SlotWindow::Result}) {
        auto *window = new SlotSubWindow(slot, kind);
        window->setWidget(contentOf(kind, slot));
        area.addSubWindow(window);
        window->hide();
        windows[size_t(kind)] = window;
    }
}

void SlotWindowSet::clear() const
{
    for (SlotSubWindow *window : windows)
        window->setWindowTitle(slotWindowCaption(window->kind()));
    if (auto *xml = qobject_cast<XmlDocumentWindow *>(window(SlotWindow::Parser)->widget()))
        xml->initWin();
    if (auto *rep = qobject_cast<TableWindow *>(window(SlotWindow::Rep)->widget()))
        rep->showTree();
}

void SlotWindowSet::applyGeometry(const TableDocument &doc) const
{
    for (SlotSubWindow *window : windows)
        window->applyGeometry(doc.geometryOf(window->kind()));
}
