// tvktool generate T.tvk [--production] [--rows-index I]: prints the table's stylesheet
// as the generator stores it. I is the preview's row-limit index 0-4 (default: the index
// stored in the table file); --production makes it an output run.
#include "documents/workspace.h"
#include "generator/xsl_generator.h"
#include "tvktool_commands.h"

#include <QTextStream>
#include <optional>

namespace {

struct GenerateOptions {
    QString tablePath;
    bool production = false;
    std::optional<int> rowsIndex;
};

std::optional<GenerateOptions> parseOptions(const QStringList &args)
{
    GenerateOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--production")) {
            options.production = true;
        } else if (args[i] == QLatin1String("--rows-index") && i + 1 < args.size()) {
            bool ok = false;
            const int index = args[++i].toInt(&ok);
            if (!ok || index < 0 || index > 4)
                return std::nullopt;
            options.rowsIndex = index;
        } else if (options.tablePath.isEmpty() && !args[i].startsWith(QLatin1String("--"))) {
            options.tablePath = args[i];
        } else {
            return std::nullopt;
        }
    }
    if (options.tablePath.isEmpty())
        return std::nullopt;
    return options;
}

GenerationOutcome generate(bool production)
{
    if (!production)
        return generateXSLCode(false);
    ProductionRunGuard output;
    return generateXSLCode(true);
}

} // namespace

int generateCommand(const QStringList &args)
{
    const std::optional<GenerateOptions> options = parseOptions(args);
    if (!options) {
        QTextStream(stderr) << "usage: tvktool generate T.tvk [--production] [--rows-index 0-4]\n";
        return 2;
    }
    if (!loadTableFile(options->tablePath))
        return 1;
    if (options->rowsIndex)
        workspace().current().rowLimitIndex = *options->rowsIndex;
    const GenerationOutcome outcome = generate(options->production);
    QTextStream(stdout) << workspace().current().xslGenerated << '\n';
    if (!outcome.indented) {
        QTextStream(stderr) << "The stylesheet is not well-formed and was not re-indented: "
                            << outcome.error << '\n';
        return 1;
    }
    return 0;
}
