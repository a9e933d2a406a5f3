#include "platform/xslt/generator_marks.h"

#include <QRandomGenerator>

namespace {

const char markPrefix[] = "tarvik-generated-";

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

const QByteArray &generatorMarkName()
{
    static const QByteArray name =
        markPrefix + QByteArray::number(QRandomGenerator::system()->generate64(), 16).rightJustified(16, '0');
    return name;
}

const QString &generatorMark()
{
    static const QString mark = QLatin1Char(' ') + QLatin1String(generatorMarkName()) + QStringLiteral("=\"\"");
    return mark;
}

QString withoutGeneratorMarks(const QString &marked)
{
    QString written = marked;
    return written.remove(generatorMark());
}

GeneratorMarks::GeneratorMarks(xmlDocPtr stylesheet, const QByteArray &markName)
{
    const xmlNodePtr root = stylesheet ? xmlDocGetRootElement(stylesheet) : nullptr;
    const xmlAttrPtr first = root ? root->properties : nullptr;
    if (first && !first->ns && xmlStrEqual(first->name, BAD_CAST markName.constData()))
        name = markName.toStdString();
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
