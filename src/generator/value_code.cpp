#include "generator/value_code.h"

#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/workspace.h"
#include "generator/column_attributes.h"
#include "generator/generator_marking.h"
#include "generator/xsl_text_escaping.h"

#include <optional>

namespace {

QString attributeNameAt(const QString &column, int index)
{
    const StructureTree::Node *node = workspace().current().tree.find(column);
    if (!node || index < 1 || size_t(index) > node->children.size())
        return {};
    return node->children[size_t(index - 1)]->text;
}

QString cutBeforeBracket(const QString &text)
{
    const qsizetype bracket = text.indexOf(QChar('['));
    return bracket < 0 ? text : text.left(bracket);
}

QString valueOf(const QString &column, const QString &xpath)
{
    if (getKey(QStringLiteral("Type-") + column) == QStringLiteral("Text")) {
        const QString limit = trimWhiteVar(getKey(QStringLiteral("Max Characters-") + column));
        bool isNumber = false;
        const long long n = qRound64(limit.toDouble(&isNumber));
        if (isNumber && n != 0)
            return QStringLiteral("<xsl:value-of select='substring(") + attributeText(xpath)
                   + QStringLiteral(",1,") + QString::number(n) + QStringLiteral(")'/>");
    }
    return QStringLiteral("<xsl:value-of select='") + attributeText(xpath) + QStringLiteral("'/>");
}

std::optional<QString> stepAt(const QStringList &steps, qsizetype i)
{
    if (i < steps.size())
        return steps[i];
    return std::nullopt;
}

bool sameStep(const std::optional<QString> &a, const std::optional<QString> &b)
{
    return a.value_or(QString()) == b.value_or(QString());
}

} // namespace

ColumnValue columnValueCode(const QString &column, int index, const QString &ctxXpath,
                            bool cutPredicate)
{
    const QString attName = attributeNameAt(column, index);
    if (attName.isEmpty())
        return {};
    return attributeValueCode(column, attName, ctxXpath, cutPredicate);
}

ColumnValue attributeValueCode(const QString &column, const QString &attName,
                               const QString &ctxXpath, bool cutPredicate)
{
    ColumnValue value;
    value.attName = attName;
    const QString owner = column + QChar('@') + value.attName;
    if (isXslCalculated(column, attName)) {
        value.rawXpath = getKey(QStringLiteral("XSL Code-") + owner);
        value.code = userCode(value.rawXpath);
        return value;
    }
    QString xpath = getKey(QStringLiteral("Xpath-") + owner);
    if (xpath.isEmpty())
        return value;
    value.rawXpath = xpath;
    if (!ctxXpath.isEmpty()) {
        xpath = relativeXpath(ctxXpath, xpath);
        if (cutPredicate)
            xpath = cutBeforeBracket(xpath);
    }
    value.code = valueOf(column, xpath);
    return value;
}

QString relativeXpath(const QString &ctx, const QString &target)
{
    QString context = ctx.isEmpty() ? QStringLiteral("/") : ctx;
    QString path = target;
    QString pred;
    if (const qsizetype bracket = path.indexOf(QChar('[')); bracket >= 0) {
        pred = path.mid(bracket);
        path = path.left(bracket);
    }
    context = cutBeforeBracket(context);

    const QStringList from = splitString(context, QStringLiteral("/"));
    const QStringList to = splitString(path, QStringLiteral("/"));
    const qsizetype p = from.size() - 1;
    const qsizetype last = std::max(p, to.size() - 1);
    qsizetype d = 0;
    while (d <= last && sameStep(stepAt(from, d), stepAt(to, d)))
        ++d;
    if (d > last)
        return QStringLiteral("self::node()") + pred;

    QString rest;
    for (qsizetype i = last; i >= d; --i) {
        const QString step = stepAt(to, i).value_or(QString());
        if (!step.isEmpty())
            rest = step + QChar('/') + rest;
    }
    rest = QStringLiteral("../").repeated(std::max<qsizetype>(0, p - d + 1)) + rest;
    if (rest.endsWith(QChar('/')))
        rest.chop(1);
    if (context == QStringLiteral("/") && rest.startsWith(QStringLiteral("../")))
        rest.remove(0, 3);
    if (rest == QStringLiteral(".."))
        rest = QStringLiteral("parent::node()");
    return rest + pred;
}
