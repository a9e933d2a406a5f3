#pragma once

#include "stderr_ui.h"

#include <QStringList>

// tvktool edit's conversation with the user: messages, questions and input-box prompts go
// to stderr, one line each; replies come from the queue ("Yes", "No", "Cancel" or a text),
// and an empty queue replies No, Cancel or a cancelled input box.
class EditUi final : public StderrUi {
public:
    QStringList replies;

    void message(const QString &text) override;
    Answer askYesNo(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &initial,
                     bool *ok) override;

private:
    Answer nextAnswer(Answer fallback);
};
