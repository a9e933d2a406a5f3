#pragma once

#include <QString>

// Asks for the table a "Call Table" column calls. The answer is the chosen table file
// relative to the current table's folder, "/" separated ("t2.tvk", "sub/t2.tvk",
// "../c/t2.tvk"), with the called table's side files restored beside it when any is
// missing; "" when the dialog is cancelled, the file has no name before its extension, or
// another table of the current table's name is chosen (said in a message).
QString selectTableToCall();
