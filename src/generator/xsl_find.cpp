#include "generator/xsl_find.h"

#include "documents/views/xsl_code_view.h"
#include "documents/workspace.h"
#include "generator/preview_highlight.h"

std::optional<TextSelection> findAfter(const QString &text, const QString &what,
                                       TextSelection current)
{
    const qsizetype at =
        text.indexOf(what, current.start + current.length, Qt::CaseInsensitive);
    if (what.isEmpty() || at < 0)
        return std::nullopt;
    return TextSelection{at, what.size()};
}

QString xslCodeMarker()
{
    const StructureTree::Node *column = currentColumn();
    if (!column)
        return {};
    if (!column->parent)
        return QStringLiteral("<!-- Table code -->");
    return QStringLiteral("<!-- Column ") + column->text + QStringLiteral(" as: ");
}

void highlightInXslCode()
{
    XslCodeView *view = workspace().currentViews().xslCode;
    const QString marker = xslCodeMarker();
    if (view && !marker.isEmpty())
        view->findText(marker, false);
}
