#include "designer/gui/qt_designer_dialogs.h"
#include "documents/settings_files.h"
#include "generator/preview_render.h"
#include "mainwindow/gui/balloon_tips.h"
#include "mainwindow/gui/vantor.h"
#include "platform/file_size_signal.h"
#include "platform/number_locale.h"
#include "platform/pages/engine_start.h"
#include "platform/pages/gui/local_page.h"
#include "platform/ui/gui/qt_ui_services.h"
#include "platform/workers/xslt_workers.h"
#include "platform/xslt/xslt_transform.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>

namespace {

Vantor *mainWindow = nullptr;
QWidget *dialogParent() { return mainWindow; }

bool hasDisplay()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char **argv)
{
    initialiseXslt(); // before any thread parses
    ignoreFileSizeSignal();
    if (!hasDisplay()) {
        std::fputs("Tarvik needs a graphical display (DISPLAY or WAYLAND_DISPLAY is not set).\n",
                   stderr);
        return 1;
    }
    startXsltWorkerAhead(); // a copy of the program, started before any thread
    prepareBrowserEngine();
    // The embedded browser shares its graphics contexts with the windows.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    registerPageScheme();
    QApplication app(argc, argv);
    useLocaleFreeNumbers();
    QApplication::setApplicationName(QStringLiteral("Tarvik"));
    // Every window, child windows and dialogs included, shows the program's icon.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tarvik.svg")));
    installUiServices(std::make_unique<QtUiServices>(&dialogParent));
    QtDesignerDialogs designerDialogs(&dialogParent);
    ensureDataFolder();
    const PageFilesLease pageFiles;

    Vantor window;
    mainWindow = &window;
    BalloonTips tips(window);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    window.startUp(arguments, QStringLiteral(":/examples"));
    return QApplication::exec();
}
