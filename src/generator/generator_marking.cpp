#include "generator/generator_marking.h"

#include "platform/generator_marks.h"

#include <QRandomGenerator>

#include <vector>

namespace {

// Bounds of the user's parts while the text is built; their number is drawn when the
// program starts, so no user text holds them.
const QString &boundNumber()
{
    static const QString number = QString::number(QRandomGenerator::system()->generate64(), 16);
    return number;
}

const QString &userStart()
{
    static const QString start = QChar(0xFDD0) + boundNumber() + QChar(0xFDD1);
    return start;
}

const QString &userEnd()
{
    static const QString end = QChar(0xFDD1) + boundNumber() + QChar(0xFDD0);
    return end;
}

// The text without the bounds, and for each of its characters whether the user wrote it.
struct Unbounded {
    QString text;
    std::vector<bool> fromUser;
};

Unbounded withoutBounds(const QString &built)
{
    Unbounded out;
    out.text.reserve(built.size());
    out.fromUser.reserve(size_t(built.size()));
    const auto nextOf = [&built](const QString &bound, qsizetype from) {
        const qsizetype found = built.indexOf(bound, from);
        return found < 0 ? built.size() : found;
    };
    qsizetype start = nextOf(userStart(), 0);
    qsizetype end = nextOf(userEnd(), 0);
    int depth = 0;
    for (qsizetype at = 0;;) {
        const qsizetype next = std::min(start, end);
        out.text += QStringView(built).mid(at, next - at);
        out.fromUser.insert(out.fromUser.end(), size_t(next - at), depth > 0);
        if (next == built.size())
            return out;
        if (next == start) {
            ++depth;
            at = next + userStart().size();
            start = nextOf(userStart(), at);
        } else {
            depth = std::max(0, depth - 1);
            at = next + userEnd().size();
            end = nextOf(userEnd(), at);
        }
    }
}

bool nameStart(QChar c) { return c.isLetter() || c == u'_' || c == u':'; }

bool nameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u':' || c == u'.' || c == u'-' || c.unicode() > 0x7f;
}

// Where the markup that opens at the character ends, when it holds no element: a comment,
// a CDATA section or a processing instruction; -1 for anything else.
qsizetype endOfOpaqueMarkup(const QString &text, qsizetype at)
{
    for (const auto &[open, close] : {std::pair{u"<!--", u"-->"}, std::pair{u"<![CDATA[", u"]]>"},
                                      std::pair{u"<?", u"?>"}}) {
        const QStringView opening(open), closing(close);
        if (QStringView(text).mid(at).startsWith(opening)) {
            const qsizetype found = text.indexOf(closing, at + opening.size());
            return found < 0 ? text.size() : found + closing.size();
        }
    }
    return -1;
}

QString markedStartTags(const Unbounded &text)
{
    const QString &s = text.text;
    QString marked;
    marked.reserve(s.size() + s.size() / 8);
    qsizetype at = 0;
    while (at < s.size()) {
        const qsizetype open = s.indexOf(u'<', at);
        if (open < 0 || open + 1 == s.size()) {
            marked += QStringView(s).mid(at);
            break;
        }
        marked += QStringView(s).mid(at, open - at);
        if (const qsizetype end = endOfOpaqueMarkup(s, open); end >= 0) {
            marked += QStringView(s).mid(open, end - open);
            at = end;
            continue;
        }
        qsizetype nameEnd = open + 1;
        if (nameStart(s[nameEnd]))
            while (nameEnd < s.size() && nameCharacter(s[nameEnd]))
                ++nameEnd;
        marked += QStringView(s).mid(open, nameEnd - open);
        if (nameEnd > open + 1 && !text.fromUser[size_t(open)])
            marked += generatorMark();
        at = nameEnd;
    }
    return marked;
}

} // namespace

QString userCode(const QString &code)
{
    return code.contains(u'<') ? userStart() + code + userEnd() : code;
}

MarkedStylesheet markGeneratorElements(const QString &built)
{
    Unbounded unbounded = withoutBounds(built);
    MarkedStylesheet out;
    out.marked = markedStartTags(unbounded);
    out.written = std::move(unbounded.text);
    return out;
}
