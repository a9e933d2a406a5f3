// tvktool transform T.tvk [--production] [--rows-index I]: generates the table's
// stylesheet, runs the table's processor (built-in or its plug-in command line) over its
// XML document and prints the page. Without --production it renders as the preview does:
// the side files and the page file are written too. A failure goes to stderr with exit
// status 1.
#include "documents/workspace.h"
#include "generate_options.h"
#include "generator/preview_render.h"
#include "generator/transform.h"
#include "tvktool_commands.h"

#include <QFile>
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
    // The user named the table on the command line, so its plug-in runs without a question.
    // A preview run shows a failure through the tool's messages, on stderr.
    const TableDocument &doc = workspace().current();
    RenderOutcome preview;
    const TransformResult result = options->production
                                       ? runTransform(doc.xmlFile(), doc.xslGenerated)
                                       : renderGenerated(false, true, preview);
    if (!result.ok) {
        // A plug-in that could not run says why in place of the page.
        if (options->production || result.message.isEmpty())
            QTextStream(stderr) << (result.message.isEmpty() ? QString::fromUtf8(result.html) : result.message)
                                << '\n';
        return 1;
    }
    QFile out;
    out.open(stdout, QIODevice::WriteOnly);
    out.write(result.html);
    return 0;
}
