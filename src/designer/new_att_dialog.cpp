#include "designer/new_att_dialog.h"

#include "designer/table_editing.h"
#include "documents/path_helpers.h"
#include "documents/side_file_restore.h"
#include "documents/store_access.h"
#include "documents/workspace.h"
#include "generator/stylesheet_header.h"
#include "platform/ui/ui_services.h"

#include <libxml/tree.h>

namespace {

const QStringList mouseAndKeyEvents{
    "onclick",     "ondblclick",  "onkeydown",  "onkeypress", "onkeyup",  "onmousedown",
    "onmousemove", "onmouseout",  "onmouseover", "onmouseup"};

QStringList inputFieldNames()
{
    return QStringList{"size", "accesskey", "dir", "lang", "onblur", "onchange"} +
           mouseAndKeyEvents.mid(0, 2) + QStringList{"onfocus"} + mouseAndKeyEvents.mid(2) +
           QStringList{"onselect", "tabindex", "title"};
}

QStringList textareaNames()
{
    return QStringList{"rows", "cols", "accesskey", "dir", "disabled", "lang", "onblur", "onchange"} +
           mouseAndKeyEvents.mid(0, 2) + QStringList{"onfocus"} + mouseAndKeyEvents.mid(2) +
           QStringList{"onselect", "readonly", "tabindex", "title"};
}

QStringList selectNames()
{
    return {"baseXpath", "optionValue", "accesskey", "dir",    "disabled", "lang", "multiple",
            "onblur",    "onchange",    "onfocus",   "size",   "tabindex", "title"};
}

QStringList submitButtonNames()
{
    return QStringList{"submitURL", "value",    "accept", "accesskey", "dir",
                       "disabled",  "lang",     "onblur", "onchange"} +
           mouseAndKeyEvents.mid(0, 2) + QStringList{"onfocus"} + mouseAndKeyEvents.mid(2) +
           QStringList{"onselect", "size", "tabindex", "title"};
}

QStringList textNames()
{
    return QStringList{"accept", "accesskey", "dir", "disabled", "lang", "maxlength"} +
           mouseAndKeyEvents +
           QStringList{"readonly", "size", "style", "tabindex", "title", "value"};
}

QStringList webLinkNames()
{
    return QStringList{"value", "accesskey", "charset", "coords", "dir",   "href",
                       "lang",  "hreflang",  "onblur",  "onclick", "ondblclick", "onfocus"} +
           mouseAndKeyEvents.mid(2) +
           QStringList{"rel", "rev", "shape", "style", "tabindex", "target", "title", "type"};
}

QStringList imageNames()
{
    return QStringList{"webLink", "target", "align",  "alt",      "border", "height",
                       "hspace",  "ismap",  "lang",   "longdesc"} +
           mouseAndKeyEvents +
           QStringList{"src", "style", "title", "usemap", "vspace", "width"};
}

// The called table's side file that lists its input parameters: the reference's folder,
// its file name up to the first ".", and ".txi"; "" when the file name holds no ".".
QString parameterFileOf(const QString &reference)
{
    const QString fileName = getFileName(reference);
    if (!fileName.contains(QChar('.')))
        return {};
    const QString folder = reference.left(reference.size() - fileName.size());
    return folder + fileName.left(fileName.indexOf(QChar('.'))) + QStringLiteral(".txi");
}

} // namespace

NewAttDialog &newAttDialog()
{
    static NewAttDialog dialog;
    return dialog;
}

QStringList attributeNamesFor(const QString &type)
{
    if (type == QLatin1String("Input Field"))
        return inputFieldNames();
    if (type == QLatin1String("Input Text Box (Textarea)"))
        return textareaNames();
    if (type == QLatin1String("Select"))
        return selectNames();
    if (type == QLatin1String("Submit Button"))
        return submitButtonNames();
    if (type == QLatin1String("Text") || type == QLatin1String("Text (HTML segment)"))
        return textNames();
    if (type == QLatin1String("Web Link"))
        return webLinkNames();
    if (type == QLatin1String("Image"))
        return imageNames();
    if (type == QLatin1String("Call Table"))
        return QStringList{"inputXML"} + calledTableParameters();
    return {};
}

QStringList calledTableParameters()
{
    const StructureTree::Node *column = currentColumn();
    if (!column)
        return {};
    const QString file =
        parameterFileOf(getKey(QStringLiteral("Table-") + column->text + QStringLiteral("@table")));
    if (file.isEmpty())
        return {};
    QStringList names;
    for (const InputParameter &parameter :
         parseInputParameters(readSideFile(resolvedPath(file, getTableDir(workspace().curTable)))))
        names.append(parameter.name);
    return names;
}

void initWin(NewAttDialog &dialog)
{
    dialog.usexsl = false;
    const StructureTree::Node *column = currentColumn();
    dialog.aname = attributeNamesFor(column ? getKey(QStringLiteral("Type-") + column->text) : QString());
    dialog.selected = -1;
}

bool bok_Click(NewAttDialog &dialog)
{
    QString answer;
    if (dialog.selected >= 0 && dialog.selected < dialog.aname.size())
        answer = dialog.aname[dialog.selected];
    else if (!dialog.attname.isEmpty())
        answer = dialog.attname;
    else {
        ui().message(QStringLiteral("Please select from the list and then click this button."));
        return false;
    }
    if (!isAcceptableAttributeName(answer))
        return false;
    dialog.result = answer;
    return true;
}

void bcloseit_Click(NewAttDialog &dialog) { dialog.result.clear(); }

void attname_Change(NewAttDialog &dialog, const QString &text)
{
    dialog.attname = text;
    dialog.selected = -1;
}

bool isAcceptableAttributeName(const QString &name)
{
    if (name.contains(QChar('+'))) {
        ui().message(QStringLiteral(
            "Attribute name can't have + sign in it. Please correct and try again."));
        return false;
    }
    // An XML name without a prefix, and not the namespace declaration's "xmlns"; no "-"
    // either, which joins a column and its attribute in a node key.
    if (xmlValidateNCName(reinterpret_cast<const xmlChar *>(name.toUtf8().constData()), 0) != 0 ||
        name == QLatin1String("xmlns") || name.contains(QChar('-'))) {
        ui().message(QStringLiteral("Attribute name must be a valid XML name: letters, digits, "
                                    "'_' or '.', not starting with a digit. Please correct and "
                                    "try again."));
        return false;
    }
    return true;
}
