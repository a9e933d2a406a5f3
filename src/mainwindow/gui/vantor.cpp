#include "mainwindow/gui/vantor.h"

#include "documents/start_guidance.h"
#include "documents/store_access.h"
#include "documents/table_commands.h"
#include "documents/table_commands_menu.h"
#include "documents/table_slots.h"
#include "documents/views/window_frame_view.h"
#include "generator/xsl_find.h"
#include "generator/xsl_output_page.h"
#include "mainwindow/gui/about_window.h"
#include "mainwindow/gui/menu_styles.h"
#include "mainwindow/gui/slot_window_set.h"
#include "mainwindow/gui/tab_strip.h"
#include "mainwindow/gui/window_helpers.h"
#include "mainwindow/help_commands.h"
#include "mainwindow/main_geometry.h"
#include "mainwindow/menu_commands.h"
#include "mainwindow/startup.h"
#include "mainwindow/summary_page.h"
#include "mainwindow/updater.h"
#include "platform/pages/gui/page_dialogs.h"
#include "platform/widgets/gui/tree_icons.h"
#include "properties/code_editors.h"
#include "publishing/gui/interface_dialogs.h"
#include "publishing/gui/pubit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFile>
#include <QLayout>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <cmath>

namespace {

constexpr int tabStripHeight = 27; // pixels

// The action of the Windows menu that lists the child windows after it.
const char *const windowListMark = "windowList";

} // namespace

Vantor::Vantor() : area(new QMdiArea(this)), pb(new QProgressBar(this))
{
    Q_INIT_RESOURCE(resources); // the resources live in a static library
    setObjectName(QStringLiteral("vantor"));
    setWindowTitle(QStringLiteral("Tarvik"));
    resize(1024, 720);
    area->setFrameShape(QFrame::NoFrame);
    setCentralWidget(area);
    area->viewport()->installEventFilter(this);
    menus = buildMainMenus(*this, *this);
    pb->setObjectName(QStringLiteral("pb"));
    pb->setRange(0, 100);
    pb->setMaximumWidth(220);
    pb->hide();
    statusBar()->addPermanentWidget(pb);
    applyMenuStyle(office2003);
    QMenu *windowsMenu = menuBar()->findChild<QMenu *>(QStringLiteral("showWins"));
    connect(windowsMenu, &QMenu::aboutToShow, this, [this, windowsMenu] { listChildWindows(windowsMenu); });

    connect(area, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow *window) {
        if (auto *slotWindow = qobject_cast<SlotSubWindow *>(window))
            workspace().tables[size_t(slotWindow->slot())].shown(slotWindow->kind()) = true;
    });
    checkPos.setInterval(330);
    connect(&checkPos, &QTimer::timeout, this, &Vantor::checkPos_Timer);
    checkPos.start();
    autou.setSingleShot(true);
    autou.setInterval(65000);
    connect(&autou, &QTimer::timeout, this, [] { runUpdater(); });

    interfaceDialogs = std::make_unique<InterfaceDialogs>(this);
    workspace().mainWindow = this;
    installOutputPageWriter();
}

Vantor::~Vantor()
{
    if (workspace().mainWindow == this)
        workspace().mainWindow = nullptr;
}

void Vantor::startUp(const QStringList &arguments, const QString &examples)
{
    cmdName = runStartUp(*this, layout, arguments, examples).commandLineName;
    // Once the window is on the screen, the "Get Started" tip points at "New table".
    QTimer::singleShot(0, this, [this] {
        showTipAtControl(menus.toolbar->widgetForAction(menus.item(QStringLiteral("tb(0)"))),
                         getStartedTip);
    });
}

SlotSubWindow *Vantor::slotWindow(int slot, SlotWindow kind) const
{
    if (slot < 0 || slot >= maxTables || !sets[size_t(slot)])
        return nullptr;
    return sets[size_t(slot)]->window(kind);
}

TwipsPerPixel Vantor::screenTwips() const { return ::screenTwips(*this); }

QSize Vantor::clientSize() const
{
    // Until the window is first shown its parts are not laid out: lay them out for the
    // window's size, so that an arrangement made during start-up fits the client area.
    if (isVisible())
        return area->viewport()->size();
    QWidget::layout()->activate();
    return area->size();
}

double Vantor::clientWidthTwips() const { return clientSize().width() * screenTwips().tpx; }

double Vantor::clientHeightTwips() const { return clientSize().height() * screenTwips().tpy; }

void Vantor::applySlotGeometry(int slot)
{
    if (hasWindowSet(slot))
        sets[size_t(slot)]->applyGeometry(workspace().tables[size_t(slot)]);
    for (const CodeEditorRecord &editor : workspace().xslEditForms)
        if (editor.exists && editor.window && editor.myTab == slot)
            editor.window->applyGeometry(editor.geometry);
}

// --- layout -------------------------------------------------------------------------

void Vantor::checkPos_Timer()
{
    const TwipsPerPixel screen = screenTwips();
    const double stripBottom = tabs ? (tabs->y() + tabs->height()) * screen.tpy : 0;
    ::checkPos(layout, stripBottom, screen);
    applySlotGeometry(workspace().curTable);
}

void Vantor::defaultPos()
{
    ::defaultPos(clientWidthTwips(), clientHeightTwips(), screenTwips());
    applySlotGeometry(workspace().curTable);
}

void Vantor::doDef_Click()
{
    const int slot = workspace().curTable;
    if (hasWindowSet(slot))
        for (SlotWindow kind :
             {SlotWindow::Prop, SlotWindow::Parser, SlotWindow::Rep, SlotWindow::Result})
            setWindowVisible(slot, kind, true);
    defaultPos();
}

void Vantor::doFit_Click()
{
    fitContainer(layout, mainWidthTwips(), mainHeightTwips());
    applySlotGeometry(workspace().curTable);
}

void Vantor::showOne_Click(int index)
{
    const std::optional<SlotWindow> kind = showOneWindow(index);
    SlotSubWindow *window = kind ? slotWindow(workspace().curTable, *kind) : nullptr;
    if (!window)
        return;
    window->show();
    area->setActiveSubWindow(window);
    window->setFocus();
}

void Vantor::tileSubWindows(Qt::Orientation bands)
{
    QList<QMdiSubWindow *> shown;
    for (QMdiSubWindow *window : area->subWindowList())
        if (!window->isHidden() && !window->isMinimized())
            shown.append(window);
    if (shown.isEmpty())
        return;
    const QRect client = area->viewport()->rect();
    const int n = int(shown.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *window = shown[i];
        window->showNormal();
        if (bands == Qt::Horizontal) {
            const int h = client.height() / n;
            window->setGeometry(0, i * h, client.width(), h);
        } else {
            const int w = client.width() / n;
            window->setGeometry(i * w, 0, w, client.height());
        }
    }
}

void Vantor::arrangeIcons()
{
    int x = 0;
    const int bottom = area->viewport()->height();
    for (QMdiSubWindow *window : area->subWindowList()) {
        if (window->isHidden() || !window->isMinimized())
            continue;
        window->move(x, bottom - window->height());
        x += window->width();
    }
}

// --- menus ----------------------------------------------------------------------------

void Vantor::runProcedure(Procedure procedure, int argument)
{
    using P = Procedure;
    switch (procedure) {
    case P::openProject_Click: openProject_Click(); break;
    case P::newProject_Click: newProject_Click(); break;
    case P::docloseit_Click:
        if (settleCodeEditors(workspace().curTable))
            docloseit_Click();
        break;
    case P::dosave_Click: dosave_Click(); break;
    case P::saveall_Click: saveall_Click(); break;
    case P::saveas_Click: saveas_Click(); break;
    case P::delProject_Click: delProject_Click(); break;
    case P::doexit_Click: close(); break;
    case P::showColumnProperties: showColumnProperties(); break;
    case P::shgenXSL_Click: shgenXSL_Click(); break;
    case P::doCascade_Click: area->cascadeSubWindows(); break;
    case P::doTileH_Click: tileSubWindows(Qt::Horizontal); break;
    case P::doTileV_Click: tileSubWindows(Qt::Vertical); break;
    case P::doArrange_Click: arrangeIcons(); break;
    case P::doDef_Click: doDef_Click(); break;
    case P::doFit_Click: doFit_Click(); break;
    case P::showOne_Click: showOne_Click(argument); break;
    case P::pubPHPXsltProc_Click:
    case P::genpub_Click: showPublish(this); break; // the item has set publishPhpMode
    case P::propsum_Click: propsum_Click(); break;
    case P::doHelp_Click: doHelp_Click(helpPage()); break;
    case P::cnow_Click: cnow_Click(); break;
    case P::checkU_Click: checkU_Click(menus.item(QStringLiteral("checkU"))->isChecked()); break;
    case P::whatsNew_Click: whatsNew_Click(); break;
    case P::showT_Click: showT_Click(); break;
    case P::doabout_Click: doabout_Click(); break;
    default: break;
    }
}

QString Vantor::helpPage()
{
    QFile page(QStringLiteral(":/help/tarvik-help.htm"));
    return page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
}

void Vantor::doabout_Click()
{
    if (!about)
        about = new AboutWindow(this);
    about->showVersion();
}

void Vantor::showAndFocus(SlotWindow kind)
{
    SlotSubWindow *window = slotWindow(workspace().curTable, kind);
    if (!window)
        return;
    setWindowVisible(workspace().curTable, kind, true);
    area->setActiveSubWindow(window);
    window->widget()->setFocus();
}

void Vantor::showColumnProperties() { showAndFocus(SlotWindow::Prop); }

void Vantor::shgenXSL_Click()
{
    runIfAutoRun();
    showAndFocus(SlotWindow::XslCode);
    processPendingEvents();
    if (SlotSubWindow *window = slotWindow(workspace().curTable, SlotWindow::XslCode))
        if (QWidget *code = window->widget()->findChild<QWidget *>(QStringLiteral("xsl")))
            code->setFocus();
    highlightInXslCode();
}

ActiveChild Vantor::activeChild() const
{
    const auto *window = qobject_cast<SlotSubWindow *>(area->currentSubWindow());
    if (!area->currentSubWindow() || !area->currentSubWindow()->isVisible())
        return ActiveChild::none;
    if (!window || window->slot() != workspace().curTable)
        return ActiveChild::other;
    switch (window->kind()) {
    case SlotWindow::Prop: return ActiveChild::propertySheet;
    case SlotWindow::Parser: return ActiveChild::xmlWindow;
    case SlotWindow::Rep: return ActiveChild::tableWindow;
    default: return ActiveChild::other;
    }
}

void Vantor::expandTree(ActiveChild window, bool expand)
{
    const bool xml = window == ActiveChild::xmlWindow;
    const SlotSubWindow *sub =
        slotWindow(workspace().curTable, xml ? SlotWindow::Parser : SlotWindow::Rep);
    const QString treeName = xml ? QStringLiteral("XMLData") : QStringLiteral("template");
    auto *view = sub ? sub->widget()->findChild<QTreeView *>(treeName) : nullptr;
    if (auto *tree = qobject_cast<QTreeWidget *>(view))
        expandAll(tree, expand);
    else if (view && expand) // the XML tree's items exist only as far as they are shown
        view->expandAll();
    else if (view)
        view->collapseAll();
}

void Vantor::listChildWindows(QMenu *menu)
{
    const QList<QAction *> actions = menu->actions();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        if (actions[i]->objectName() == QLatin1String(windowListMark)) {
            for (qsizetype j = i; j < actions.size(); ++j)
                delete actions[j];
            break;
        }
    }
    QList<QMdiSubWindow *> shown;
    for (QMdiSubWindow *window : area->subWindowList())
        if (window->isVisible())
            shown.append(window);
    if (shown.isEmpty())
        return;
    menu->addSeparator()->setObjectName(QLatin1String(windowListMark));
    for (QMdiSubWindow *window : shown) {
        QAction *entry = menu->addAction(window->windowTitle());
        entry->setCheckable(true);
        entry->setChecked(window == area->activeSubWindow());
        connect(entry, &QAction::triggered, area, [this, window] { area->setActiveSubWindow(window); });
    }
}

// --- shut-down ------------------------------------------------------------------------

void Vantor::closeEvent(QCloseEvent *event)
{
    if (!finished) {
        commitPendingSheetEdit();
        if (!settleCodeEditors(-1) || !checkDirty(true)) {
            event->ignore();
            return;
        }
        finishAll();
    }
    event->accept();
}

void Vantor::finishAll()
{
    const TwipsPerPixel screen = screenTwips();
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    writeMainGeometry(normal.x() * screen.tpx, normal.y() * screen.tpy,
                      normal.width() * screen.tpx, normal.height() * screen.tpy);
    finished = true;
    endPageDialogs();
    checkPos.stop();
    autou.stop();
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible())
            window->close();
}

// --- MainWindowView -------------------------------------------------------------------

void Vantor::setCaption(const QString &caption) { setWindowTitle(caption); }

void Vantor::saveX_Click(int index) { ::saveX_Click(index); }

void Vantor::setMenuEnabled(const QString &name, bool enabled)
{
    if (QAction *action = menus.item(name))
        action->setEnabled(enabled);
    enableToolbar(menus);
}

void Vantor::setMenuChecked(const QString &name, bool checked)
{
    if (QAction *action = menus.item(name))
        action->setChecked(checked);
}

bool Vantor::hasWindowSet(int slot) const { return slotWindow(slot, SlotWindow::Parser); }

void Vantor::createWindowSet(int slot)
{
    if (!hasWindowSet(slot))
        sets[size_t(slot)] = std::make_unique<SlotWindowSet>(*area, slot);
}

bool Vantor::isWindowVisible(int slot, SlotWindow window) const
{
    const SlotSubWindow *sub = slotWindow(slot, window);
    return sub && !sub->isHidden();
}

void Vantor::setWindowVisible(int slot, SlotWindow window, bool visible)
{
    SlotSubWindow *sub = slotWindow(slot, window);
    if (!sub)
        return;
    if (visible) // at the place the model holds, which a table file may have changed
        sub->applyGeometry(workspace().tables[size_t(slot)].geometryOf(window));
    sub->setVisible(visible);
}

void Vantor::clearWindowSet(int slot)
{
    if (hasWindowSet(slot))
        sets[size_t(slot)]->clear();
}

void Vantor::setMenuCaption(const QString &name, const QString &caption)
{
    if (QAction *item = menus.item(name))
        item->setText(caption);
}

void Vantor::popUpMenu(const QString &name)
{
    if (QMenu *menu = popupMenu(name))
        menu->popup(QCursor::pos());
}

void Vantor::insertTab(int index, const QString &key, const QString &caption)
{
    if (tabs)
        tabs->insertTab(index, key, caption);
}

void Vantor::selectTab(const QString &key)
{
    if (tabs)
        tabs->selectTab(key);
}

void Vantor::setTabCaption(const QString &key, const QString &caption)
{
    if (tabs)
        tabs->setCaption(key, caption);
}

QString Vantor::selectedTabKey() const { return tabs ? tabs->selectedKey() : QString(); }

void Vantor::removeSelectedTab()
{
    if (tabs)
        tabs->removeSelected();
}

void Vantor::setProgress(int percent)
{
    pb->setVisible(percent != 100);
    pb->setValue(percent);
    pb->repaint();
}

void Vantor::processPendingEvents()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// --- StartupWindow --------------------------------------------------------------------

void Vantor::applyMenuStyle(bool office2003Style)
{
    office2003 = office2003Style;
    menuBar()->setStyleSheet(menuStyleSheet(office2003));
}

void Vantor::applyMainGeometry(const MainGeometry &geometry)
{
    const TwipsPerPixel screen = screenTwips();
    const auto pixels = [](std::optional<int> twips, double perPixel, int current) {
        return twips ? int(std::lround(double(*twips) / perPixel)) : current;
    };
    const QRect now = this->geometry();
    setGeometry(pixels(geometry.left, screen.tpx, now.x()), pixels(geometry.top, screen.tpy, now.y()),
                pixels(geometry.width, screen.tpx, now.width()),
                pixels(geometry.height, screen.tpy, now.height()));
}

void Vantor::ensureNormalState()
{
    if (isMinimized() || height() == 0)
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
}

void Vantor::createTabStrip()
{
    if (!tabs)
        tabs = new TabStrip(area);
    placeTabStrip();
    tabs->show();
    tabs->raise();
    workspace().curTable = 0;
    tabs->removeAll();
}

void Vantor::placeTabStrip()
{
    if (tabs)
        tabs->setGeometry(0, 0, area->viewport()->width(), tabStripHeight);
}

bool Vantor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == area->viewport() && event->type() == QEvent::Resize)
        placeTabStrip();
    return QMainWindow::eventFilter(watched, event);
}

void Vantor::loadIcons() { loadTreeIcons(); }

void Vantor::maximize() { setWindowState(windowState() | Qt::WindowMaximized); }

void Vantor::fillRecentTables(const QStringList &entries)
{
    QMenu *menu = menus.recentTables;
    menu->clear();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        QAction *entry = menu->addAction(entries[i]);
        entry->setObjectName(QStringLiteral("rTableList(%1)").arg(i + 1));
        connect(entry, &QAction::triggered, this, [caption = entries[i]] { rTableList_Click(caption); });
    }
}

void Vantor::showAndRaise()
{
    if (!isVisible())
        show();
    raise();
    activateWindow();
}

double Vantor::mainWidthTwips() const { return width() * screenTwips().tpx; }

double Vantor::mainHeightTwips() const { return height() * screenTwips().tpy; }

void Vantor::setUpdateCheck(bool enabled)
{
    menus.item(QStringLiteral("checkU"))->setChecked(enabled);
    if (enabled)
        autou.start();
    else
        autou.stop();
}
