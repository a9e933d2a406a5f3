#pragma once

#include <functional>

class QString;
class QWebEnginePage;

// A page's alert, confirm and prompt. Each shows as a window of its own beside the program's
// windows and modal to none of them: the program's windows keep working, closing and Exit
// included, while the page's script waits for the answer. From a page's second dialog on the
// user can stop its dialogs; a stopped page's alerts pass unseen and its confirms and prompts
// are answered Cancel. A page never keeps itself shown by asking the user to stay on it.

void pageAlert(QWebEnginePage *page, const QString &text);
bool pageConfirm(QWebEnginePage *page, const QString &text);
bool pagePrompt(QWebEnginePage *page, const QString &text, const QString &value, QString *answer);

// Closes the dialogs the page has open, each answered Cancel, and stops the page's dialogs.
void holdPageDialogs(QWebEnginePage *page);
// The page's dialogs show again, counted from the first (for a new page shown in it).
void allowPageDialogs(QWebEnginePage *page);

// The program is ending: from now on every page's alerts pass unseen and its confirms and
// prompts are answered Cancel, so that no page holds the program open with a dialog.
void endPageDialogs();

// Whether a dialog of some page runs. The engine waits inside a page's dialog: meanwhile no
// page anywhere loads or answers a script.
bool pageDialogRunning();
// Runs done once the page has no dialog running, at once when it has none. A page must
// outlive its dialogs, so whatever deletes it waits for them.
void afterPageDialogs(QWebEnginePage *page, std::function<void()> done);
