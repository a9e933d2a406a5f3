#pragma once

#include <QString>

// An XML comment holding the text: escaped, one comment per line of the text.
QString addComment(const QString &text);
// The user's own code as it stands, followed by one CR LF.
QString addUser(const QString &code);
