#include "mainwindow/menu_style.h"

#include "documents/settings_files.h"
#include "documents/text_values.h"

namespace {
const QString menuStyleKey = QStringLiteral("set-visual-menuStyle");
}

std::optional<bool> readMenuStyle()
{
    const QString text = readSetting(menuStyleKey).trimmed();
    if (const std::optional<bool> flag = parseFlag(text))
        return flag;
    bool isNumber = false; // a number converts as any number does to a flag: not 0 is true
    const double number = text.toDouble(&isNumber);
    if (isNumber)
        return number != 0;
    return std::nullopt;
}

void saveMenuStyle(bool style)
{
    writeSetting(menuStyleKey, flagText(style), false);
}
