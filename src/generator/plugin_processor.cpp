#include "generator/plugin_processor.h"

#include "documents/text_files.h"
#include "platform/process/process_runner.h"

#include <QProcess>

#include <algorithm>

namespace {

const QString xmlPlaceholder = QStringLiteral("xmlFileName");
const QString xslPlaceholder = QStringLiteral("xslFileName");

struct Placeholder {
    const QString &name;
    const QString &path;
    bool used = false;
};

// Replaces, left to right, the first occurrence of each placeholder not yet used.
QString expandArgument(const QString &argument, Placeholder &xml, Placeholder &xsl)
{
    QString expanded;
    qsizetype i = 0;
    while (i < argument.size()) {
        Placeholder *hit = nullptr;
        for (Placeholder *p : {&xml, &xsl}) {
            if (!p->used && QStringView(argument).mid(i).startsWith(p->name))
                hit = p;
        }
        if (!hit) {
            expanded += argument[i++];
            continue;
        }
        expanded += hit->path;
        i += hit->name.size();
        hit->used = true;
    }
    return expanded;
}

QString quoted(const QString &argument)
{
    const bool plain = !argument.isEmpty() &&
                       std::none_of(argument.begin(), argument.end(), [](QChar c) {
                           return c.isSpace() || c == u'"';
                       });
    if (plain)
        return argument;
    QString inner = argument;
    inner.replace(u'"', QStringLiteral("\"\"\""));
    return u'"' + inner + u'"';
}

QString timeoutText(int timeoutMs)
{
    return QStringLiteral("The plug-in XSLT processor did not finish within %1 seconds and "
                          "was stopped.")
        .arg(timeoutMs / 1000.0);
}

QString outputLimitText(qint64 maxOutputBytes)
{
    return QStringLiteral("The plug-in XSLT processor wrote more than %1 MB and was stopped.")
        .arg(double(maxOutputBytes) / (1 << 20));
}

// At most this much of what a failing processor wrote to standard error is quoted.
constexpr qsizetype quotedErrorChars = 4000;

QString failureText(const ProcessOutcome &run)
{
    QString text = run.crashed
                       ? QStringLiteral("The plug-in XSLT processor crashed.")
                       : QStringLiteral("The plug-in XSLT processor ended with exit status %1.")
                             .arg(run.exitCode);
    const QString errors = decodeText(run.errorOutput).trimmed();
    if (!errors.isEmpty())
        text += u'\n' + errors.left(quotedErrorChars);
    return text;
}

} // namespace

QStringList expandCommandLine(const QString &commandLine, const QString &xmlPath,
                              const QString &xslPath)
{
    Placeholder xml{xmlPlaceholder, xmlPath};
    Placeholder xsl{xslPlaceholder, xslPath};
    QStringList command;
    for (const QString &argument : QProcess::splitCommand(commandLine))
        command << expandArgument(argument, xml, xsl);
    return command;
}

QString commandText(const QStringList &command)
{
    QStringList parts;
    for (const QString &argument : command)
        parts << quoted(argument);
    return parts.join(u' ');
}

PluginCommand preparePlugin(const QString &commandLine, const QString &xmlPath,
                            const QString &xslCode, const QString &folder,
                            QString &processorUsed)
{
    const QString xslPath = folder + pluginStylesheetName;
    PluginCommand plugin;
    plugin.command = expandCommandLine(commandLine, xmlPath, xslPath);
    processorUsed = commandText(plugin.command);
    // A stylesheet that cannot be written must not leave an older one to run.
    plugin.ready = writeFile(xslPath, xslCode, false);
    return plugin;
}

TransformResult runPluginCommand(const PluginCommand &plugin, int timeoutMs,
                                 qint64 maxOutputBytes, const XsltStopToken *stop)
{
    TransformResult result;
    if (!plugin.ready)
        return result;
    if (plugin.command.isEmpty()) {
        result.html = pluginStartFailure.toUtf8();
        return result;
    }
    const ProcessOutcome run = runProcess(plugin.command.first(), plugin.command.mid(1),
                                          timeoutMs, maxOutputBytes, stop);
    if (!run.started)
        result.html = pluginStartFailure.toUtf8();
    else if (run.timedOut)
        result.html = timeoutText(timeoutMs).toUtf8();
    else if (run.outputCut)
        result.html = outputLimitText(maxOutputBytes).toUtf8();
    else if (run.stopped)
        return result; // nobody waits for the page
    else if (run.crashed || run.exitCode != 0)
        result.message = failureText(run);
    else
        result = {true, run.output, QString()};
    return result;
}
