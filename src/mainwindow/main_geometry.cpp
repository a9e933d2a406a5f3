#include "mainwindow/main_geometry.h"

#include "documents/settings_files.h"
#include "documents/text_values.h"

#include <QString>

namespace {

const QString leftKey = QStringLiteral("set-mainleft");
const QString topKey = QStringLiteral("set-maintop");
const QString widthKey = QStringLiteral("set-mainwidth");
const QString heightKey = QStringLiteral("set-mainheight");

std::optional<int> readWhole(const QString &key) { return parseWholeNumber(readSetting(key)); }

void writeSingle(const QString &key, double value) { writeSetting(key, formatSingle(value)); }

} // namespace

std::optional<MainGeometry> readMainGeometry()
{
    if (!settingExists(leftKey))
        return std::nullopt;
    return MainGeometry{readWhole(leftKey), readWhole(topKey), readWhole(widthKey),
                        readWhole(heightKey)};
}

void writeMainGeometry(double left, double top, double width, double height)
{
    writeSingle(leftKey, left);
    writeSingle(topKey, top);
    writeSingle(widthKey, width);
    writeSingle(heightKey, height);
}
