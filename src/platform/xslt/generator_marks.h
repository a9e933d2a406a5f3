#pragma once

#include <QByteArray>
#include <QString>

#include <libxml/tree.h>

#include <string>

// The stylesheet generator marks each element it writes itself with an empty attribute right
// after the element's name. The attribute's name ends in a number drawn at random when the
// program starts, so no table can carry it, and the stylesheet's root element carries it
// first among its attributes, which tells a reader of the text what marks. The running form
// rewrites only marked elements; the text as written is the marked text without the marks.

// `tarvik-generated-<number>`, the name of the program's own mark.
const QByteArray &generatorMarkName();
// ` tarvik-generated-<number>=""`, the text that marks a start tag.
const QString &generatorMark();
// The text as written: every generatorMark() taken out.
QString withoutGeneratorMarks(const QString &marked);

// The marks of that name in a parsed stylesheet: none when its root element does not begin
// with exactly that mark. A run in another process is told the program's mark name.
class GeneratorMarks {
public:
    explicit GeneratorMarks(xmlDocPtr stylesheet, const QByteArray &markName = generatorMarkName());
    // The generator wrote the element.
    bool on(xmlNodePtr element) const;
    // The element and every element inside it.
    bool onAll(xmlNodePtr element) const;
    // Takes every mark out of the document, which is then the text as written.
    void removeFrom(xmlDocPtr stylesheet) const;

private:
    std::string name;
};
