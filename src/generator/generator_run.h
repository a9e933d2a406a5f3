#pragma once

#include "documents/add_string.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

// The state of one stylesheet generation over the current slot.
struct GeneratorRun {
    AddString out;         // the stylesheet as built so far
    QString tableName;     // T: part of every template name, class and id written
    QString tableXpath;    // the table's row Xpath, "/" when none is set
    bool isProduction = false;
    bool debugOn = false;

    // Filled while the rows are written (sort keys) and by "Call Table" columns.
    QString importList;
    QString treeVariables;
    QString sortList;
    QString cssCalls;
    QString scriptCalls;
    QStringList segmentColumns; // the "Text (HTML segment)" columns written

    void add(const QString &text) { out.Add(text); }
    // Replaces the first occurrence of a marker in the text built so far.
    void replaceMarkers(const QList<std::pair<QString, QString>> &replacements);
};

// "True", "true", or a non-zero number; anything else is false.
bool storedBoolean(const QString &value);

// While one lives, generation shows the user nothing: a second generation within one render
// leaves its faults to the first.
class QuietGenerationGuard {
public:
    QuietGenerationGuard();
    ~QuietGenerationGuard();
    QuietGenerationGuard(const QuietGenerationGuard &) = delete;
    QuietGenerationGuard &operator=(const QuietGenerationGuard &) = delete;

    static bool active() { return depth > 0; }

private:
    static inline int depth = 0;
};
