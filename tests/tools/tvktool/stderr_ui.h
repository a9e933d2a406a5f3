#pragma once

#include "platform/ui_services.h"

#include <deque>

// tvktool's conversation with the user: every message and question goes to stderr; a
// question takes the next queued answer, else No (or Cancel); every dialog is cancelled
// and nothing is started.
class StderrUi : public UiServices {
public:
    std::deque<Answer> answers;

    void message(const QString &text) override;
    Answer askYesNo(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    Answer askOkCancel(const QString &text) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &initial,
                     bool *ok) override;
    QString fileDialog(const FileDialogRequest &request) override;
    QString chooseColor(const QString &initial) override;
    std::optional<FontChoice> chooseFont(const FontPreset &preset) override;
    void openInBrowser(const QString &pathOrUrl) override;
    bool startDetached(const QString &program, const QStringList &arguments) override;

private:
    Answer ask(const QString &text, Answer fallback);
};
