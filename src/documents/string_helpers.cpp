#include "documents/string_helpers.h"

#include "documents/add_string.h"

namespace {

bool isWhite(QChar c)
{
    const char16_t u = c.unicode();
    return u == 9 || u == 32 || u == 10 || u == 13;
}

} // namespace

void trimWhite(QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isWhite(text[start]))
        ++start;
    while (end > start && isWhite(text[end - 1]))
        --end;
    if (start != 0 || end != text.size())
        text = text.mid(start, end - start);
}

QString trimWhiteVar(const QString &text)
{
    QString copy = text;
    trimWhite(copy);
    return copy;
}

void stripBreaks(QString &text)
{
    text.remove(QStringLiteral("\r\n"));
    text.remove(QChar('\r'));
    text.remove(QChar('\n'));
    text.remove(QChar('\t'));
}

QString stripBreaksCopy(QString &text)
{
    stripBreaks(text);
    return text;
}

QString escapedControls(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QChar('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QChar('\t'))
            out += QStringLiteral("\\t");
        else if (c == QChar('\r'))
            out += QStringLiteral("\\r");
        else if (c == QChar('\n'))
            out += QStringLiteral("\\n");
        else if (c.category() == QChar::Other_Control)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar('0'));
        else
            out += c;
    }
    return out;
}

void replaceAll(QString &text, const QString &find, const QString &replacement)
{
    if (find.isEmpty())
        return;
    qsizetype p = text.indexOf(find);
    if (p < 0)
        return;
    AddString out;
    qsizetype pos = 0;
    while (p >= 0) {
        out.Add(text.mid(pos, p - pos));
        out.Add(replacement);
        pos = p + find.size();
        p = text.indexOf(find, pos);
    }
    out.Add(text.mid(pos));
    text = out.GetStr();
}

void replaceFirst(QString &text, const QString &find, const QString &replacement)
{
    if (find.isEmpty())
        return;
    const qsizetype p = text.indexOf(find);
    if (p >= 0)
        text.replace(p, find.size(), replacement);
}

void xmlEscape(QString &text)
{
    replaceAll(text, QStringLiteral("&"), QStringLiteral("&amp;"));
    replaceAll(text, QStringLiteral("<"), QStringLiteral("&lt;"));
    replaceAll(text, QStringLiteral(">"), QStringLiteral("&gt;"));
}

QString xmlEscaped(const QString &text)
{
    QString copy = text;
    xmlEscape(copy);
    return copy;
}

QString stripIndent(const QString &text)
{
    QString rest = text;
    while (rest.contains(QStringLiteral("....")))
        rest.remove(0, 4);
    return rest;
}

int indentLevel(const QString &text)
{
    int level = 0;
    while (text.mid(level * 4, 4) == QStringLiteral("...."))
        ++level;
    return level;
}

QString takeTokenFound(QString &text, const QString &delimiter, bool &notFound,
                       Qt::CaseSensitivity mode)
{
    const qsizetype p = delimiter.isEmpty() ? -1 : text.indexOf(delimiter, 0, mode);
    notFound = p < 0;
    if (notFound)
        return {};
    QString token = text.left(p);
    text.remove(0, p + delimiter.size());
    return token;
}

QString takeToken(QString &text, const QString &delimiter, Qt::CaseSensitivity mode)
{
    bool notFound = false;
    return takeTokenFound(text, delimiter, notFound, mode);
}

QStringList splitString(const QString &text, const QString &delimiter, int limit,
                        Qt::CaseSensitivity mode)
{
    if (delimiter.isEmpty())
        return {text};
    QString rest = text;
    QStringList parts;
    QString token = takeToken(rest, delimiter, mode);
    for (;;) {
        parts.append(token);
        if (limit != -1 && parts.size() >= limit)
            break;
        // An empty next token ends the cutting and stays part of the rest.
        if (!rest.contains(delimiter) || rest.startsWith(delimiter))
            break;
        token = takeToken(rest, delimiter);
    }
    parts.append(rest);
    return parts;
}

QStringList splitAll(const QString &text, const QString &delimiter, int limit,
                     Qt::CaseSensitivity mode)
{
    if (delimiter.isEmpty())
        return {text};
    QString rest = text + delimiter;
    QStringList parts;
    bool notFound = false;
    QString token = takeTokenFound(rest, delimiter, notFound, mode);
    for (;;) {
        parts.append(token);
        if (limit != -1 && parts.size() >= limit)
            break;
        token = takeTokenFound(rest, delimiter, notFound);
        if (notFound)
            break;
    }
    parts.append(rest);
    return parts;
}
