#pragma once

#include <QString>

// What one run of a table's XSLT processor gave.
struct TransformResult {
    bool ok = false;
    // The page. When a plug-in processor could not run to its end, the text that says
    // why, which the preview shows in place of the page.
    QString html;
    // A failure to show in a message box; "" when there is none to show.
    QString message;
};
