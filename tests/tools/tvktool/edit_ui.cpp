#include "edit_ui.h"

#include <QTextStream>

void EditUi::message(const QString &text)
{
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    QTextStream(stderr) << line << '\n';
}

UiServices::Answer EditUi::nextAnswer(Answer fallback)
{
    if (replies.isEmpty())
        return fallback;
    const QString answer = replies.takeFirst();
    if (answer == QLatin1String("Yes"))
        return Answer::Yes;
    if (answer == QLatin1String("No"))
        return Answer::No;
    return Answer::Cancel;
}

UiServices::Answer EditUi::askYesNo(const QString &text)
{
    message(text);
    return nextAnswer(Answer::No);
}

UiServices::Answer EditUi::askYesNoCancel(const QString &text)
{
    message(text);
    return nextAnswer(Answer::Cancel);
}

QString EditUi::inputBox(const QString &prompt, const QString &, const QString &, bool *ok)
{
    message(prompt);
    *ok = !replies.isEmpty();
    return *ok ? replies.takeFirst() : QString();
}

QString EditUi::fileDialog(const FileDialogRequest &request)
{
    message(request.title);
    return replies.isEmpty() ? QString() : replies.takeFirst();
}
