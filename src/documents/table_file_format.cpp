#include "documents/table_file_format.h"

#include <algorithm>

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
