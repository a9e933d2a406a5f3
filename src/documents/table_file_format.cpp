#include "documents/table_file_format.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

const QStringList &sideFileExtensions()
{
    static const QStringList extensions{".xmf", ".xsl", ".txp", ".txi", ".xmp", ".tic"};
    return extensions;
}

QString cleanField(const QString &field)
{
    const auto isSeparator = [](QChar c) { return c >= fieldSeparator && c <= sideFileMark; };
    if (std::none_of(field.cbegin(), field.cend(), isSeparator))
        return field;
    QString clean = field;
    clean.removeIf(isSeparator);
    return clean;
}

QString cleanSidePiece(const QString &piece)
{
    if (!piece.contains(sideFileMark))
        return piece;
    QString clean = piece;
    clean.remove(sideFileMark);
    return clean;
}

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

QStringList embeddedSidePieces(const QString &tableText)
{
    QStringList pieces;
    qsizetype start = tableText.indexOf(sideFileMark);
    if (start < 0)
        return pieces;
    ++start;
    while (pieces.size() < sideFileExtensions().size()) {
        const qsizetype end = tableText.indexOf(sideFileMark, start);
        if (end < 0)
            break;
        pieces.append(tableText.mid(start, end - start));
        start = end + 1;
    }
    return pieces;
}
