#pragma once

#include <QList>
#include <QString>

// The fields the generator writes into the stylesheet as XSL code, as they stand, so that a
// stylesheet they break can say which one did.

struct CodeField {
    QString caption; // the row's caption on the property sheet
    QString owner;   // "Table", or the column (and attribute) as the user knows it
    QString code;
    bool inTest = false; // written inside an apostrophe-quoted test, else as element content
};

// The current table's code fields and the stylesheet start their check wraps them in;
// taken on the user-interface thread, checked on any.
struct CodeFields {
    QString prefix;
    QList<CodeField> fields;
};

CodeFields currentCodeFields();

// The message about a broken stylesheet, and a line naming the first field whose code
// alone is not well-formed where the generator writes it, when one is not.
QString namingFaultyCodeField(const QString &message, const CodeFields &written);
