#include "generator/interface_substitution.h"

#include "documents/interface_text.h"
#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "generator/value_code.h"
#include "generator/xsl_text_escaping.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace {

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QChar('_') || c == QChar('-') || c == QChar('.');
}

const QString placeholderStart = QStringLiteral("$interface_");
const QString xpathKind = QStringLiteral("xpath_for_");
const QString textKind = QStringLiteral("text_for_");

// The placeholders of a translation body, found in one pass: for each kind and item name,
// where its occurrences stand, in text order.
class Placeholders {
public:
    explicit Placeholders(const QString &code) : code(code)
    {
        for (qsizetype at = code.indexOf(placeholderStart); at >= 0; at = code.indexOf(placeholderStart, at + 1)) {
            const qsizetype kindAt = at + placeholderStart.size();
            for (const QString &kind : {xpathKind, textKind}) {
                if (QStringView(code).mid(kindAt).startsWith(kind))
                    note(at, kindAt + kind.size(), kind);
            }
        }
    }

    // The next occurrence of the placeholder not yet given a replacement gets this one.
    void replaceNext(const QString &kind, const QString &item, const QString &replacement)
    {
        auto found = occurrences.find(kind + item);
        if (found == occurrences.end() || found->next >= found->spans.size())
            return;
        const Span span = found->spans[found->next++];
        replacements.push_back({span.start, span.end, replacement});
    }

    QString result() const
    {
        std::vector<Replacement> ordered = replacements;
        std::sort(ordered.begin(), ordered.end(),
                  [](const Replacement &a, const Replacement &b) { return a.start < b.start; });
        QString text;
        text.reserve(code.size());
        qsizetype done = 0;
        for (const Replacement &r : ordered) {
            text += QStringView(code).mid(done, r.start - done);
            text += r.text;
            done = r.end;
        }
        return text.append(QStringView(code).mid(done));
    }

private:
    struct Span {
        qsizetype start;
        qsizetype end;
    };
    struct Occurrences {
        QList<Span> spans;
        qsizetype next = 0;
    };
    struct Replacement {
        qsizetype start;
        qsizetype end;
        QString text;
    };

    void note(qsizetype start, qsizetype nameAt, const QString &kind)
    {
        qsizetype end = nameAt;
        while (end < code.size() && isNameCharacter(code[end]))
            ++end;
        occurrences[kind + code.mid(nameAt, end - nameAt)].spans.append({start, end});
    }

    const QString &code;
    QHash<QString, Occurrences> occurrences;
    std::vector<Replacement> replacements;
};

// The raw item names of the interface being substituted, with the mapping they read.
class Substitution {
public:
    Substitution(const QList<InterfaceItem> &items, const QString &columnKey) : columnKey(columnKey)
    {
        std::vector<qsizetype> open; // earlier items from the second on, levels rising
        for (qsizetype i = 0; i < items.size(); ++i) {
            const int level = indentLevel(items[i].name);
            while (!open.empty() && levels[open.back()] >= level)
                open.pop_back();
            names.append(stripIndent(items[i].name));
            levels.push_back(level);
            parents.push_back(open.empty() ? 0 : open.back());
            if (i >= 1)
                open.push_back(i);
        }
    }

    QString currentPath(qsizetype i) const
    {
        return getKey(QStringLiteral("Call Xpath-") + columnKey + QChar('-') + names[i]);
    }

    // A top-level item's mapped path as seen from the calling column's context, a nested
    // item's from its parent item's mapped path: the nearest earlier item (from the second
    // on) of a lower level, else the first.
    QString path(qsizetype i, const QString &contextXpath) const
    {
        const QString mapped = currentPath(i);
        if (levels[i] == 0)
            return relativeXpath(contextXpath, mapped);
        return relativeXpath(currentPath(parents[i]), mapped);
    }

    void apply(const QString &contextXpath, QString &code) const
    {
        Placeholders placeholders(code);
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QString itemPath = path(i, contextXpath);
            placeholders.replaceNext(xpathKind, names[i], attributeText(itemPath));
            placeholders.replaceNext(textKind, names[i],
                                     itemPath.contains(QChar('@')) ? QStringLiteral(".") : QStringLiteral("./text()"));
        }
        code = placeholders.result();
    }

private:
    QString columnKey;
    QStringList names;
    std::vector<int> levels;
    std::vector<qsizetype> parents;
};

} // namespace

void makeSubstCode(const QString &interfaceText, const QString &columnKey,
                   const QString &contextXpath, QString &code)
{
    const InterfaceRecords records = readInterfaceText(interfaceText);
    if (records.hasBody)
        code = records.body;
    Substitution(records.items, columnKey).apply(contextXpath, code);
}
