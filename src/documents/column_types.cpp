#include "documents/column_types.h"

#include "documents/property_store.h"
#include "documents/string_helpers.h"
#include "platform/ui/ui_services.h"

#include <array>

namespace {

struct ColumnType {
    const char16_t *name;
    const char16_t *mainAttribute;
    const char16_t *description;
};

constexpr std::array<ColumnType, 11> columnTypes{{
    {u"Text", u"value", u"Plain text to be displayed."},
    {u"Text (HTML segment)", u"value",
     u"Text that is interpreted as HTML (for instance part of RSS feed). The text must be XML "
     u"encoded (for example '<' substituted with '&lt;')."},
    {u"Web Link", u"href", u"Web link (anchor) element that links to other web pages."},
    {u"Image", u"src", u"Image (for example JPG, GIF, PNG etc.)"},
    {u"XSL Code", u"xslCode",
     u"XSL code that generates any HTML (for example tables, applets, flash code etc.), "
     u"including scripting."},
    {u"Call Table", u"table",
     u"Call another table. Table is called at run-time with xsl:call-template."},
    {u"Input Field", u"value", u"Input text field often used in HTML forms."},
    {u"Input Text Box (Textarea)", u"value",
     u"Textarea (multiple line input field) often used in HTML forms."},
    {u"Select", u"displayValue",
     u"Multiple choice select box (single or multi-line) often used in HTML forms."},
    {u"Submit Button", u"submitURL",
     u"Submit button that submits form data, often used in HTML forms."},
    {u"Hidden Field", u"value",
     u"Hidden field that holds some information, often used in HTML forms. This field is "
     u"displayed by default. Change it's Visibility->Hidden property to 'Invisible' to hide "
     u"it."},
}};

const ColumnType *findType(const QString &name)
{
    for (const ColumnType &type : columnTypes) {
        if (name == QStringView(type.name))
            return &type;
    }
    return nullptr;
}

bool isNameCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
           u == '_';
}

} // namespace

const QStringList &columnTypeNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const ColumnType &type : columnTypes)
            list.append(QString::fromUtf16(type.name));
        return list;
    }();
    return names;
}

QString mainAttributeOf(const QString &type)
{
    const ColumnType *found = findType(type);
    return found ? QString::fromUtf16(found->mainAttribute) : QString();
}

QString typeDescription(const QString &type)
{
    const ColumnType *found = findType(type);
    return found ? QString::fromUtf16(found->description) : QString();
}

const QStringList &treeImageKeys()
{
    static const QStringList keys = QStringList{QStringLiteral("Table")} + columnTypeNames() +
                                    QStringList{QStringLiteral("requiredAttribute"),
                                                QStringLiteral("attribute")};
    return keys;
}

NodeKind nodeKind(const StructureTree::Node &node)
{
    if (node.text == StructureTree::tableKey)
        return NodeKind::Table;
    if (node.parent && node.parent->text == StructureTree::tableKey)
        return NodeKind::Column;
    return NodeKind::Attribute;
}

QString nodeKindName(NodeKind kind)
{
    switch (kind) {
    case NodeKind::Table:
        return QStringLiteral("Table");
    case NodeKind::Column:
        return QStringLiteral("Column");
    case NodeKind::Attribute:
        break;
    }
    return QStringLiteral("Attribute");
}

void setNodeIcon(StructureTree::Node &node, const PropertyStore &store)
{
    switch (nodeKind(node)) {
    case NodeKind::Table:
        node.image = QStringLiteral("Table");
        return;
    case NodeKind::Column: {
        const QString type = store.value(QStringLiteral("Type-") + node.text);
        if (findType(type))
            node.image = type;
        return;
    }
    case NodeKind::Attribute:
        break;
    }
    const QString parentText = node.parent ? node.parent->text : QString();
    const QString type = store.value(QStringLiteral("Type-") + parentText);
    node.image = node.text == mainAttributeOf(type) ? QStringLiteral("requiredAttribute")
                                                    : QStringLiteral("attribute");
}

bool nodeNameIs(const QString &nodeText, const QString &name)
{
    QString text = trimWhiteVar(nodeText);
    const qsizetype equals = text.indexOf(QChar('='));
    if (equals >= 0)
        text.truncate(equals);
    return text == trimWhiteVar(name);
}

bool isValidName(const QString &name, bool silent)
{
    for (const QChar c : name) {
        if (!isNameCharacter(c)) {
            if (!silent)
                ui().message(QStringLiteral(
                    "Name can contain letters, digits and underscore only. Please enter "
                    "another name."));
            return false;
        }
    }
    if (!name.isEmpty() && name[0].unicode() >= '0' && name[0].unicode() <= '9') {
        if (!silent)
            ui().message(QStringLiteral("Name can't start with digit. Please enter another name."));
        return false;
    }
    return true;
}

QString nextColumnName(const StructureTree &tree)
{
    const StructureTree::Node *table = tree.find(StructureTree::tableKey);
    int n = 1;
    auto taken = [table](const QString &name) {
        for (const auto &child : table->children) {
            if (child->text == name)
                return true;
        }
        return false;
    };
    while (table && taken(QStringLiteral("column%1").arg(n)))
        ++n;
    return QStringLiteral("column%1").arg(n);
}
