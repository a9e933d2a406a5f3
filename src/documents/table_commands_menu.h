#pragma once

#include <QString>

// The File menu's table commands (and their toolbar buttons), on the current slot.

void newProject_Click();
void openProject_Click();
void docloseit_Click();
void dosave_Click();
void saveall_Click();
void saveas_Click();
void delProject_Click();
// An entry of the Recent tables menu, by its caption.
void rTableList_Click(const QString &caption);
