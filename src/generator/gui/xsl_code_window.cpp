#include "generator/gui/xsl_code_window.h"

#include "documents/workspace.h"
#include "generator/xsl_find.h"
#include "platform/ui/ui_services.h"

#include <QApplication>
#include <QCursor>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

XslCodeWindow::XslCodeWindow(int slot) : tableSlot(slot)
{
    xsl = new QPlainTextEdit(this);
    xsl->setObjectName(QStringLiteral("xsl"));
    xsl->setReadOnly(true);
    xsl->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    xsl->setLineWrapMode(QPlainTextEdit::NoWrap);
    xsl->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *label = new QLabel(QStringLiteral("Find text:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    fnd = new QLineEdit(this);
    fnd->setObjectName(QStringLiteral("fnd"));
    srch = new QPushButton(QStringLiteral("Search"), this);
    srch->setObjectName(QStringLiteral("srch"));

    auto *findRow = new QHBoxLayout;
    findRow->addWidget(label);
    findRow->addWidget(fnd, 1);
    findRow->addWidget(srch);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 2);
    layout->addWidget(xsl, 1);
    layout->addLayout(findRow);
    setFocusProxy(xsl);

    connect(srch, &QPushButton::clicked, this, [this] { findText(fnd->text(), true); });
    // The window sees Enter and Ctrl+F first, whichever of its controls has the focus.
    for (QWidget *control : std::initializer_list<QWidget *>{xsl, fnd, srch})
        control->installEventFilter(this);
    workspace().views[size_t(slot)].xslCode = this;
}

XslCodeWindow::~XslCodeWindow()
{
    XslCodeView *&registered = workspace().views[size_t(tableSlot)].xslCode;
    if (registered == this)
        registered = nullptr;
}

void XslCodeWindow::showGenerated()
{
    xsl->setPlainText(workspace().tables[size_t(tableSlot)].xslGenerated);
}

void XslCodeWindow::clearCode() { xsl->clear(); }

void XslCodeWindow::findText(const QString &text, bool showNotFound)
{
    QTextCursor cursor = xsl->textCursor();
    const TextSelection current{cursor.selectionStart(),
                                cursor.selectionEnd() - cursor.selectionStart()};
    const std::optional<TextSelection> found = findAfter(xsl->toPlainText(), text, current);
    xsl->setFocus();
    cursor.setPosition(int(found ? found->start : 0));
    if (found)
        cursor.setPosition(int(found->start + found->length), QTextCursor::KeepAnchor);
    xsl->setTextCursor(cursor);
    if (found) // the next search text can be typed at once
        focusFindBox();
    else if (showNotFound)
        ui().message(QStringLiteral("Text not found."));
}

void XslCodeWindow::focusFindBox()
{
    fnd->setFocus();
    fnd->selectAll();
}

// The code shows from its start and the find box takes the keyboard, unless the window
// was activated by a click into one of its controls, which keeps the focus the click gave.
void XslCodeWindow::activated()
{
    QWidget *clicked = QApplication::widgetAt(QCursor::pos());
    if (QApplication::mouseButtons() != Qt::NoButton && clicked && isAncestorOf(clicked))
        return;
    QTextCursor start = xsl->textCursor();
    start.setPosition(0);
    xsl->setTextCursor(start);
    focusFindBox();
}

bool XslCodeWindow::event(QEvent *event)
{
    if (event->type() == QEvent::ParentChange)
        followFrameActivation();
    return QWidget::event(event);
}

// The area gives the keyboard back to the window that had it when the program lost it to
// another one: that is no activation by the user, and the place in the code stays.
void XslCodeWindow::followFrameActivation()
{
    disconnect(frameActivation);
    auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!frame)
        return;
    frameActivation = connect(frame, &QMdiSubWindow::windowStateChanged, this,
                              [this](Qt::WindowStates before, Qt::WindowStates now) {
                                  const bool was = before.testFlag(Qt::WindowActive);
                                  const bool is = now.testFlag(Qt::WindowActive);
                                  if (was && !is)
                                      leftWithTheProgram = QGuiApplication::applicationState() !=
                                                           Qt::ApplicationActive;
                                  else if (!was && is && !std::exchange(leftWithTheProgram, false))
                                      activated();
                              });
}

QPoint XslCodeWindow::caretPoint() const
{
    const QRect caret = xsl->cursorRect();
    return xsl->viewport()->mapTo(xsl, caret.bottomLeft());
}

bool XslCodeWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            findText(fnd->text(), true);
            return true;
        }
        if (key->matches(QKeySequence::Find)) {
            fnd->setFocus();
            fnd->selectAll();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void XslCodeWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    QTextCursor start = xsl->textCursor();
    start.setPosition(0);
    xsl->setTextCursor(start);
}
