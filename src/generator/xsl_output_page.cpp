#include "generator/xsl_output_page.h"

#include "documents/file_dialog.h"
#include "documents/path_helpers.h"
#include "documents/store_access.h"
#include "documents/stylesheet_destination.h"
#include "documents/text_files.h"
#include "documents/views/output_page_view.h"
#include "documents/workspace.h"
#include "generator/xsl_generator.h"
#include "platform/ui_services.h"

namespace {

// The file the user chose, after confirming an overwrite; "" when cancelled.
QString askOutputFile(const TableDocument &doc)
{
    for (;;) {
        const QString chosen =
            showFileDialog(false, QStringLiteral("Save XSL"), QStringLiteral("XSL files|*.xsl"),
                           QStringLiteral("xsl"), true, doc.xslFileName, doc.xslFileDir);
        if (chosen.isEmpty() || !normalFileExists(chosen) ||
            ui().askYesNo(QStringLiteral("File already exists. Overwrite?")) ==
                UiServices::Answer::Yes)
            return chosen;
    }
}

class OutputPageWriter final : public OutputPageView {
public:
    void savePage() override { ::savePage(); }
};

} // namespace

void installOutputPageWriter()
{
    static OutputPageWriter writer;
    workspace().outputPage = &writer;
}

void savePage()
{
    TableDocument &doc = workspace().current();
    const QString text = generateForOutput();
    if (!doc.xslFileName.isEmpty() && !doc.xslFileDir.isEmpty()) {
        const QString path = doc.xslFileDir + doc.xslFileName;
        if (mayWriteStylesheet(path))
            writeFile(path, text, false);
        return;
    }
    doc.xslFileName = getTableName(workspace().curTable) + QStringLiteral(".xsl");
    savePageAs();
}

void savePageAs()
{
    TableDocument &doc = workspace().current();
    const QString text = generateForOutput();
    const QString path = askOutputFile(doc);
    if (path.isEmpty())
        return;
    if (!writeFile(path, text, false))
        return;
    doc.xslFileName = getFileName(path);
    doc.xslFileDir = getDir(path);
    doc.xslPathFromFile = false;
}
