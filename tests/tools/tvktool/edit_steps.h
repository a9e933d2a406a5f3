#pragma once

#include "edit_ui.h"

#include <QString>

// One step of tvktool edit: its name, whether it takes an argument, and what it does
// through the functions the windows call.
struct EditStep {
    const char *name;
    bool takesArgument;
    void (*run)(EditUi &ui, const QString &argument);
};

// The step of that name, null for none.
const EditStep *findEditStep(const QString &name);
