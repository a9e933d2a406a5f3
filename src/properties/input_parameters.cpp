#include "properties/input_parameters.h"

#include "documents/column_types.h"
#include "documents/string_helpers.h"
#include "documents/views/property_sheet_view.h"
#include "documents/workspace.h"
#include "platform/ui/ui_services.h"
#include "properties/commit_props.h"
#include "properties/property_sheets.h"

#include <QSet>

namespace {

const QString parametersRow = QStringLiteral("XSLT Input Parameters");

QString unescaped(QString value)
{
    value.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    value.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    value.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return value;
}

} // namespace

QList<InputParameter> unpackParameters(const QString &list)
{
    QList<InputParameter> rows = parseInputParameters(list);
    for (InputParameter &row : rows)
        row.value = unescaped(row.value);
    return rows;
}

QString packParameters(const QList<InputParameter> &rows)
{
    QString list;
    for (const InputParameter &row : rows)
        list += withoutListSeparators(row.name) + QChar(14) +
                xmlEscaped(withoutListSeparators(row.value)) + QChar(15);
    return list;
}

QString cellText(const QString &typed) { return withoutListSeparators(trimWhiteVar(typed)); }

bool parameterNameAccepted(const QString &typed)
{
    if (!isValidName(typed, false))
        return false;
    if (trimWhiteVar(typed) == QLatin1String("table")) {
        ui().message(QStringLiteral("Can't use name 'table'. Please choose another name."));
        return false;
    }
    return true;
}

bool parameterNamesAccepted(const QList<InputParameter> &rows)
{
    QSet<QString> seen;
    for (const InputParameter &row : rows) {
        if (!parameterNameAccepted(row.name))
            return false;
        if (row.name.isEmpty()) {
            ui().message(QStringLiteral("Please enter a name for every input parameter."));
            return false;
        }
        if (seen.contains(row.name)) {
            ui().message(QStringLiteral("Input parameter name '") + row.name +
                         QStringLiteral("' is used more than once. Please choose another name."));
            return false;
        }
        seen.insert(row.name);
    }
    return true;
}

GridCell tabMove(GridCell from, int rows, bool back)
{
    if (!back) {
        if (from.column == 0)
            return {from.row, 1};
        return from.row + 1 < rows ? GridCell{from.row + 1, 0} : from;
    }
    if (from.column == 1)
        return {from.row, 0};
    return from.row > 0 ? GridCell{from.row - 1, 1} : from;
}

void commitParameterList(const QString &list)
{
    if (!putIntoRow(parametersRow, list))
        return;
    currentSheet().layout.findItem(parametersRow)->value =
        list.isEmpty() ? QString() : QStringLiteral("Parameters");
    updateProps();
    if (PropertySheetView *sheet = workspace().currentViews().allProp)
        sheet->showSheet();
}
