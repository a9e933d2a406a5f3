#include "generator/gui/xsl_code_window.h"

#include "documents/workspace.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

XslCodeWindow::XslCodeWindow(int slot) : tableSlot(slot)
{
    xsl = new QPlainTextEdit(this);
    xsl->setObjectName(QStringLiteral("xsl"));
    xsl->setReadOnly(true);
    xsl->setLineWrapMode(QPlainTextEdit::NoWrap);
    xsl->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(xsl);
    setFocusProxy(xsl);
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
