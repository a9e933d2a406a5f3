#pragma once

#include "platform/ui/ui_services.h"

#include <QStringList>

// tvktool's conversation with the user: every message, question, input-box prompt and
// file-dialog title goes to stderr; replies come from the queue ("Yes", "No", "Cancel" or
// a text). A question takes the next reply, else No (or Cancel); an input box takes it as
// its text and a file dialog as the chosen path, else they are cancelled. Every other
// dialog is cancelled and nothing is started.
class StderrUi : public UiServices {
public:
    QStringList replies;

    void message(const QString &text) override;
    Answer askYesNo(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    Answer askOkCancel(const QString &text) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &initial,
                     bool *ok) override;
    QString fileDialog(const FileDialogRequest &request) override;
    QString chooseColor(const QString &initial) override;
    std::optional<FontChoice> chooseFont(const FontPreset &preset) override;
    void openInBrowser(const QString &pathOrUrl, const QString &untitledCaption) override;
    bool startDetached(const QString &program, const QStringList &arguments) override;

private:
    Answer ask(const QString &text, Answer fallback);
};
