#include "platform/widgets/gui/tree_icons.h"

#include <QList>
#include <QPair>

namespace {

// Index order, key and the drawing in the resources.
const QList<QPair<QString, QString>> &iconFiles()
{
    static const QList<QPair<QString, QString>> files{
        {QStringLiteral("attribute"), QStringLiteral("new_att")},
        {QStringLiteral("requiredAttribute"), QStringLiteral("new_reqatt")},
        {QStringLiteral("Image"), QStringLiteral("new_t_image")},
        {QStringLiteral("Text"), QStringLiteral("new_t_text")},
        {QStringLiteral("Text (HTML segment)"), QStringLiteral("new_t_htmltext")},
        {QStringLiteral("Web Link"), QStringLiteral("new_t_link")},
        {QStringLiteral("Input Field"), QStringLiteral("new_t_input")},
        {QStringLiteral("Call Table"), QStringLiteral("new_t_include")},
        {QStringLiteral("Input Text Box (Textarea)"), QStringLiteral("new_t_textarea")},
        {QStringLiteral("Hidden Field"), QStringLiteral("new_t_hidden")},
        {QStringLiteral("Select"), QStringLiteral("new_t_dropdown")},
        {QStringLiteral("Submit Button"), QStringLiteral("new_t_submit")},
        {QStringLiteral("XSL Code"), QStringLiteral("new_t_xsl")},
        {QStringLiteral("Table"), QStringLiteral("new_t_table")},
    };
    return files;
}

QList<QPair<QString, QIcon>> &imageList()
{
    static QList<QPair<QString, QIcon>> list;
    return list;
}

} // namespace

void loadTreeIcons()
{
    imageList().clear();
    for (const auto &[key, file] : iconFiles()) {
        const QIcon icon(QStringLiteral(":/icons/") + file + QStringLiteral(".svg"));
        if (!icon.availableSizes().isEmpty() || !icon.pixmap(16, 16).isNull())
            imageList().append({key, icon});
    }
}

QIcon treeIcon(const QString &key)
{
    for (const auto &[name, icon] : imageList())
        if (name == key)
            return icon;
    return {};
}

QStringList treeIconKeys()
{
    QStringList keys;
    for (const auto &entry : imageList())
        keys.append(entry.first);
    return keys;
}
