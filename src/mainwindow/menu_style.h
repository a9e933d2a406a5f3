#pragma once

#include <optional>

// The menu style flag in the settings file "set-visual-menuStyle" ("True" or "False").

// The saved flag; nullopt when the file is missing, empty or holds no Boolean.
std::optional<bool> readMenuStyle();
// Writes the flag; a failed write shows writeFile's message.
void saveMenuStyle(bool style);
