#include "platform/generator_marks.h"

#include <QRandomGenerator>

namespace {

const char markPrefix[] = "tarvik-generated-";

QString drawnMarkName()
{
    return QLatin1String(markPrefix) +
           QString::number(QRandomGenerator::system()->generate64(), 16).rightJustified(16, u'0');
}

void removeMarks(xmlNodePtr node, const xmlChar *name)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        if (xmlAttrPtr mark = xmlHasNsProp(node, name, nullptr))
            xmlRemoveProp(mark);
        removeMarks(node->children, name);
    }
}

} // namespace

const QString &generatorMark()
{
    static const QString mark = QLatin1Char(' ') + drawnMarkName() + QStringLiteral("=\"\"");
    return mark;
}

QString withoutGeneratorMarks(const QString &marked)
{
    QString written = marked;
    return written.remove(generatorMark());
}

GeneratorMarks::GeneratorMarks(xmlDocPtr stylesheet)
{
    const xmlNodePtr root = stylesheet ? xmlDocGetRootElement(stylesheet) : nullptr;
    const xmlAttrPtr first = root ? root->properties : nullptr;
    if (first && !first->ns && xmlStrncmp(first->name, BAD_CAST markPrefix, sizeof markPrefix - 1) == 0)
        name = reinterpret_cast<const char *>(first->name);
}

bool GeneratorMarks::on(xmlNodePtr element) const
{
    return !name.empty() && element && element->type == XML_ELEMENT_NODE &&
           xmlHasNsProp(element, BAD_CAST name.c_str(), nullptr);
}

bool GeneratorMarks::onAll(xmlNodePtr element) const
{
    if (!on(element))
        return false;
    for (xmlNodePtr child = element->children; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE && !onAll(child))
            return false;
    return true;
}

void GeneratorMarks::removeFrom(xmlDocPtr stylesheet) const
{
    if (!name.empty())
        removeMarks(xmlDocGetRootElement(stylesheet), BAD_CAST name.c_str());
}
