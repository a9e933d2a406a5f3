#pragma once

#include <QString>

// The settings key that remembers the folder of one kind of file dialog:
// "set-open-dialog-", the pattern without "*" and ".", "-", "True" (save) or "False".
QString dialogFolderKey(const QString &pattern, bool isSave);

// Shows an open or save dialog starting in the folder this kind of dialog used last (else
// initDir, else the current table's folder, else the data folder's "tables" folder when it
// exists, else the home folder) and remembers the chosen file's folder. A save dialog adds
// the pattern's extension to a chosen file name without a ".". The full path chosen, ""
// when cancelled.
QString showFileDialog(bool mustExist, const QString &title, const QString &filter,
                       const QString &pattern, bool isSave, const QString &fileName,
                       const QString &initDir);
