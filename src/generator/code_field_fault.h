#pragma once

#include <QList>
#include <QString>

// The fields the generator writes into the stylesheet as the user typed them, so that a
// stylesheet they break can say which one did, and so that a check of one field names it as
// generation does.

// What a field holds, and so how it is written: XSL code as it stands, an Xpath made safe for
// the attribute that holds it, text whose markup stays markup.
enum class FieldKind { Code, Xpath, Text };

struct CodeField {
    QString caption; // the row's caption on the property sheet
    QString owner;   // "Table", or the column (and attribute) as the user knows it
    QString code;
    FieldKind kind = FieldKind::Code;
};

// The kind of the row with this caption on the sheet of the table (column "" ) or of a
// column or one of its attributes.
FieldKind fieldKind(const QString &caption, const QString &column, const QString &attribute);
// "XSL code", "Xpath" or "text".
QString fieldKindName(FieldKind kind);
// The owner as messages name it: "Table", column "c" or column "c" (attribute "a").
QString fieldOwner(const QString &column, const QString &attribute);
// The caption in double quotes, " of " and the owner.
QString namedField(const CodeField &field);

// The current table's code fields and the stylesheet start their check wraps them in;
// taken on the user-interface thread, checked on any.
struct CodeFields {
    QString prefix;
    QList<CodeField> fields;
};

CodeFields currentCodeFields();

// The message about a broken stylesheet, and a line naming the first field that alone does
// not hold where the generator writes it, when one does not.
QString namingFaultyCodeField(const QString &message, const CodeFields &written);
