#pragma once

#include "designer/queued_dialog_answers.h"
#include "documents/views/property_sheet_view.h"
#include "stderr_ui.h"

// The property sheet of the edited table as tvktool edit sees it: no window, but the code
// editor its "..." buttons open is remembered. Installed for its lifetime.
class EditSheet final : public PropertySheetView {
public:
    EditSheet();
    ~EditSheet() override;
    EditSheet(const EditSheet &) = delete;
    EditSheet &operator=(const EditSheet &) = delete;

    void setLoading(bool loading) override;
    void selectRow(const QString &) override {}
    void showCodeEditor(int index, const QString &) override { openEditor = index; }

    int openEditor = -1; // the pool entry of the open code editor, -1 for none

private:
    int slot;
};

// tvktool edit's conversation with the user: as every tvktool command's, with each message
// on one line; the designer's dialogs take their answers from dialogs.
class EditUi final : public StderrUi {
public:
    explicit EditUi(EditSheet &sheet) : sheet(sheet) {}

    QueuedDialogAnswers dialogs;
    EditSheet &sheet; // lives while the steps run

    void message(const QString &text) override;
    // After a step: answers it left unused are not kept for a later one.
    void dropUnusedAnswers();
};
