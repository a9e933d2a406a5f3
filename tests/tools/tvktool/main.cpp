// tvktool: reaches the table model from a terminal, with no window.
#include "documents/settings_files.h"
#include "generator/xsl_output_page.h"
#include "platform/file_size_signal.h"
#include "platform/number_locale.h"
#include "platform/workers/xslt_workers.h"
#include "platform/xslt/xslt_transform.h"
#include "stderr_ui.h"
#include "tvktool_commands.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

// Every command, one line each.
const TvkCommand commands[] = {
    {"dump", "T.tvk", 1, runDump},
    {"roundtrip", "IN.tvk OUT.tvk", 2, runRoundtrip},
    {"generate", "T.tvk [--production] [--rows-index 0-4]", 1, generateCommand},
    {"transform", "T.tvk [--production] [--rows-index 0-4] [--restricted]", 1, transformCommand},
    {"save", "T.tvk [--answer Yes|No]...", 1, saveCommand},
    {"publish", "T.tvk [--php]", 1, publishCommand},
    {"summary", "T.tvk", 1, summaryCommand},
    {"xmltree", "FILE.xml", 1, xmltreeCommand},
    {"edit", "IN.tvk OUT.tvk < steps", 2, editCommand},
    {"sheet", "T.tvk NODEKEY", 2, sheetCommand},
};

int usage()
{
    QTextStream err(stderr);
    err << "usage:\n";
    for (const TvkCommand &command : commands)
        err << "  tvktool " << command.name << ' ' << command.arguments << '\n';
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    initialiseXslt(); // before any thread parses
    ignoreFileSizeSignal();
    if (argc > 1 && qstrcmp(argv[1], "transform") == 0) {
        startXsltWorkerAhead(); // it waits while the table is read and generated
        letXsltWorkersGoAfterTheirRun(); // it leaves while the page is written
    }
    QCoreApplication app(argc, argv);
    useLocaleFreeNumbers();
    installUiServices(std::make_unique<StderrUi>());
    installOutputPageWriter();
    ensureDataFolder();
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usage();
    for (const TvkCommand &command : commands) {
        if (args.first() != QLatin1String(command.name))
            continue;
        const int status =
            args.size() - 1 < command.minArguments ? usage() : command.run(args.mid(1));
        endIdleXsltWorkers();
        return status;
    }
    return usage();
}
