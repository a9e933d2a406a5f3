#pragma once

#include "documents/views/window_frame_view.h"

#include <QMdiSubWindow>
#include <QPlainTextEdit>

enum class InsertForm;
class QComboBox;
class QPushButton;
class QRadioButton;

// The code box `xslc`: Tab inserts a Tab; an Xpath dropped from the XML tree is inserted
// as a reference relative to the edited node.
class CodeBox : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

signals:
    void xpathDropped(const QString &xpath);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

// The code editor `xslEdit` of one entry of the pool: a modeless window over the entry's
// model (code_editors.h). Closing it asks about unsaved code, then hides it.
class CodeEditorWindow : public QMdiSubWindow, public WindowFrameView {
    Q_OBJECT
public:
    // The window of the pool entry, created hidden when the entry has none: inside the
    // main window's area when the owner window has one.
    static CodeEditorWindow &of(int index, QWidget *owner);

    CodeEditorWindow(int index, QWidget *parent = nullptr);
    ~CodeEditorWindow() override;

    // Loads the entry's code and input parameters and shows the window in front with the
    // focus in the code.
    void open(const QString &caption);
    CodeBox *code() const { return xslc; }

    void bok_Click();
    void sic_Click();
    void bclose_Click();
    void insertP_Click();
    void predef_Click();
    void insertx_Click();

    // WindowFrameView
    void applyGeometry(const WindowGeometry &geometry) override;
    void setShown(bool shown) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *makeInsertPanel();
    void insert(const QString &text);
    // How the option buttons say a reference is inserted.
    InsertForm insertForm() const;
    void showOptions();
    void recordGeometry();
    void markShown(bool shown);

    int entry;
    CodeBox *xslc;
    QRadioButton *asxsl;
    QRadioButton *asxpath;
    QComboBox *ipars;
    QComboBox *prelist;
    QPushButton *bok;
    bool applying = false;
};
