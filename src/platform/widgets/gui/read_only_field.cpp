#include "platform/widgets/gui/read_only_field.h"

#include <QLineEdit>
#include <QPalette>

void showAsReadOnly(QLineEdit *field)
{
    field->setReadOnly(true);
    QPalette palette = field->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setBrush(group, QPalette::Base, palette.brush(group, QPalette::Window));
    field->setPalette(palette);
}
