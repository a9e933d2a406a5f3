#include "generator/xsl_text_escaping.h"

#include "documents/string_helpers.h"

#include <QRegularExpression>

#include <functional>

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

bool startsName(QChar c) { return c.isLetter() || c == QChar('_') || c == QChar(':'); }

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

// In the value of an attribute of the user's markup, quoted as the user quoted it.
QString inMarkupAttribute(const QString &text, qsizetype at)
{
    return text[at] == QChar('\'') ? QString() : inAttribute(text, at);
}

// In the text between the user's markup: a '<' there opens nothing, and "]]>" may not stand
// in element content.
QString inMarkupText(const QString &text, qsizetype at)
{
    if (text[at] == QChar('>') && at >= 2 && text[at - 1] == QChar(']') && text[at - 2] == QChar(']'))
        return QStringLiteral("&gt;");
    return inMarkupAttribute(text, at);
}

void appendEscaped(QString &out, const QString &text, qsizetype from, qsizetype to,
                   Replacement replacement)
{
    for (qsizetype i = from; i < to; ++i) {
        const QString replaced = replacement(text, i);
        if (replaced.isEmpty())
            out += text[i];
        else
            out += replaced;
    }
}

QString escapedText(const QString &text, Replacement replacement)
{
    QString out;
    out.reserve(text.size());
    appendEscaped(out, text, 0, text.size(), replacement);
    return out;
}

// Where a character of the user's markup stands.
enum class Place { Text, Opaque, Tag, InApostrophes, InQuotationMarks };

// A start or end tag opens at the place.
bool startsTag(const QString &text, qsizetype at)
{
    if (at + 1 >= text.size())
        return false;
    const QChar next = text[at + 1];
    return startsName(next) || (next == QChar('/') && at + 2 < text.size() && startsName(text[at + 2]));
}

using Visit = std::function<void(qsizetype from, qsizetype to, Place place)>;

// The tag that opens at the place, run by run; returns where it ends (past its '>', or the
// end of the text).
qsizetype walkTag(const QString &text, qsizetype at, const Visit &visit)
{
    qsizetype from = at;
    while (at < text.size()) {
        const QChar c = text[at];
        if (c == QChar('>'))
            break;
        if (c != QChar('\'') && c != QChar('"')) {
            ++at;
            continue;
        }
        visit(from, at + 1, Place::Tag);
        const qsizetype close = text.indexOf(c, at + 1);
        from = close < 0 ? text.size() : close;
        visit(at + 1, from, c == QChar('"') ? Place::InQuotationMarks : Place::InApostrophes);
        at = from + 1;
    }
    const qsizetype end = std::min(at + 1, text.size());
    visit(std::min(from, end), end, Place::Tag);
    return end;
}

// The markup run by run, each in one place, in order.
void walkMarkup(const QString &text, const Visit &visit)
{
    qsizetype textStart = 0;
    qsizetype at = 0;
    const auto endText = [&] {
        if (at > textStart)
            visit(textStart, at, Place::Text);
    };
    while (at < text.size()) {
        at = text.indexOf(QChar('<'), at);
        if (at < 0) {
            at = text.size();
            break;
        }
        if (const OpaqueMarkup opaque = opaqueMarkupAt(text, at); opaque.closed) {
            endText();
            visit(at, opaque.end, Place::Opaque);
            at = textStart = opaque.end;
        } else if (startsTag(text, at)) {
            endText();
            at = textStart = walkTag(text, at, visit);
        } else {
            ++at; // a '<' that opens nothing is text
        }
    }
    endText();
}

} // namespace

OpaqueMarkup opaqueMarkupAt(QStringView text, qsizetype at)
{
    if (at + 1 >= text.size() || (text[at + 1] != u'!' && text[at + 1] != u'?'))
        return {};
    for (const auto &[open, close] : {std::pair{u"<!--", u"-->"}, std::pair{u"<![CDATA[", u"]]>"},
                                      std::pair{u"<?", u"?>"}}) {
        const QStringView opening(open), closing(close);
        if (text.mid(at).startsWith(opening)) {
            const qsizetype found = text.indexOf(closing, at + opening.size());
            return found < 0 ? OpaqueMarkup{text.size(), false} : OpaqueMarkup{found + closing.size(), true};
        }
    }
    return {};
}

QString attributeText(const QString &text) { return escapedText(text, inAttribute); }

QString markupText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    walkMarkup(text, [&](qsizetype from, qsizetype to, Place place) {
        switch (place) {
        case Place::Text:
            appendEscaped(out, text, from, to, inMarkupText);
            break;
        case Place::InApostrophes:
        case Place::InQuotationMarks:
            appendEscaped(out, text, from, to, inMarkupAttribute);
            break;
        case Place::Tag:
        case Place::Opaque:
            out += QStringView(text).mid(from, to - from);
            break;
        }
    });
    return out;
}

QString withXpathString(const QString &markup, const QString &reference, const QString &value)
{
    QString out;
    out.reserve(markup.size());
    walkMarkup(markup, [&](qsizetype from, qsizetype to, Place place) {
        const QChar quote = place == Place::InQuotationMarks ? QChar('\'') : QChar('"');
        QString run = markup.mid(from, to - from);
        replaceAll(run, reference, quote + value + quote);
        out += run;
    });
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
