#pragma once

#include "platform/widgets/gui/named_button.h"

#include <QPushButton>

// A dialog's push button with its object name; Enter does not press it.
inline QPushButton *dialogButton(QWidget *parent, const char *name, const QString &caption)
{
    QPushButton *button = namedButton(name, caption, nullptr, parent);
    button->setAutoDefault(false);
    return button;
}
