#include "documents/table_document.h"

#include "documents/path_helpers.h"

QString TableDocument::xmlFile() const { return resolvedPath(xmlPath, getDir(tablePath)); }

QString TableDocument::xslOutputFolder() const
{
    const QString tableDir = getDir(tablePath);
    return xslFileDir.isEmpty() ? tableDir : resolvedPath(xslFileDir, tableDir);
}

void TableDocument::reset()
{
    *this = TableDocument{};
    tree.reset();
}

bool &TableDocument::shown(SlotWindow window)
{
    switch (window) {
    case SlotWindow::Parser:
        return parserShown;
    case SlotWindow::Rep:
        return repShown;
    case SlotWindow::Prop:
        return propShown;
    case SlotWindow::Result:
        return resultShown;
    case SlotWindow::XslCode:
        break;
    }
    return xslCodeShown;
}
