#include "mainwindow/help_commands.h"

#include "documents/once_only_tips.h"
#include "documents/settings_files.h"
#include "documents/start_guidance.h"
#include "documents/text_files.h"
#include "generator/program_version.h"
#include "platform/ui/ui_services.h"

const QString productSite = QStringLiteral("http://tarvik.example");

void doHelp_Click(const QString &helpPage)
{
    const QString path = settingsPath(QStringLiteral("Tarvik-help.htm"));
    writeFile(path, helpPage, false);
    ui().openInBrowser(path);
}

void whatsNew_Click() { ui().openInBrowser(productSite + QStringLiteral("/updates.htm")); }

QString aboutVersionText()
{
    return QStringLiteral("Tarvik v%1.%2.%3 .\r\n%4")
        .arg(programVersionMajor)
        .arg(programVersionMinor)
        .arg(programVersionRevision)
        .arg(productSite);
}

void showT_Click()
{
    deleteTipMarkers();
    ui().message(QStringLiteral("First time helpers will now show."));
    showStartTip();
}
