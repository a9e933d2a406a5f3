#pragma once

#include <QString>
#include <QStringList>

// What the command line names: a table file, or an XML file for a new table.
struct CommandLine {
    bool tableStart = false; // the first piece ends in ".tvk", any letter case
    QString file;            // the table file or the XML file
    QString xslOutput;       // the path of the XSL output file
    QString name;            // the new table's name (XML start) or commandLineName
};

// One argument is split at every ","; several arguments are the pieces themselves, so
// paths holding commas work. Pieces are used as they stand.
CommandLine parseCommandLine(const QStringList &arguments);
