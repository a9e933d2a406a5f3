#include "stderr_ui.h"

#include <QTextStream>

void StderrUi::message(const QString &text) { QTextStream(stderr) << text << '\n'; }

UiServices::Answer StderrUi::askYesNo(const QString &text) { return ask(text, Answer::No); }

UiServices::Answer StderrUi::askYesNoCancel(const QString &text)
{
    return ask(text, Answer::Cancel);
}

UiServices::Answer StderrUi::ask(const QString &text, Answer fallback)
{
    message(text);
    if (replies.isEmpty())
        return fallback;
    const QString answer = replies.takeFirst();
    if (answer == QLatin1String("Yes"))
        return Answer::Yes;
    if (answer == QLatin1String("No"))
        return Answer::No;
    return Answer::Cancel;
}

UiServices::Answer StderrUi::askOkCancel(const QString &text)
{
    message(text);
    return Answer::Cancel;
}

QString StderrUi::inputBox(const QString &prompt, const QString &, const QString &, bool *ok)
{
    message(prompt);
    const bool answered = !replies.isEmpty();
    if (ok)
        *ok = answered;
    return answered ? replies.takeFirst() : QString();
}

QString StderrUi::fileDialog(const FileDialogRequest &request)
{
    message(request.title);
    return replies.isEmpty() ? QString() : replies.takeFirst();
}

QString StderrUi::chooseColor(const QString &) { return {}; }

std::optional<UiServices::FontChoice> StderrUi::chooseFont(const FontPreset &)
{
    return std::nullopt;
}

void StderrUi::openInBrowser(const QString &, const QString &) {}

bool StderrUi::startDetached(const QString &, const QStringList &) { return false; }
