#include "support/scripted_ui.h"

namespace {

QString takeFront(std::deque<QString> &queue)
{
    if (queue.empty())
        return {};
    QString front = queue.front();
    queue.pop_front();
    return front;
}

} // namespace

void ScriptedUi::message(const QString &text) { messages.append(text); }

UiServices::Answer ScriptedUi::nextAnswer(Answer fallback)
{
    if (answers.empty())
        return fallback;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

UiServices::Answer ScriptedUi::askYesNo(const QString &text)
{
    questions.append(text);
    return nextAnswer(Answer::No);
}

UiServices::Answer ScriptedUi::askYesNoCancel(const QString &text)
{
    questions.append(text);
    return nextAnswer(Answer::Cancel);
}

UiServices::Answer ScriptedUi::askOkCancel(const QString &text)
{
    questions.append(text);
    return nextAnswer(Answer::Cancel);
}

QString ScriptedUi::inputBox(const QString &prompt, const QString &, const QString &, bool *ok)
{
    questions.append(prompt);
    const bool cancelled = inputAnswers.empty() || inputAnswers.front() == QStringLiteral("\x1b");
    const QString answer = takeFront(inputAnswers);
    if (ok)
        *ok = !cancelled;
    return cancelled ? QString() : answer;
}

QString ScriptedUi::fileDialog(const FileDialogRequest &request)
{
    fileDialogs.append(request);
    return takeFront(fileAnswers);
}

QString ScriptedUi::chooseColor(const QString &initial)
{
    colorPresets.append(initial);
    return takeFront(colorAnswers);
}

std::optional<UiServices::FontChoice> ScriptedUi::chooseFont(const FontPreset &preset)
{
    fontPresets.append(preset);
    if (fontAnswers.empty())
        return std::nullopt;
    const std::optional<FontChoice> answer = fontAnswers.front();
    fontAnswers.pop_front();
    return answer;
}

void ScriptedUi::openInBrowser(const QString &pathOrUrl, const QString &)
{
    openedInBrowser.append(pathOrUrl);
}

bool ScriptedUi::startDetached(const QString &program, const QStringList &arguments)
{
    started.append(QStringList{program} + arguments);
    return startSucceeds;
}

ScopedScriptedUi::ScopedScriptedUi()
{
    auto scripted = std::make_unique<ScriptedUi>();
    ui = scripted.get();
    previous = installUiServices(std::move(scripted));
}

ScopedScriptedUi::~ScopedScriptedUi() { installUiServices(std::move(previous)); }
