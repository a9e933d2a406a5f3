#include "platform/pages/gui/page_dialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <utility>
#include <vector>

namespace {

// What the dialogs of one page have come to; a child of the page.
class DialogState final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    int shown = 0;
    bool stopped = false;
    QList<QPointer<QDialog>> open;
    std::vector<std::function<void()>> afterwards; // what waits for the open dialogs
};

int dialogsRunning = 0;
bool dialogsEnded = false;

DialogState *stateOf(QWebEnginePage *page)
{
    auto *state = page->findChild<DialogState *>(QString(), Qt::FindDirectChildrenOnly);
    return state ? state : new DialogState(page);
}

enum class Kind { Alert, Confirm, Prompt };

struct Answer {
    bool accepted = false;
    QString value;
};

// The question the engine itself asks, through confirm, before a page is left.
bool isLeaveQuestion(const QString &text)
{
    return text == QCoreApplication::translate("QWebEnginePage",
                                               "Are you sure you want to leave this page? "
                                               "Changes that you made may not be saved.");
}

struct DialogParts {
    QDialog *dialog;
    QLineEdit *field;
    QCheckBox *stop;
};

DialogParts buildDialog(QWebEnginePage *page, Kind kind, const QString &text, const QString &value,
                        bool offerStop)
{
    QWebEngineView *view = QWebEngineView::forPage(page);
    auto *dialog = new QDialog(view ? view->window() : nullptr);
    dialog->setObjectName(QStringLiteral("pageDialog"));
    dialog->setWindowModality(Qt::NonModal);
    dialog->setWindowTitle(QStringLiteral("Message from the page"));
    dialog->setMinimumWidth(360);
    auto *layout = new QVBoxLayout(dialog);
    auto *message = new QLabel(text, dialog);
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    layout->addWidget(message);
    QLineEdit *field = kind == Kind::Prompt ? new QLineEdit(value, dialog) : nullptr;
    if (field)
        layout->addWidget(field);
    QCheckBox *stop = nullptr;
    if (offerStop) {
        stop = new QCheckBox(QStringLiteral("Prevent this page from creating additional dialogs"),
                             dialog);
        stop->setObjectName(QStringLiteral("stopDialogs"));
        layout->addWidget(stop);
    }
    auto *buttons = new QDialogButtonBox(kind == Kind::Alert ? QDialogButtonBox::Ok
                                                             : QDialogButtonBox::Ok |
                                                                   QDialogButtonBox::Cancel,
                                         dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return {dialog, field, stop};
}

// Shows the dialog and waits for its answer while the program runs on; a dialog that goes
// without an answer (its window closed with the program) is answered Cancel.
Answer ask(QWebEnginePage *page, Kind kind, const QString &text, const QString &value = {})
{
    QPointer<DialogState> state = stateOf(page);
    if (state->stopped || dialogsEnded)
        return {};
    const DialogParts parts = buildDialog(page, kind, text, value, state->shown > 0);
    ++state->shown;
    state->open.append(parts.dialog);
    Answer answer;
    QEventLoop loop;
    QObject::connect(parts.dialog, &QDialog::finished, &loop, [&](int result) {
        answer = {result == QDialog::Accepted, parts.field ? parts.field->text() : QString()};
        if (state && parts.stop && parts.stop->isChecked())
            state->stopped = true;
        loop.quit();
    });
    QObject::connect(parts.dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    const QPointer<QDialog> dialog = parts.dialog;
    dialog->show();
    ++dialogsRunning;
    loop.exec();
    --dialogsRunning;
    delete dialog.data();
    if (state) {
        state->open.removeAll(nullptr);
        if (state->open.isEmpty())
            for (const std::function<void()> &done : std::exchange(state->afterwards, {}))
                done();
    }
    return answer;
}

} // namespace

void pageAlert(QWebEnginePage *page, const QString &text) { ask(page, Kind::Alert, text); }

bool pageConfirm(QWebEnginePage *page, const QString &text)
{
    return isLeaveQuestion(text) || ask(page, Kind::Confirm, text).accepted;
}

bool pagePrompt(QWebEnginePage *page, const QString &text, const QString &value, QString *answer)
{
    const Answer given = ask(page, Kind::Prompt, text, value);
    if (given.accepted)
        *answer = given.value;
    return given.accepted;
}

void holdPageDialogs(QWebEnginePage *page)
{
    DialogState *state = stateOf(page);
    state->stopped = true;
    for (const QPointer<QDialog> &dialog : std::as_const(state->open))
        if (dialog)
            dialog->reject();
}

void allowPageDialogs(QWebEnginePage *page)
{
    DialogState *state = stateOf(page);
    state->stopped = false;
    state->shown = 0;
}

void endPageDialogs() { dialogsEnded = true; }

bool pageDialogRunning() { return dialogsRunning > 0; }

void afterPageDialogs(QWebEnginePage *page, std::function<void()> done)
{
    DialogState *state = stateOf(page);
    if (state->open.isEmpty())
        done();
    else
        state->afterwards.push_back(std::move(done));
}

#include "page_dialogs.moc"
