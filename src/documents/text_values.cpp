#include "documents/text_values.h"

#include <QLocale>
#include <cmath>
#include <limits>

QString formatSingle(double value)
{
    const float single = float(value);
    if (std::isfinite(single) && std::trunc(single) == single &&
        std::fabs(single) < 1e15f)
        return QString::number(qint64(single));
    return QLocale::c().toString(single, 'g', 7);
}

std::optional<int> parseWholeNumber(const QString &text)
{
    QString decimal = text;
    decimal.replace(QChar(','), QChar('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(decimal.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::round(value);
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(rounded);
}

std::optional<bool> parseFlag(const QString &text)
{
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

QString flagText(bool flag) { return flag ? QStringLiteral("True") : QStringLiteral("False"); }
