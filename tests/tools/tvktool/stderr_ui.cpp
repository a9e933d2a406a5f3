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
    if (answers.empty())
        return fallback;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

UiServices::Answer StderrUi::askOkCancel(const QString &text)
{
    message(text);
    return Answer::Cancel;
}

QString StderrUi::inputBox(const QString &, const QString &, const QString &, bool *ok)
{
    if (ok)
        *ok = false;
    return {};
}

QString StderrUi::fileDialog(const FileDialogRequest &) { return {}; }

QString StderrUi::chooseColor(const QString &) { return {}; }

std::optional<UiServices::FontChoice> StderrUi::chooseFont(const FontPreset &)
{
    return std::nullopt;
}

void StderrUi::openInBrowser(const QString &) {}

bool StderrUi::startDetached(const QString &, const QStringList &) { return false; }
