#include "generator/side_files.h"

#include "documents/store_access.h"
#include "documents/text_files.h"
#include "documents/views/main_window_view.h"
#include "documents/views/xsl_code_view.h"
#include "documents/workspace.h"
#include "generator/generator_run.h"
#include "generator/stylesheet_header.h"
#include "generator/xsl_generator.h"

#include <utility>

void writeSideFiles(const QString &outputXsl)
{
    const Workspace &ws = workspace();
    const TableDocument &doc = workspace().current();
    if (doc.tablePath.isEmpty())
        return;
    const QString stem = getTableDir(ws.curTable) + getTableName(ws.curTable);
    const std::pair<const char *, QString> files[] = {
        {".xmf", doc.xmlFile()},
        {".xsl", outputXsl},
        {".xmp", doc.xslFileName.isEmpty() ? QString() : xslOutputFolder() + doc.xslFileName},
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
