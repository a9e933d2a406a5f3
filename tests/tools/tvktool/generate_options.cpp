#include "generate_options.h"

#include "documents/workspace.h"
#include "tvktool_commands.h"

namespace {

GenerationOutcome generate(bool production)
{
    if (!production)
        return generateXSLCode(false);
    ProductionRunGuard output;
    return generateXSLCode(true);
}

} // namespace

std::optional<GenerateOptions> parseGenerateOptions(const QStringList &args)
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

std::optional<GenerationOutcome> loadAndGenerate(const GenerateOptions &options)
{
    if (!loadTableFile(options.tablePath))
        return std::nullopt;
    if (options.rowsIndex)
        workspace().current().rowLimitIndex = *options.rowsIndex;
    return generate(options.production);
}
