#include "generator/side_files.h"

#include "documents/path_helpers.h"
#include "documents/store_access.h"
#include "documents/text_files.h"
#include "documents/views/main_window_view.h"
#include "documents/views/xsl_code_view.h"
#include "documents/workspace.h"
#include "generator/generator_run.h"
#include "generator/stylesheet_header.h"
#include "generator/xsl_generator.h"
#include "generator/xsl_output_page.h"

#include <utility>

namespace {

// The ".xsl" side file is the output page itself when the two share a path (the page's
// default place), and is then written as Save writes the page: a symbolic link the user
// made there leads on to its target.
void writeStylesheetSideFile(const QString &path, const QString &text, const QString &page)
{
    if (fileHoldsText(path, text))
        return;
    if (!page.isEmpty() && canonicalPath(path) == canonicalPath(page))
        writeOutputPage(path, text);
    else
        writeFile(path, text, false);
}

} // namespace

void writeSideFiles(const QString &outputXsl)
{
    const Workspace &ws = workspace();
    const TableDocument &doc = workspace().current();
    if (doc.tablePath.isEmpty())
        return;
    const QString stem = getTableDir(ws.curTable) + getTableName(ws.curTable);
    const QString page = doc.xslFileName.isEmpty() ? QString() : xslOutputFolder() + doc.xslFileName;
    writeStylesheetSideFile(stem + QStringLiteral(".xsl"), outputXsl, page);
    const std::pair<const char *, QString> files[] = {
        {".xmf", doc.xmlFile()},
        {".xmp", page},
        {".txp", getKey(QStringLiteral("Xpath-Table"))},
        {".txi", getKey(QStringLiteral("XSLT Input Parameters-Table"))},
        {".tic", getKey(QStringLiteral("Table Interface-Table"))},
    };
    for (const auto &[extension, text] : files)
        writeFileIfChanged(stem + QLatin1String(extension), text, false);
}

void getXSLFile()
{
    if (!workspace().current().tablePath.isEmpty()) {
        const ProductionRunGuard output;
        const QuietGenerationGuard reportsNothing;
        GenerationOutcome unreported;
        writeSideFiles(indentedXslCode(true, unreported));
    }
    updateXslView();
}

void updateXslView()
{
    Workspace &ws = workspace();
    if (XslCodeView *view = ws.currentViews().xslCode)
        view->showGenerated();
    MainWindowView *main = ws.mainWindow;
    if (ws.current().xslCodeShown && main && main->hasWindowSet(ws.curTable) &&
        !main->isWindowVisible(ws.curTable, SlotWindow::XslCode))
        main->setWindowVisible(ws.curTable, SlotWindow::XslCode, true);
}
