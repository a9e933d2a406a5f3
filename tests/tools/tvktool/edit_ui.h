#pragma once

#include "designer/queued_dialog_answers.h"
#include "stderr_ui.h"

// tvktool edit's conversation with the user: as every tvktool command's, with each message
// on one line; the designer's dialogs take their answers from dialogs.
class EditUi final : public StderrUi {
public:
    QueuedDialogAnswers dialogs;

    void message(const QString &text) override;
};
