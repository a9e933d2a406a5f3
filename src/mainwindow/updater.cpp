#include "mainwindow/updater.h"

#include "documents/settings_files.h"
#include "platform/ui/ui_services.h"

#include <QStringList>

namespace {

// Starts the updater without waiting; a missing program is not reported.
void startUpdater(const QStringList &switches)
{
    const QString program = readSetting(QStringLiteral("set-updater-path")).trimmed();
    if (!program.isEmpty())
        ui().startDetached(program, switches);
}

} // namespace

void runUpdater()
{
    startUpdater({QStringLiteral("/silent"), QStringLiteral("/author"), QStringLiteral("Tarvik"),
                  QStringLiteral("/program"), QStringLiteral("Tarvik")});
}

void cnow_Click() { startUpdater({}); }

void checkU_Click(bool checked)
{
    writeSetting(QStringLiteral("autoupdate-option"),
                 checked ? QStringLiteral("True") : QStringLiteral("False"));
}
