#include "generator/xsl_syntax_check.h"

#include "documents/string_helpers.h"
#include "generator/stylesheet_header.h"
#include "generator/xsl_text_escaping.h"
#include "platform/ui/ui_services.h"
#include "platform/xml/xml_check.h"
#include "platform/xml/xpath_check.h"

#include <QStringList>

namespace {

const QString crlf = QStringLiteral("\r\n");

// The character offset of a 1-based line and column in the text, and that line's length.
std::pair<qsizetype, qsizetype> lineAndOffset(const QString &text, int line, int column)
{
    qsizetype start = 0;
    for (int current = 1; current < line; ++current) {
        const qsizetype next = text.indexOf(QChar('\n'), start);
        if (next < 0)
            break;
        start = next + 1;
    }
    qsizetype end = text.indexOf(QChar('\n'), start);
    if (end < 0)
        end = text.size();
    if (end > start && text[end - 1] == QChar('\r'))
        --end;
    return {start + std::max(column, 1) - 1, end - start};
}

// Where a place in the value an attribute's parser reads from the typed text lies in that
// text: a reference stands for one character there, a CR LF for one blank.
qsizetype typedOffset(const QString &typed, qsizetype valueOffset)
{
    qsizetype at = 0;
    for (qsizetype read = 0; read < valueOffset && at < typed.size(); ++read) {
        if (const qsizetype reference = referenceLength(typed, at))
            at += reference;
        else
            at += typed.mid(at, 2) == QStringLiteral("\r\n") ? 2 : 1;
    }
    return at;
}

} // namespace

QString snippetPrefix()
{
    return QStringLiteral("<?xml version='1.0'?>") + crlf + makeXslHeader(QString())
           + QStringLiteral("<xsl:template match='/'>") + crlf;
}

QString snippetDocument(const QString &prefix, const QString &code)
{
    return prefix + code + QStringLiteral("</xsl:template></xsl:stylesheet>");
}

std::optional<SnippetFault> snippetFault(const QString &prefix, const QString &code)
{
    const QString wrapped = snippetDocument(prefix, code);
    const auto error = checkWellFormed(wrapped);
    if (!error)
        return std::nullopt;
    const auto [offset, lineLength] = lineAndOffset(wrapped, error->line, error->column);
    const qsizetype past = offset - prefix.size();
    SnippetFault fault;
    fault.start = std::clamp<qsizetype>(past, 0, code.size());
    fault.length = std::clamp<qsizetype>(lineLength, 0, code.size() - fault.start);
    fault.error = withinPiece(*error, int(prefix.count(QChar('\n'))) + 1, past > code.size());
    // A fault past the snippet's end is at its last line.
    fault.error.line = std::clamp(fault.error.line, 1, int(code.count(QChar('\n'))) + 1);
    return fault;
}

XslSyntaxResult checkXslSyntax(const QString &code, const QString &field)
{
    const auto fault = snippetFault(snippetPrefix(), code);
    XslSyntaxResult result;
    if (!fault)
        return result;
    result.ok = false;
    result.reason = fault->error.reason;
    result.selectionStart = int(fault->start);
    result.selectionLength = int(fault->length);
    ui().message(QStringLiteral("Syntax error in the XSL code in ") + field +
                 QStringLiteral(", line ") + QString::number(fault->error.line) +
                 QStringLiteral(": ") + fault->error.reason);
    return result;
}

XslSyntaxResult checkXpathSyntaxOf(const QString &xpath, const QString &field)
{
    XslSyntaxResult result;
    if (trimWhiteVar(xpath).isEmpty())
        return result;
    const auto error = checkXpathSyntax(attributeText(xpath));
    if (!error)
        return result;
    result.ok = false;
    result.reason = error->reason;
    const qsizetype start = typedOffset(xpath, error->offset);
    const qsizetype end = xpath.indexOf(QChar('\n'), start);
    result.selectionStart = int(start);
    result.selectionLength = int((end < 0 ? xpath.size() : end) - start);
    ui().message(QStringLiteral("Syntax error in the Xpath in ") + field + QStringLiteral(": ")
                 + error->reason);
    return result;
}
