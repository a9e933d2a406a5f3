#include "mainwindow/menu_style.h"

#include "documents/settings_files.h"

namespace {
const QString menuStyleKey = QStringLiteral("set-visual-menuStyle");
}

std::optional<bool> readMenuStyle()
{
    const QString text = readSetting(menuStyleKey).trimmed();
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool isNumber = false;
    const double number = text.toDouble(&isNumber);
    if (isNumber)
        return number != 0;
    return std::nullopt;
}

void saveMenuStyle(bool style)
{
    writeSetting(menuStyleKey, style ? QStringLiteral("True") : QStringLiteral("False"), false);
}
