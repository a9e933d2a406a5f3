#include "mainwindow/gui/slot_window_set.h"

#include "documents/workspace.h"
#include "generator/gui/xsl_code_window.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMdiArea>
#include <cmath>

namespace {

// Twips per pixel of the screen the window is on.
double twipsX(const QWidget &widget) { return 1440.0 / widget.logicalDpiX(); }
double twipsY(const QWidget &widget) { return 1440.0 / widget.logicalDpiY(); }

int toPixels(double twips, double perPixel) { return int(std::lround(twips / perPixel)); }

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

QRect pixelRect(const WindowGeometry &g, double tx, double ty)
{
    return {toPixels(g.left, tx), toPixels(g.top, ty), std::max(0, toPixels(g.width, tx)),
            std::max(0, toPixels(g.height, ty))};
}

} // namespace

QRect SlotSubWindow::modelRect(double tx, double ty) const { return pixelRect(model(), tx, ty); }

void SlotSubWindow::applyGeometry(double tx, double ty) { moveTo(modelRect(tx, ty)); }

void SlotSubWindow::applyGeometry(const WindowGeometry &geometry)
{
    moveTo(pixelRect(geometry, twipsX(*this), twipsY(*this)));
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
    const double tx = twipsX(*this);
    const double ty = twipsY(*this);
    if (applying || geometry() == modelRect(tx, ty) || isMinimized() || isMaximized())
        return;
    model() = {x() * tx, y() * ty, width() * tx, height() * ty};
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
        if (kind == SlotWindow::XslCode)
            window->setWidget(new XslCodeWindow(slot, *window));
        else
            window->setWidget(new QWidget);
        area.addSubWindow(window);
        window->hide();
        windows[size_t(kind)] = window;
    }
}

void SlotWindowSet::applyGeometry(double tx, double ty) const
{
    for (SlotSubWindow *window : windows)
        window->applyGeometry(tx, ty);
}
