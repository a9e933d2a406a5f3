#include "generator/xsl_output_page.h"

#include "documents/file_dialog.h"
#include "documents/path_helpers.h"
#include "documents/store_access.h"
#include "documents/stylesheet_destination.h"
#include "documents/text_files.h"
#include "documents/views/output_page_view.h"
#include "documents/workspace.h"
#include "generator/stylesheet_header.h"
#include "generator/xsl_generator.h"
#include "platform/ui/ui_services.h"

#include <QFileInfo>

namespace {

// The file the user chose, after confirming an overwrite; "" when cancelled.
QString askOutputFile(const TableDocument &doc)
{
    for (;;) {
        const QString chosen =
            showFileDialog(false, QStringLiteral("Save XSL"), QStringLiteral("XSL files|*.xsl"),
                           QStringLiteral("xsl"), true, doc.xslFileName, xslOutputFolder());
        if (chosen.isEmpty() || !pathTaken(chosen) ||
            ui().askYesNo(QStringLiteral("File already exists. Overwrite?")) ==
                UiServices::Answer::Yes)
            return chosen;
    }
}

// Writes the output page; a link there is followed once its target passed the question
// on doubtful paths. A path picked in the dialog is doubtful only through a link.
bool writePage(const QString &page, const QString &text, bool picked)
{
    const bool linked = QFileInfo(slashPath(page)).isSymLink();
    const QString target = linked ? linkTarget(page) : page;
    if ((!picked || linked) && !mayWriteStylesheet(target, linked))
        return false;
    return writeFile(target, text, false);
}

struct OutputPage {
    QString name;
    QString dir;
    bool fromFile;
};

OutputPage outputPageOf(const TableDocument &doc)
{
    return {doc.xslFileName, doc.xslFileDir, doc.xslPathFromFile};
}

void setOutputPage(TableDocument &doc, const OutputPage &page)
{
    doc.xslFileName = page.name;
    doc.xslFileDir = page.dir;
    doc.xslPathFromFile = page.fromFile;
}

class OutputPageWriter final : public OutputPageView {
public:
    void savePage() override { ::savePage(); }
};

} // namespace

bool writeOutputPage(const QString &page, const QString &text) { return writePage(page, text, false); }

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
        writeOutputPage(xslOutputFolder() + doc.xslFileName, text);
        return;
    }
    doc.xslFileName = getTableName(workspace().curTable) + QStringLiteral(".xsl");
    savePageAs();
}

void savePageAs()
{
    TableDocument &doc = workspace().current();
    const QString path = askOutputFile(doc);
    if (path.isEmpty())
        return;
    // Generated for the chosen folder, so that its imports are found from there.
    const OutputPage before = outputPageOf(doc);
    setOutputPage(doc, {getFileName(path), getDir(path), false});
    if (!writePage(path, generateForOutput(), true))
        setOutputPage(doc, before);
}
