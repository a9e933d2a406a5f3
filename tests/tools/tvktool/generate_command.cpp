// tvktool generate T.tvk [--production] [--rows-index I]: prints the table's stylesheet
// as the generator stores it.
#include "documents/workspace.h"
#include "generate_options.h"
#include "tvktool_commands.h"

#include <QTextStream>

int generateCommand(const QStringList &args)
{
    const std::optional<GenerateOptions> options = parseGenerateOptions(args);
    if (!options) {
        QTextStream(stderr) << "usage: tvktool generate T.tvk [--production] [--rows-index 0-4]\n";
        return 2;
    }
    const std::optional<GenerationOutcome> outcome = loadAndGenerate(*options);
    if (!outcome)
        return 1;
    QTextStream(stdout) << workspace().current().xslGenerated << '\n';
    if (!outcome->indented) {
        QTextStream(stderr) << "The stylesheet is not well-formed and was not re-indented: "
                            << outcome->error << '\n';
        return 1;
    }
    return 0;
}
