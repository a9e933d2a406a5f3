#include "generator/xsl_text_escaping.h"

#include "documents/string_helpers.h"

#include <QRegularExpression>

qsizetype referenceLength(const QString &text, qsizetype at)
{
    static const QRegularExpression reference(
        QStringLiteral("&(#[0-9]+|#x[0-9A-Fa-f]+|[A-Za-z_][A-Za-z0-9._-]*);"));
    return reference
        .match(text, at, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption)
        .capturedLength();
}

namespace {

bool startsReference(const QString &text, qsizetype at) { return referenceLength(text, at) > 0; }

// A '<' followed by a name, an end tag, a comment, a CDATA section or a processing instruction.
bool startsMarkup(const QString &text, qsizetype at)
{
    if (at + 1 >= text.size())
        return false;
    const QChar next = text[at + 1];
    return next.isLetter() || next == QChar('_') || next == QChar('/') || next == QChar('!')
           || next == QChar('?');
}

// What stands for the character at a place in the text; "" keeps it.
using Replacement = QString (*)(const QString &text, qsizetype at);

QString bareAmpersand(const QString &text, qsizetype at)
{
    return startsReference(text, at) ? QString() : QStringLiteral("&amp;");
}

QString inAttribute(const QString &text, qsizetype at)
{
    switch (text[at].unicode()) {
    case '\'':
        return QStringLiteral("&apos;");
    case '<':
        return QStringLiteral("&lt;");
    case '&':
        return bareAmpersand(text, at);
    default:
        return {};
    }
}

QString inMarkup(const QString &text, qsizetype at)
{
    switch (text[at].unicode()) {
    case '<':
        return startsMarkup(text, at) ? QString() : QStringLiteral("&lt;");
    case '&':
        return bareAmpersand(text, at);
    default:
        return {};
    }
}

QString escapedText(const QString &text, Replacement replacement)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QString replaced = replacement(text, i);
        if (replaced.isEmpty())
            out += text[i];
        else
            out += replaced;
    }
    return out;
}

} // namespace

QString attributeText(const QString &text) { return escapedText(text, inAttribute); }

QString markupText(const QString &text) { return escapedText(text, inMarkup); }

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
