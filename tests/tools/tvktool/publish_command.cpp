// tvktool publish T.tvk [--php]: publishes the table with its publish settings files in
// the data folder, printing each status text on its own line. Exit status 0 only when
// every step succeeded.
#include "documents/store_access.h"
#include "documents/workspace.h"
#include "publishing/publish_run.h"
#include "tvktool_commands.h"

#include <QTextStream>

int publishCommand(const QStringList &args)
{
    const bool php = args.contains(QStringLiteral("--php"));
    if (args.size() != (php ? 2 : 1) || args.first().startsWith(QStringLiteral("--"))) {
        QTextStream(stderr) << "usage: tvktool publish T.tvk [--php]\n";
        return 2;
    }
    if (!loadTableFile(args.first()))
        return 1;
    workspace().publishPhpMode = php;
    const PublishSettings settings = readPublishSettings(getTableName(workspace().curTable));
    QTextStream out(stdout);
    const PublishOutcome outcome = publishCurrentTable(settings, php, [&out](const QString &text) {
        out << text << '\n';
        out.flush();
    });
    return outcome.ok ? 0 : 1;
}
