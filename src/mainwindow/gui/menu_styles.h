#pragma once

#include <QString>

// The two looks of the menu bar and its menus: the flat, light "Office 2003" style and the
// plain classic one.
QString menuStyleSheet(bool office2003);
