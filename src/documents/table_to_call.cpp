#include "documents/table_to_call.h"

#include "documents/file_dialog.h"
#include "documents/path_helpers.h"
#include "documents/side_file_restore.h"
#include "documents/workspace.h"
#include "platform/ui/ui_services.h"

QString selectTableToCall()
{
    const QString chosen =
        showFileDialog(true, QStringLiteral("Call Table - Select Table to Call"),
                       QStringLiteral("Table file|*.tvk"), QStringLiteral("tvk"), false, {}, {});
    if (chosen.isEmpty())
        return {};
    // A call names the called table's templates and side files after the file's base name.
    if (getBaseName(chosen).isEmpty()) {
        ui().message(QStringLiteral("The table file has no name. Please select another table."));
        return {};
    }
    const QString caller = workspace().current().tablePath;
    const QString reference = slashPath(relativePath(getDir(caller), getDir(chosen)) + getFileName(chosen));
    // The caller's own templates would hide those of a table named as it is.
    if (sameNameOtherTable(chosen, caller)) {
        ui().message(QStringLiteral("A table can't call another table of the same name (") + reference
                     + QStringLiteral("). Please rename one of them."));
        return {};
    }
    restoreSideFiles(reference);
    return reference;
}
