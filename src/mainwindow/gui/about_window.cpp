#include "mainwindow/gui/about_window.h"

#include "mainwindow/help_commands.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

AboutWindow::AboutWindow(QWidget *parent) : QDialog(parent), version(new QLabel(this))
{
    setObjectName(QStringLiteral("about"));
    setWindowTitle(QStringLiteral("About Tarvik"));
    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(QIcon(QStringLiteral(":/icons/new_t_table.svg")).pixmap(48, 48));
    auto *xsl = new QLabel(QStringLiteral("XSL"), this);
    xsl->setObjectName(QStringLiteral("Label1"));
    xsl->setFont(QFont(QStringLiteral("Georgia"), 28));
    auto *product = new QLabel(QStringLiteral("Tarvik Tools for XSL Stylesheet Design"), this);
    product->setObjectName(QStringLiteral("Label4"));
    auto *spare = new QLabel(this);
    spare->setObjectName(QStringLiteral("Label5"));
    version->setObjectName(QStringLiteral("version"));
    version->setTextFormat(Qt::PlainText);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::hide);

    auto *grid = new QGridLayout(this);
    grid->addWidget(image, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(xsl, 0, 1);
    grid->addWidget(product, 1, 1);
    grid->addWidget(version, 2, 1);
    grid->addWidget(spare, 3, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    grid->addLayout(buttons, 4, 0, 1, 2);
}

void AboutWindow::showVersion()
{
    QString text = aboutVersionText();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    version->setText(text);
    exec();
}
