#include "platform/pages/page_first_rows.h"

#include <QByteArrayView>
#include <QtGlobal>

#include <cctype>

namespace {

constexpr qsizetype lookedPast = 4 << 20;

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// Elements whose content the engine reads as text up to their end tag; a template's content
// is inert, so nothing in it is run either.
bool holdsText(QByteArrayView name)
{
    static const char *const names[] = {"script", "style",    "textarea", "title",
                                        "xmp",    "iframe",   "noembed",  "noframes",
                                        "noscript", "template"};
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
        if (rest.startsWith("<!--")) {
            if (rest.sliced(4).startsWith(">") || rest.sliced(4).startsWith("->")) {
                at = text.indexOf('>', at + 4) + 1; // "<!-->" and "<!--->" end at once
                return true;
            }
            const qsizetype end = text.indexOf("-->", at + 4);
            at = end < 0 ? -1 : end + 3;
            return end >= 0;
        }
        if (rest.startsWith("<!") || rest.startsWith("<?")) {
            const qsizetype end = text.indexOf('>', at);
            at = end < 0 ? -1 : end + 1;
            return end >= 0;
        }
        if (at + 1 < text.size() && text[at + 1] == '/')
            return endTag();
        if (at + 1 < text.size() && isNameChar(text[at + 1]))
            return startTag();
        ++at;
        return true;
    }

    QByteArrayView nameAt(qsizetype start) const
    {
        qsizetype end = start;
        while (end < text.size() && isNameChar(text[end]))
            ++end;
        return QByteArrayView(text).sliced(start, end - start);
    }

    // Where the element's text ends: at its end tag, whose name is followed by a space, "/"
    // or ">" (a "</scripts" goes on with the text).
    qsizetype textEnd(QByteArrayView name) const
    {
        const QByteArray endTag = "</" + name.toByteArray();
        for (qsizetype end = text.indexOf(endTag, at); end >= 0; end = text.indexOf(endTag, end + 1)) {
            const qsizetype after = end + endTag.size();
            if (after == text.size() || text[after] == '/' || text[after] == '>' ||
                std::isspace(static_cast<unsigned char>(text[after])))
                return end;
        }
        return -1;
    }

    bool endTag()
    {
        const QByteArrayView name = nameAt(at + 2);
        const qsizetype end = text.indexOf('>', at);
        if (end < 0)
            return false;
        if (isForeign(name) && foreignDepth > 0)
            --foreignDepth;
        else if (name == "tr" && foreignDepth == 0 && end + 1 >= from)
            found = end + 1;
        at = end + 1;
        return true;
    }

    bool startTag()
    {
        const QByteArrayView name = nameAt(at + 1);
        qsizetype end = at + 1 + name.size();
        char quote = 0;
        bool valueNext = false; // a quote opens a value only just after its "="
        for (; end < text.size(); ++end) {
            const char c = text[end];
            if (quote)
                quote = c == quote ? 0 : quote;
            else if (valueNext && (c == '"' || c == '\''))
                quote = c;
            else if (c == '>')
                break;
            if (!std::isspace(static_cast<unsigned char>(c)))
                valueNext = c == '=';
        }
        if (end >= text.size())
            return false;
        at = end + 1;
        const bool selfClosing = text[end - 1] == '/';
        if (isForeign(name) && !selfClosing)
            ++foreignDepth;
        else if (name == "plaintext" && foreignDepth == 0)
            return false;
        else if (holdsText(name) && foreignDepth == 0) {
            at = textEnd(name);
            return at >= 0;
        }
        return true;
    }

    const QByteArray &text;
    const qsizetype from;
    qsizetype at = 0;
    qsizetype found = -1;
    int foreignDepth = 0;
};

} // namespace

qsizetype firstRowsEnd(const QByteArray &page, qsizetype from)
{
    if (from >= page.size())
        return -1;
    const QByteArray lower = page.left(from + lookedPast).toLower();
    return TagScan(lower, from).rowsEnd();
}
