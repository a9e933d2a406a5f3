#include "edit_ui.h"

#include "documents/workspace.h"
#include "properties/property_sheets.h"

#include <QTextStream>

EditSheet::EditSheet() : slot(workspace().curTable)
{
    workspace().views[size_t(slot)].allProp = this;
}

EditSheet::~EditSheet()
{
    SlotViews &views = workspace().views[size_t(slot)];
    if (views.allProp == this)
        views.allProp = nullptr;
}

void EditSheet::setLoading(bool loading) { propertySheet(slot).isLoading = loading; }

void EditUi::message(const QString &text)
{
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    QTextStream(stderr) << line << '\n';
}

void EditUi::dropUnusedAnswers()
{
    replies.clear();
    dialogs.newColumns.clear();
    dialogs.newAtts.clear();
}
