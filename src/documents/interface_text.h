#pragma once

#include <QList>
#include <QString>

// The packed text of a Table Interface: one record per Xpath Item (Name, Chr(14),
// Description, Chr(14), Xpath, Chr(15)), then the translation body and Chr(16). With no
// items the whole text is "". Nothing is escaped.

struct InterfaceItem {
    QString name; // with its "...." level prefixes
    QString description;
    QString xpath;

    bool operator==(const InterfaceItem &) const = default;
};

struct InterfaceRecords {
    QList<InterfaceItem> items; // the complete records from the front of the text
    bool hasBody = false;       // a Chr(16) follows the records
    QString body;               // the text between the records and the first Chr(16)
};

// Reads the records up to the first one that lacks a separator.
InterfaceRecords readInterfaceText(const QString &text);
// The text of the items with the body; "" without items.
QString packInterfaceText(const QList<InterfaceItem> &items, const QString &body);
