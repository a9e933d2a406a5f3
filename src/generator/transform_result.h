#pragma once

#include <QByteArray>
#include <QString>

// What one run of a table's XSLT processor gave.
struct TransformResult {
    bool ok = false;
    // The page as the processor wrote it, in the encoding it declares. When a plug-in
    // processor could not run to its end, the text that says why (UTF-8), which the
    // preview shows in place of the page.
    QByteArray html;
    // A failure to show in a message box; "" when there is none to show.
    QString message;
    // Built-in: a file its stylesheet asked for was refused, lying outside the folders a
    // restricted run may read.
    bool readsRefused = false;
};
