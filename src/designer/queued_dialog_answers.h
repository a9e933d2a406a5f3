#pragma once

#include "designer/designer_dialogs.h"

#include <QString>
#include <deque>

// The designer's dialogs answered from queues, as a user at a terminal answers them:
// tvktool and tests install it. Each showing takes the next answer, fills the dialog's
// boxes with it and presses OK; a dialog that stays open after OK, or that finds its
// queue empty, is cancelled.
class QueuedDialogAnswers final : public DesignerDialogs {
public:
    struct NewColumn {
        QString type; // a type's caption; "" leaves the preselected type
        QString name; // "" leaves the proposed name
        bool mapXml = false; // ticks "Map selected XML" when the box is enabled
    };
    struct NewAtt {
        QString name;
        bool xsl = false;
    };

    std::deque<NewColumn> newColumns;
    std::deque<NewAtt> newAtts;

    // Installs itself for its lifetime; the dialogs in force before come back afterwards.
    QueuedDialogAnswers();
    ~QueuedDialogAnswers() override;
    QueuedDialogAnswers(const QueuedDialogAnswers &) = delete;
    QueuedDialogAnswers &operator=(const QueuedDialogAnswers &) = delete;

    void showNewColumn() override;
    void showNewAtt() override;

private:
    DesignerDialogs *previous;
};
