// tvktool save T.tvk [--answer Yes|No]...: opens the table and saves it as the Save
// command does, the table file and then its XSL output page. Each --answer is queued for
// the questions the save asks, which are printed on stderr; unanswered ones get No.
#include "documents/table_commands_menu.h"
#include "documents/workspace.h"
#include "stderr_ui.h"
#include "tvktool_commands.h"

#include <QTextStream>

namespace {

int saveUsage()
{
    QTextStream(stderr) << "usage: tvktool save T.tvk [--answer Yes|No]...\n";
    return 2;
}

} // namespace

int saveCommand(const QStringList &args)
{
    auto answering = std::make_unique<StderrUi>();
    for (qsizetype i = 1; i < args.size(); i += 2) {
        const QString answer = args.value(i + 1);
        if (args[i] != u"--answer" || (answer != u"Yes" && answer != u"No"))
            return saveUsage();
        answering->replies.append(answer);
    }
    installUiServices(std::move(answering));
    if (!loadTableFile(args[0]))
        return 1;
    // With no XML document window, the text kept in the file stands for the loaded one.
    TableDocument &doc = workspace().current();
    doc.xmlText = doc.cachedXmlText;
    doc.tableChanged = true; // cleared only when the table file is written
    dosave_Click();
    return doc.tableChanged ? 1 : 0;
}
