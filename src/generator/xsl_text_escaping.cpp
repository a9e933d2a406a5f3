#include "generator/xsl_text_escaping.h"

#include "documents/string_helpers.h"

#include <QRegularExpression>

namespace {

bool startsReference(const QString &text, qsizetype at)
{
    static const QRegularExpression reference(
        QStringLiteral("&(#[0-9]+|#x[0-9A-Fa-f]+|[A-Za-z_][A-Za-z0-9._-]*);"));
    return reference.match(text, at, QRegularExpression::NormalMatch,
                               QRegularExpression::AnchorAtOffsetMatchOption)
        .hasMatch();
}

} // namespace

QString attributeText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QChar('\''))
            out += QStringLiteral("&apos;");
        else if (c == QChar('<'))
            out += QStringLiteral("&lt;");
        else if (c == QChar('&') && !startsReference(text, i))
            out += QStringLiteral("&amp;");
        else
            out += c;
    }
    return out;
}

QString literalAttributeText(const QString &text)
{
    QString out = attributeText(text);
    replaceAll(out, QStringLiteral("{"), QStringLiteral("{{"));
    replaceAll(out, QStringLiteral("}"), QStringLiteral("}}"));
    return out;
}

QString cdataText(const QString &text)
{
    QString out = text;
    replaceAll(out, QStringLiteral("]]>"), QStringLiteral("]]]]><![CDATA[>"));
    return out;
}

QString commentText(const QString &text)
{
    QString out = text;
    while (out.contains(QStringLiteral("--")))
        replaceAll(out, QStringLiteral("--"), QStringLiteral("- -"));
    if (out.endsWith(QChar('-')))
        out += QChar(' ');
    return out;
}
