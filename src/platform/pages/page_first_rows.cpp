#include "platform/pages/page_first_rows.h"

#include <QByteArrayView>
#include <QList>
#include <QtGlobal>

#include <algorithm>
#include <utility>

namespace {

constexpr qsizetype lookedPast = 4 << 20;

// As the engine reads a page, in any locale (the page is lower-cased).
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }
bool isLetter(char c) { return c >= 'a' && c <= 'z'; }
// A tag's name goes on to a space, "/" or ">".
bool endsName(char c) { return isSpace(c) || c == '/' || c == '>'; }

// Elements whose content the engine reads as text up to their end tag.
bool holdsText(QByteArrayView name)
{
    static const char *const names[] = {"script", "style",   "textarea", "title",   "xmp",
                                        "iframe", "noembed", "noframes", "noscript"};
    for (const char *textual : names)
        if (name == QByteArrayView(textual))
            return true;
    return false;
}

bool isForeign(QByteArrayView name) { return name == "svg" || name == "math"; }

// Scans a lower-cased page tag by tag.
class TagScan {
public:
    TagScan(const QByteArray &lower, qsizetype from) : text(lower), from(from) {}

    qsizetype rowsEnd()
    {
        while ((at = text.indexOf('<', at)) >= 0) {
            if (!step())
                return -1;
            if (found >= 0)
                return found;
        }
        return -1;
    }

private:
    bool step()
    {
        const QByteArrayView rest = QByteArrayView(text).sliced(at);
        if (rest.startsWith("<!--"))
            return commentEnd();
        if (!foreign.isEmpty() && rest.startsWith("<![cdata["))
            return cdataEnd();
        if (rest.startsWith("<!") || rest.startsWith("<?"))
            return skipPast(">");
        if (rest.startsWith("</")) // "</" and no letter: a comment up to ">"
            return rest.size() > 2 && isLetter(rest[2]) ? endTag() : skipPast(">");
        if (rest.size() > 1 && isLetter(rest[1]))
            return startTag();
        ++at; // a "<" of the text
        return true;
    }

    bool skipPast(QByteArrayView end)
    {
        const qsizetype endAt = text.indexOf(end, at);
        at = endAt < 0 ? -1 : endAt + end.size();
        return endAt >= 0;
    }

    // In SVG or MathML a CDATA section ends at "]]>", where the engine reads HTML at its first
    // ">": they agree where no "<" comes in between.
    bool cdataEnd()
    {
        const qsizetype end = text.indexOf("]]>", at);
        if (end < 0 || QByteArrayView(text).sliced(at + 1, end - at - 1).contains('<'))
            return false;
        at = end + 3;
        return true;
    }

    // A comment ends at "-->" or "--!>", and "<!-->" and "<!--->" at once.
    bool commentEnd()
    {
        const qsizetype end = text.indexOf("-->", at + 2);
        const qsizetype before = end < 0 ? text.size() : end;
        const qsizetype bang =
            QByteArrayView(text).first(std::max(before, at + 4)).indexOf("--!>", at + 4);
        at = bang >= 0 ? bang + 4 : end < 0 ? -1 : end + 3;
        return at >= 0;
    }

    QByteArrayView nameAt(qsizetype start) const
    {
        qsizetype end = start;
        while (end < text.size() && !endsName(text[end]))
            ++end;
        return QByteArrayView(text).sliced(start, end - start);
    }

    // Whether a tag of that name, lead by "<" or "</", starts there.
    bool tagAt(qsizetype where, QByteArrayView lead, QByteArrayView name) const
    {
        const QByteArrayView rest = QByteArrayView(text).sliced(where);
        const qsizetype after = lead.size() + name.size();
        return rest.startsWith(lead) && rest.sliced(lead.size()).startsWith(name) &&
               (rest.size() == after || endsName(rest[after]));
    }

    // Where the element's text ends: at its end tag (a "</scripts" goes on with the text). In
    // a script, a "<script" tag between "<!--" and "-->" makes the next "</script" text too.
    qsizetype textEnd(QByteArrayView name) const
    {
        const bool script = name == "script";
        bool escaped = false;
        bool doublyEscaped = false;
        for (qsizetype end = at; end < text.size(); ++end) {
            const char c = text[end];
            if (c == '-' && escaped && QByteArrayView(text).sliced(end).startsWith("-->"))
                escaped = doublyEscaped = false;
            else if (c != '<')
                continue;
            else if (tagAt(end, "</", name) && !std::exchange(doublyEscaped, false))
                return end;
            else if (script && !escaped && QByteArrayView(text).sliced(end).startsWith("<!--"))
                escaped = true;
            else if (escaped && tagAt(end, "<", name))
                doublyEscaped = true;
        }
        return -1;
    }

    // Past the ">" that ends the tag there, read as the engine reads its attributes (a ">"
    // or "/" inside a value is the value's); -1 when there is none. Says whether the tag
    // ends in "/>".
    qsizetype tagEnd(qsizetype start, bool *selfClosing) const
    {
        enum { BeforeName, Name, AfterName, BeforeValue, Unquoted } state = BeforeName;
        char quote = 0;
        bool slash = false;
        for (qsizetype end = start; end < text.size(); ++end) {
            const char c = text[end];
            if (quote) {
                if (c == quote) {
                    quote = 0;
                    state = BeforeName;
                }
                continue;
            }
            if (c == '>') {
                *selfClosing = slash;
                return end + 1;
            }
            slash = c == '/' && state != Unquoted && state != BeforeValue;
            if (isSpace(c))
                state = state == Name ? AfterName : state == Unquoted ? BeforeName : state;
            else if (state == BeforeValue && (c == '"' || c == '\''))
                quote = c;
            else if (state == BeforeValue)
                state = Unquoted;
            else if (c == '=' && (state == Name || state == AfterName))
                state = BeforeValue;
            else if (slash)
                state = BeforeName;
            else if (state != Unquoted && state != Name)
                state = Name;
        }
        return -1;
    }

    bool endTag()
    {
        const QByteArrayView name = nameAt(at + 2);
        bool selfClosing = false;
        const qsizetype end = tagEnd(at + 2 + name.size(), &selfClosing);
        if (end < 0)
            return false;
        if (isForeign(name)) {
            const qsizetype open = foreign.lastIndexOf(name);
            if (open >= 0)
                foreign.resize(open); // the nearest of that name ends, with all it holds
        } else if (name == "select" && foreign.isEmpty())
            inSelect = false;
        else if (name == "template" && foreign.isEmpty() && templateDepth > 0)
            --templateDepth;
        else if (name == "tr" && foreign.isEmpty() && templateDepth == 0 && end >= from)
            found = end;
        at = end;
        return true;
    }

    bool startTag()
    {
        const QByteArrayView name = nameAt(at + 1);
        bool selfClosing = false;
        const qsizetype end = tagEnd(at + 1 + name.size(), &selfClosing);
        if (end < 0)
            return false;
        at = end;
        const bool special = holdsText(name) || name == "template" || name == "plaintext";
        if (foreign.isEmpty() && (name == "select" || name == "input" || name == "keygen" ||
                                  name == "textarea")) // each ends a select, one opens
            inSelect = name == "select" && !inSelect;
        if (inSelect && special && name != "script" && name != "template")
            return false; // dropped in a select, the engine reading what it holds as markup
        if (isForeign(name) && !selfClosing)
            foreign.append(name);
        else if (special && !foreign.isEmpty()) {
            // An SVG or MathML element of that name, or one of HTML where the engine reads
            // HTML inside them: the two agree where its end tag comes before any other "<".
            const qsizetype next = text.indexOf('<', at);
            return name != "plaintext" && next >= 0 && tagAt(next, "</", name);
        } else if (name == "template")
            ++templateDepth; // inert: nothing in it runs
        else if (name == "plaintext")
            return false;
        else if (special) {
            at = textEnd(name);
            return at >= 0;
        }
        return true;
    }

    const QByteArray &text;
    const qsizetype from;
    qsizetype at = 0;
    qsizetype found = -1;
    QList<QByteArrayView> foreign; // the SVG and MathML elements open, innermost last
    int templateDepth = 0;
    bool inSelect = false;
};

} // namespace

qsizetype firstRowsEnd(const QByteArray &page, qsizetype from)
{
    if (from >= page.size())
        return -1;
    const QByteArray lower = page.left(from + lookedPast).toLower();
    const qsizetype end = TagScan(lower, from).rowsEnd();
    // In a stateful encoding (ISO-2022-JP) the bytes after an escape are other characters.
    return end >= 0 && !QByteArrayView(lower).first(end).contains('\x1b') ? end : -1;
}
