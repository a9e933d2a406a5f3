#include "generator/generator_marking.h"

#include "generator/xsl_text_escaping.h"
#include "platform/xslt/generator_marks.h"

#include <QRandomGenerator>

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

bool asciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool nameStart(QChar c)
{
    const char16_t u = c.unicode();
    return asciiLetter(u) || u == u'_' || u == u':' || (u > 0x7f && c.isLetter());
}

bool nameCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return asciiLetter(u) || (u >= u'0' && u <= u'9') || u == u'_' || u == u':' || u == u'.' || u == u'-' ||
           u > 0x7f;
}

// Calls found(nameEnd) for each start tag of the text, in order, with where its name ends.
template <typename Found>
void scanStartTags(QStringView text, Found found)
{
    for (qsizetype at = text.indexOf(u'<'); at >= 0; at = text.indexOf(u'<', at)) {
        if (const qsizetype end = opaqueMarkupAt(text, at).end; end >= 0) {
            at = end;
            continue;
        }
        qsizetype nameEnd = at + 1;
        if (nameEnd < text.size() && nameStart(text[nameEnd]))
            while (nameEnd < text.size() && nameCharacter(text[nameEnd]))
                ++nameEnd;
        if (nameEnd > at + 1)
            found(at, nameEnd);
        at = nameEnd;
    }
}

} // namespace

QString userCode(const QString &code)
{
    return code.contains(u'<') ? userStart() + code + userEnd() : code;
}

BuiltStylesheet withoutUserBounds(const QString &built)
{
    BuiltStylesheet out;
    // Where the user's parts begin and end in the text as written, in turn.
    std::vector<qsizetype> changes;
    const auto nextOf = [&built](const QString &bound, qsizetype from) {
        const qsizetype found = built.indexOf(bound, from);
        return found < 0 ? built.size() : found;
    };
    qsizetype start = nextOf(userStart(), 0);
    qsizetype end = nextOf(userEnd(), 0);
    out.written.reserve(built.size());
    int depth = 0;
    for (qsizetype at = 0;;) {
        const qsizetype next = std::min(start, end);
        out.written += QStringView(built).mid(at, next - at);
        if (next == built.size())
            break;
        if (next == start) {
            if (depth++ == 0)
                changes.push_back(out.written.size());
            at = next + userStart().size();
            start = nextOf(userStart(), at);
        } else {
            if (depth > 0 && --depth == 0)
                changes.push_back(out.written.size());
            at = next + userEnd().size();
            end = nextOf(userEnd(), at);
        }
    }
    std::size_t passed = 0;
    scanStartTags(out.written, [&](qsizetype at, qsizetype) {
        while (passed < changes.size() && changes[passed] <= at)
            ++passed;
        out.byGenerator.push_back(passed % 2 == 0);
    });
    return out;
}

QString markGeneratorElements(const QString &text, const BuiltStylesheet &built)
{
    const QString &mark = generatorMark();
    QString marked;
    marked.reserve(text.size() + qsizetype(built.byGenerator.size()) * mark.size());
    qsizetype copied = 0;
    std::size_t tag = 0;
    bool same = true;
    scanStartTags(text, [&](qsizetype, qsizetype nameEnd) {
        same = same && tag < built.byGenerator.size();
        if (!same || !built.byGenerator[tag++])
            return;
        marked += QStringView(text).mid(copied, nameEnd - copied);
        marked += mark;
        copied = nameEnd;
    });
    if (!same || tag != built.byGenerator.size())
        return {};
    marked += QStringView(text).mid(copied);
    return marked;
}
