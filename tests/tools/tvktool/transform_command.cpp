// tvktool transform T.tvk [--production] [--rows-index I] [--restricted]: generates the
// table's stylesheet, runs the table's processor (built-in or its plug-in command line)
// over its XML document and prints the page. Without --production it renders as the preview
// does: the side files and the page file are written too. The table runs trusted, since
// whoever names it chose to run it; --restricted runs it as a table of a folder that is not
// trusted. A failure goes to stderr with exit status 1.
#include "documents/workspace.h"
#include "generate_options.h"
#include "generator/preview_render.h"
#include "generator/transform.h"
#include "tvktool_commands.h"

#include <QFile>
#include <QTextStream>

int transformCommand(const QStringList &arguments)
{
    QStringList args = arguments;
    const RunTrust trust =
        args.removeAll(QStringLiteral("--restricted")) ? RunTrust::Restricted : RunTrust::Trusted;
    const std::optional<GenerateOptions> options = parseGenerateOptions(args);
    if (!options) {
        QTextStream(stderr) << "usage: tvktool transform T.tvk [--production] [--rows-index 0-4] "
                               "[--restricted]\n";
        return 2;
    }
    if (!loadAndGenerate(*options))
        return 1;
    // A preview run shows a failure through the tool's messages, on stderr.
    const TableDocument &doc = workspace().current();
    RenderOutcome preview;
    const TransformResult result = options->production
                                       ? runTransform(doc.xmlFile(), doc.xslGenerated, trust)
                                       : renderGenerated(trust, true, preview);
    if (!result.ok) {
        // A plug-in that could not run says why in place of the page.
        if (options->production || result.message.isEmpty() || !preview.rendered)
            QTextStream(stderr) << (result.message.isEmpty() ? QString::fromUtf8(result.html) : result.message)
                                << '\n';
        return 1;
    }
    QFile out;
    out.open(stdout, QIODevice::WriteOnly);
    out.write(result.html);
    return 0;
}
