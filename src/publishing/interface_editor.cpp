#include "publishing/interface_editor.h"

#include "documents/column_types.h"
#include "documents/once_only_tips.h"
#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/workspace.h"
#include "platform/ui/ui_services.h"
#include "properties/commit_props.h"
#include "properties/property_sheets.h"
#include "publishing/default_interface.h"
#include "publishing/interface_tips.h"
#include "publishing/interface_translation.h"

namespace {

const QString levelPrefix = QStringLiteral("....");
const QString interfaceRow = QStringLiteral("Table Interface");

bool inRange(const QList<InterfaceItem> &rows, int row) { return row >= 0 && row < rows.size(); }

bool isSimpleXpath(const QString &xpath)
{
    for (const char *forbidden : {"[", "]", "::", "*", "$"}) {
        if (xpath.contains(QLatin1String(forbidden)))
            return false;
    }
    return true;
}

} // namespace

void InterfaceEditor::addComp(const QString &text)
{
    // The stored body is never shown: the translation is always rebuilt from the rows.
    rows = readInterfaceText(text).items;
    updateTranslation();
}

QString InterfaceEditor::getComps()
{
    updateTranslation();
    return packInterfaceText(rows, workspace().interfaceTranslation);
}

void InterfaceEditor::updateTranslation()
{
    QString &body = workspace().interfaceTranslation;
    body = translationBody(rows);
    tlogic = translationStylesheet(body, getTableName(workspace().curTable));
}

void InterfaceEditor::appendItem(const InterfaceItem &item)
{
    rows.append(item);
    updateTranslation();
}

void InterfaceEditor::replaceItem(int row, const InterfaceItem &edited)
{
    if (!inRange(rows, row))
        return;
    InterfaceItem item = edited;
    item.name = levelPrefix.repeated(indentLevel(rows[row].name)) + edited.name;
    rows[row] = item;
    updateTranslation();
}

void InterfaceEditor::deleteItem(int row)
{
    if (rows.size() == 1)
        initComps();
    else if (inRange(rows, row))
        rows.removeAt(row);
    else
        return;
    updateTranslation();
}

bool InterfaceEditor::clearAll()
{
    if (rows.isEmpty()
        || ui().askYesNoCancel(QStringLiteral("Are you sure you want to delete all Xpath Items?"))
               != UiServices::Answer::Yes)
        return false;
    initComps();
    return true;
}

int InterfaceEditor::moveUp(int row)
{
    if (!inRange(rows, row) || row == 0)
        return row;
    rows.swapItemsAt(row, row - 1);
    updateTranslation();
    return row - 1;
}

int InterfaceEditor::moveDown(int row)
{
    if (!inRange(rows, row) || row + 1 >= rows.size())
        return row;
    rows.swapItemsAt(row, row + 1);
    updateTranslation();
    return row + 1;
}

void InterfaceEditor::goRight(int row)
{
    if (!inRange(rows, row))
        return;
    rows[row].name.prepend(levelPrefix);
    updateTranslation();
}

void InterfaceEditor::goLeft(int row)
{
    if (!inRange(rows, row) || !rows[row].name.startsWith(levelPrefix))
        return;
    rows[row].name.remove(0, levelPrefix.size());
    updateTranslation();
}

bool InterfaceEditor::suggest(QObject *tipAnchor)
{
    if (!rows.isEmpty()
        && ui().askYesNoCancel(QStringLiteral("Do you want to create default Xpath Items? Current "
                                              "items will be deleted."))
               != UiServices::Answer::Yes)
        return false;
    const DefaultInterface defaults = simulateGetComps();
    addComp(defaults.text);
    if (defaults.dropped)
        showTipAtControl(tipAnchor, interface_tips::itemsEliminated());
    return defaults.columnsAdded;
}

QString InterfaceEditor::invalidXpathMessage() const
{
    for (const InterfaceItem &item : rows) {
        if (!isSimpleXpath(item.xpath))
            return QStringLiteral("Xpath ") + item.xpath
                   + QStringLiteral(" is not valid. Xpath must be without conditions, axis or "
                                    "variables (simple Xpath that leads to element or attribute).");
    }
    return {};
}

bool InterfaceEditor::save()
{
    const QString invalid = invalidXpathMessage();
    if (!invalid.isEmpty()) {
        ui().message(invalid);
        return false;
    }
    const QString text = getComps();
    if (!putIntoRow(interfaceRow, text))
        return false;
    currentSheet().layout.findItem(interfaceRow)->value =
        text.isEmpty() ? QString() : QStringLiteral("Interface");
    updateProps();
    return true;
}

bool InterfaceEditor::mayClose()
{
    if (getComps() == currentSheet().holder(Holder::tcomp))
        return true;
    return ui().askYesNoCancel(QStringLiteral("Table Interface has changed. Are you sure you want "
                                              "to close without saving?"))
           == UiServices::Answer::Yes;
}

InterfaceEditor &interfaceEditor()
{
    static InterfaceEditor editor;
    return editor;
}

bool checkXpathItem(InterfaceItem &item)
{
    for (QString *field : {&item.name, &item.description, &item.xpath})
        *field = trimWhiteVar(*field);
    const char *missing = item.name.isEmpty() ? "Please enter name of Xpath Item."
                          : !isValidName(item.name, false) ? ""
                          : item.description.isEmpty() ? "Please enter description of Xpath Item."
                          : item.xpath.isEmpty() ? "Please enter xpath of Xpath Item."
                                                 : nullptr;
    if (missing && *missing)
        ui().message(QLatin1String(missing));
    return !missing;
}

bool saveInterfaceText(const QString &text)
{
    InterfaceEditor &editor = interfaceEditor();
    editor.addComp(text);
    return editor.save();
}
