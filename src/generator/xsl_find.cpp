#include "generator/xsl_find.h"

#include "documents/once_only_tips.h"
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
    const StructureTree::Node *column = currentColumn();
    if (!view || !column)
        return;
    view->findText(xslCodeMarker(), false);
    static const TipText columnTip{QStringLiteral("Column in XSL code"),
                                   QStringLiteral("XSL Code highlighted"),
                                   QStringLiteral("XSL code for selected column is highlighted.")};
    static const TipText tableTip{QStringLiteral("Table in XSL code"),
                                  QStringLiteral("XSL Code highlighted"),
                                  QStringLiteral("XSL code for table (main loop) is highlighted.")};
    const QPoint caret = view->caretPoint();
    showTipAtCaret(tipControl(SlotWindow::XslCode, QStringLiteral("xsl")), caret.x(), caret.y(),
                   column->parent ? columnTip : tableTip);
}
