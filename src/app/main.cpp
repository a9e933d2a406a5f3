#include "documents/settings_files.h"
#include "platform/gui/qt_ui_services.h"

#include <QApplication>
#include <QMainWindow>

namespace {
QMainWindow *mainWindow = nullptr;
QWidget *dialogParent() { return mainWindow; }
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvik"));
    installUiServices(std::make_unique<QtUiServices>(&dialogParent));
    ensureDataFolder();

    QMainWindow window;
    mainWindow = &window;
    window.setWindowTitle(QStringLiteral("Tarvik: No table open"));
    window.resize(1024, 720);
    window.show();
    return QApplication::exec();
}
