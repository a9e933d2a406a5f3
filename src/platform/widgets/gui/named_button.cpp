#include "platform/widgets/gui/named_button.h"

#include <QPushButton>

QPushButton *namedButton(const char *name, const QString &caption, const char *tip,
                         QWidget *parent)
{
    auto *push = new QPushButton(caption, parent);
    push->setObjectName(QString::fromLatin1(name));
    if (tip)
        push->setToolTip(QString::fromLatin1(tip));
    return push;
}
