#include "properties/gui/code_editor_window.h"

#include "documents/once_only_tips.h"
#include "documents/views/xml_tree_view.h"
#include "documents/workspace.h"
#include "platform/ui/ui_services.h"
#include "platform/widgets/gui/named_button.h"
#include "properties/code_editors.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QVBoxLayout>
#include <QFontDatabase>

namespace {

constexpr int leastWidth = 385;
constexpr int leastHeight = 225;

const TipText dragTip{QStringLiteral("Drag XML to XSL"), QStringLiteral("Coding"),
                      QStringLiteral("You can drag and drop from XML tree directly to the editor. ")};
const TipText saveTip{QStringLiteral("Save in XSL Edit"), QStringLiteral("Edit and Refresh"),
                      QStringLiteral("Web page refreshes when you click Save.\r\nYou can now keep "
                                     "editing and refreshing page with Save button,\r\nor click "
                                     "Cancel to close editor.")};

CodeEditorRecord &record(int index) { return workspace().xslEditForms[size_t(index)]; }

double twipsX(const QWidget &widget) { return 1440.0 / std::max(1, widget.logicalDpiX()); }
double twipsY(const QWidget &widget) { return 1440.0 / std::max(1, widget.logicalDpiY()); }

bool isXpathDrag(const QMimeData *data)
{
    return data && data->hasText() && data->text().startsWith(QChar('/'));
}

} // namespace

void CodeBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::NoModifier) {
        insertPlainText(QStringLiteral("\t"));
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CodeBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (isXpathDrag(event->mimeData()))
        event->acceptProposedAction();
}

void CodeBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (isXpathDrag(event->mimeData())) {
        setTextCursor(cursorForPosition(event->position().toPoint()));
        event->acceptProposedAction();
    }
}

void CodeBox::dropEvent(QDropEvent *event)
{
    if (!isXpathDrag(event->mimeData()))
        return;
    setTextCursor(cursorForPosition(event->position().toPoint()));
    emit xpathDropped(event->mimeData()->text());
    event->setDropAction(Qt::IgnoreAction); // the reference is inserted, not the text
    event->accept();
}

CodeEditorWindow &CodeEditorWindow::of(int index, QWidget *owner)
{
    if (auto *window = dynamic_cast<CodeEditorWindow *>(record(index).window))
        return *window;
    QMdiArea *area = owner ? owner->findChild<QMdiArea *>() : nullptr;
    auto *window = new CodeEditorWindow(index);
    WindowGeometry &geometry = record(index).geometry;
    if (area) {
        area->addSubWindow(window);
        // A new editor stands where the default arrangement puts editors.
        if (geometry.left == 0 && geometry.top == 0) {
            geometry.left = area->width() * 3 / 8 * twipsX(*window);
            geometry.top = area->height() / 6 * twipsY(*window);
        }
    }
    window->applyGeometry(geometry);
    return *window;
}

CodeEditorWindow::CodeEditorWindow(int index, QWidget *parent)
    : QMdiSubWindow(parent), entry(index), xslc(new CodeBox), asxsl(new QRadioButton),
      asxpath(new QRadioButton), ipars(new QComboBox), prelist(new QComboBox)
{
    setObjectName(QStringLiteral("xslEdit"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QStringLiteral("XSL code"));
    setMinimumSize(leastWidth, leastHeight);
    auto *content = new QWidget;
    xslc->setObjectName(QStringLiteral("xslc"));
    xslc->setLineWrapMode(QPlainTextEdit::NoWrap);
    xslc->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    bok = namedButton("bok", QStringLiteral("Save"), nullptr, content);
    QPushButton *sic = namedButton("sic", QStringLiteral("Save && Close"), nullptr, content);
    QPushButton *bclose = namedButton("bclose", QStringLiteral("Close"), nullptr, content);

    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    auto *top = new QHBoxLayout;
    top->addWidget(makeInsertPanel());
    top->addWidget(xslc, 1);
    layout->addLayout(top, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(sic);
    buttons->addStretch();
    buttons->addWidget(bok);
    buttons->addWidget(bclose);
    layout->addLayout(buttons);
    setWidget(content);

    connect(xslc, &QPlainTextEdit::textChanged, this,
            [this] { codeEditorState(entry).code = xslc->toPlainText(); });
    connect(xslc, &CodeBox::xpathDropped, this, [this](const QString &xpath) {
        insert(xmlReference(entry, xpath, insertForm()));
    });
    connect(bok, &QPushButton::clicked, this, &CodeEditorWindow::bok_Click);
    connect(sic, &QPushButton::clicked, this, &CodeEditorWindow::sic_Click);
    connect(bclose, &QPushButton::clicked, this, &CodeEditorWindow::bclose_Click);
    record(index).window = this;
}

CodeEditorWindow::~CodeEditorWindow()
{
    if (record(entry).window == this)
        record(entry).window = nullptr;
}

QWidget *CodeEditorWindow::makeInsertPanel()
{
    auto *panel = new QWidget;
    panel->setFixedWidth(175);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto *frame = new QGroupBox(QStringLiteral("Drop from XML tree as"));
    frame->setObjectName(QStringLiteral("Frame1"));
    auto *options = new QHBoxLayout(frame);
    options->setContentsMargins(4, 2, 4, 2);
    asxsl->setObjectName(QStringLiteral("asxsl"));
    asxsl->setText(QStringLiteral("xsl:value-of"));
    asxsl->setChecked(true);
    asxpath->setObjectName(QStringLiteral("asxpath"));
    asxpath->setText(QStringLiteral("Xpath"));
    options->addWidget(asxsl);
    options->addWidget(asxpath);
    layout->addWidget(frame);

    ipars->setObjectName(QStringLiteral("ipars"));
    prelist->setObjectName(QStringLiteral("prelist"));
    prelist->addItems(predefinedVariables());
    prelist->setCurrentIndex(-1);
    const struct {
        const char *label;
        QComboBox *list;
        const char *name;
        const char *tip;
        void (CodeEditorWindow::*run)();
    } inserts[] = {
        {"From XML Tree", nullptr, "insertX", "Insert code to XML element",
         &CodeEditorWindow::insertx_Click},
        {"Input parameters", ipars, "insertP", "Insert code for input parameter",
         &CodeEditorWindow::insertP_Click},
        {"Variables", prelist, "predef", "Insert code for variable",
         &CodeEditorWindow::predef_Click},
    };
    for (const auto &insert : inserts) {
        layout->addWidget(new QLabel(QString::fromLatin1(insert.label)));
        auto *row = new QHBoxLayout;
        if (insert.list)
            row->addWidget(insert.list, 1);
        QPushButton *push = namedButton(insert.name, QStringLiteral("Insert"), insert.tip, panel);
        row->addWidget(push);
        layout->addLayout(row);
        connect(push, &QPushButton::clicked, this, insert.run);
    }
    layout->addStretch();
    return panel;
}

void CodeEditorWindow::open(const QString &caption)
{
    const CodeEditorState &state = codeEditorState(entry);
    const QString code = state.code;
    xslc->setPlainText(code);
    ipars->clear();
    ipars->addItems(parameterNames());
    ipars->setCurrentIndex(ipars->count() > 0 ? 0 : -1);
    if (prelist->currentIndex() < 0)
        prelist->setCurrentIndex(0);
    setWindowTitle(caption);
    showOptions();
    show();
    markShown(true);
    raise();
    xslc->setFocus();
    showTipAtControl(xslc, dragTip);
}

void CodeEditorWindow::showOptions()
{
    const QString kind = record(entry).myFunction;
    const bool xpathOnly = kind == QLatin1String("xpath") || kind == QLatin1String("eliminate");
    if (xpathOnly)
        asxpath->setChecked(true);
    asxsl->setEnabled(!xpathOnly);
}

InsertForm CodeEditorWindow::insertForm() const
{
    return asxsl->isChecked() ? InsertForm::asxsl : InsertForm::asxpath;
}

void CodeEditorWindow::insert(const QString &text)
{
    xslc->insertPlainText(text);
    xslc->setFocus();
}

void CodeEditorWindow::insertP_Click()
{
    if (ipars->currentIndex() < 0) {
        ui().message(QStringLiteral("Please select input parameter first."));
        return;
    }
    insert(variableReference(ipars->currentText(), insertForm()));
}

void CodeEditorWindow::predef_Click()
{
    if (prelist->currentIndex() < 0) {
        ui().message(QStringLiteral("Please select variable first."));
        return;
    }
    insert(variableReference(variableOf(prelist->currentText()), insertForm()));
}

void CodeEditorWindow::insertx_Click()
{
    const XmlTreeView *xml = workspace().currentViews().parser;
    insert(xmlReference(entry, xml ? xml->selectedXpath() : QString(), insertForm()));
}

void CodeEditorWindow::bok_Click()
{
    const CodeSaveResult result = saveCodeEditor(entry);
    if (!result.syntax.ok) {
        QTextCursor cursor(xslc->document());
        cursor.setPosition(result.syntax.selectionStart);
        cursor.setPosition(result.syntax.selectionStart + result.syntax.selectionLength,
                           QTextCursor::KeepAnchor);
        xslc->setTextCursor(cursor);
        xslc->setFocus();
        return;
    }
    if (result.saved)
        showTipAtControl(bok, saveTip);
}

void CodeEditorWindow::sic_Click()
{
    bok_Click();
    bclose_Click();
}

void CodeEditorWindow::bclose_Click()
{
    if (!checkChange(entry))
        return;
    hide();
    markShown(false);
}

void CodeEditorWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    bclose_Click();
}

void CodeEditorWindow::applyGeometry(const WindowGeometry &geometry)
{
    if (geometry.width <= 0 || geometry.height <= 0)
        return;
    applying = true;
    setGeometry(int(geometry.left / twipsX(*this)), int(geometry.top / twipsY(*this)),
                int(geometry.width / twipsX(*this)), int(geometry.height / twipsY(*this)));
    applying = false;
}

void CodeEditorWindow::setShown(bool shown) { setVisible(shown); }

void CodeEditorWindow::markShown(bool shown)
{
    CodeEditorRecord &editor = record(entry);
    if (editor.exists)
        editor.xslEditShown = shown;
}

void CodeEditorWindow::recordGeometry()
{
    CodeEditorRecord &editor = record(entry);
    if (applying || !editor.exists || isMinimized() || isMaximized())
        return;
    editor.geometry = {x() * twipsX(*this), y() * twipsY(*this), width() * twipsX(*this),
                       height() * twipsY(*this)};
}

void CodeEditorWindow::moveEvent(QMoveEvent *event)
{
    QMdiSubWindow::moveEvent(event);
    recordGeometry();
}

void CodeEditorWindow::resizeEvent(QResizeEvent *event)
{
    QMdiSubWindow::resizeEvent(event);
    recordGeometry();
}
