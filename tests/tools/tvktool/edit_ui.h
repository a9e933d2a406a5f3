#pragma once

#include "designer/queued_dialog_answers.h"
#include "stderr_ui.h"

#include <QStringList>

// tvktool edit's conversation with the user: messages, questions and input-box prompts go
// to stderr, one line each; replies come from the queue ("Yes", "No", "Cancel" or a text),
// and an empty queue replies No, Cancel or a cancelled input box; a file dialog takes the
// next reply as the chosen path. The designer's dialogs take their answers from dialogs.
class EditUi final : public StderrUi {
public:
    QStringList replies;
    QueuedDialogAnswers dialogs;

    void message(const QString &text) override;
    Answer askYesNo(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &initial,
                     bool *ok) override;
    QString fileDialog(const FileDialogRequest &request) override;

private:
    Answer nextAnswer(Answer fallback);
};
