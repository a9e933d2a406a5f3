#include "generator/generator_run.h"

#include "documents/string_helpers.h"

void GeneratorRun::replaceMarkers(const QList<std::pair<QString, QString>> &replacements)
{
    QString text = out.GetStr();
    for (const auto &[marker, replacement] : replacements)
        replaceFirst(text, marker, replacement);
    out.SetStr(text);
}

bool storedBoolean(const QString &value)
{
    const QString trimmed = trimWhiteVar(value);
    if (trimmed.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0)
        return true;
    bool isNumber = false;
    const double number = trimmed.toDouble(&isNumber);
    return isNumber && number != 0;
}

QuietGenerationGuard::QuietGenerationGuard() { ++depth; }

QuietGenerationGuard::~QuietGenerationGuard() { --depth; }
