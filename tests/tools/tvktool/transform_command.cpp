// tvktool transform T.tvk [--production] [--rows-index I]: generates the table's
// stylesheet, runs the table's processor (built-in or its plug-in command line) over its
// XML document and prints the page. A failure goes to stderr with exit status 1.
#include "documents/workspace.h"
#include "generate_options.h"
#include "generator/transform.h"
#include "tvktool_commands.h"

#include <QTextStream>

int transformCommand(const QStringList &args)
{
    const std::optional<GenerateOptions> options = parseGenerateOptions(args);
    if (!options) {
        QTextStream(stderr) << "usage: tvktool transform T.tvk [--production] [--rows-index 0-4]\n";
        return 2;
    }
    if (!loadAndGenerate(*options))
        return 1;
    const TableDocument &doc = workspace().current();
    const TransformResult result = runTransform(doc.xmlPath, doc.xslGenerated);
    if (!result.ok) {
        // A plug-in that could not run says why in place of the page.
        QTextStream(stderr) << (result.message.isEmpty() ? result.html : result.message) << '\n';
        return 1;
    }
    QTextStream(stdout) << result.html;
    return 0;
}
