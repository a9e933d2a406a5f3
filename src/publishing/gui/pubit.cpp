#include "publishing/gui/pubit.h"

#include "documents/once_only_tips.h"
#include "documents/path_helpers.h"
#include "documents/store_access.h"
#include "documents/workspace.h"
#include "publishing/gui/dialog_button.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLineEdit *lineEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

// A caption in column 0 and its field in column 1 of the grid's next row.
void addRow(QGridLayout *grid, const QString &caption, QWidget *field)
{
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(caption, grid->parentWidget()), row, 0);
    grid->addWidget(field, row, 1);
}

} // namespace

Pubit::Pubit(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("pubit"));
    setWindowTitle(QStringLiteral("Publish"));
    setModal(true);
    buildControls();
    connect(ok, &QPushButton::clicked, this, &Pubit::ok_Click);
    connect(closeit, &QPushButton::clicked, this, &Pubit::closeit_Click);
}

Pubit::~Pubit()
{
    if (worker) // every transfer has time limits, so this wait ends
        worker->wait();
    delete worker;
}

void Pubit::buildControls()
{
    auto *server = new QWidget(this);
    auto *serverGrid = new QGridLayout(server);
    serverGrid->setContentsMargins(0, 0, 0, 0);
    const QString heading = QStringLiteral("FTP Server settings ( * = mandatory field )");
    serverGrid->addWidget(new QLabel(heading, server), 0, 0, 1, 2);
    addRow(serverGrid, QStringLiteral("* Server name:"), sname = lineEdit(server, "sname"));
    addRow(serverGrid, QStringLiteral("* Directory:"), sdir = lineEdit(server, "sdir"));
    addRow(serverGrid, QStringLiteral("* User name:"), uname = lineEdit(server, "uname"));
    addRow(serverGrid, QStringLiteral("* Password"), password = lineEdit(server, "password"));
    password->setEchoMode(QLineEdit::Password);
    serverGrid->setRowStretch(serverGrid->rowCount(), 1);

    auto *connection = new QGroupBox(QStringLiteral("FTP Connection Settings (Optional)"), this);
    connection->setObjectName(QStringLiteral("Frame1"));
    auto *connectionGrid = new QGridLayout(connection);
    sproxyname = lineEdit(connection, "sproxyname");
    sproxybypass = lineEdit(connection, "sproxybypass");
    addRow(connectionGrid, QStringLiteral("Proxy name:"), sproxyname);
    addRow(connectionGrid, QStringLiteral("Proxy bypass:"), sproxybypass);
    spassivemode = checkBox(connection, "spassivemode", QStringLiteral("Passive mode"));
    spassivemode->setChecked(true);
    connectionGrid->addWidget(spassivemode, connectionGrid->rowCount(), 0, 1, 2);

    auto *php = new QGroupBox(QStringLiteral("PHP options"), this);
    php->setObjectName(QStringLiteral("Frame2"));
    auto *phpGrid = new QGridLayout(php);
    preview = lineEdit(php, "preview");
    currSource = lineEdit(php, "currSource");
    addRow(phpGrid, QStringLiteral("Preview at this web address (folder name):"), preview);
    addRow(phpGrid,
           QStringLiteral("Use live XML source (for example http://www.example.com/news.xml):"),
           currSource);
    finalXML = new QLabel(php);
    finalXML->setObjectName(QStringLiteral("finalXML"));
    phpGrid->addWidget(finalXML, phpGrid->rowCount() - 1, 2);
    phpGrid->setColumnStretch(1, 1);
    preview->setMinimumWidth(280);
    currSource->setMinimumWidth(280);
    dontx = checkBox(php, "dontx", QStringLiteral("Don't generate XSL transformation code"));
    phpGrid->addWidget(dontx, phpGrid->rowCount(), 0, 1, 3);

    auto *status = new QFrame(this);
    status->setFrameShape(QFrame::Box);
    auto *statusColumn = new QVBoxLayout(status);
    auto *stTitle = new QLabel(QStringLiteral("FTP Transfer Status"), status);
    stTitle->setObjectName(QStringLiteral("stTitle"));
    QFont bold = stTitle->font();
    bold.setBold(true);
    stTitle->setFont(bold);
    st = new QLabel(status);
    st->setObjectName(QStringLiteral("st"));
    st->setWordWrap(true);
    st->setMinimumWidth(360);
    statusColumn->addWidget(stTitle);
    statusColumn->addWidget(st);

    ok = dialogButton(this, "ok", QStringLiteral("Publish"));
    closeit = dialogButton(this, "closeit", QStringLiteral("Cancel"));
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(closeit);
    buttons->addStretch();

    auto *grid = new QGridLayout(this);
    grid->addWidget(server, 0, 0);
    grid->addWidget(connection, 0, 1);
    grid->addWidget(php, 1, 0, 1, 2);
    grid->addWidget(status, 2, 0);
    grid->addLayout(buttons, 2, 1, Qt::AlignRight);

    QWidget *order[] = {sname, sdir, uname, password, preview, currSource, dontx,
                        ok, closeit, sproxyname, sproxybypass, spassivemode};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Pubit::fillFromSettings()
{
    const bool phpMode = workspace().publishPhpMode;
    finalXML->setText(getFileName(workspace().current().xmlPath));
    setWindowTitle(phpMode ? QStringLiteral("Publish (PHP with xsltproc support)")
                           : QStringLiteral("Publish (general purpose: XML and XSL file publish)"));
    for (QWidget *field : {static_cast<QWidget *>(preview), static_cast<QWidget *>(currSource),
                           static_cast<QWidget *>(dontx)})
        field->setEnabled(phpMode);
    const PublishSettings settings =
        readPublishSettings(getTableName(workspace().curTable), fieldSettings());
    currSource->setText(settings.currSource);
    sname->setText(settings.sname);
    uname->setText(settings.uname);
    sdir->setText(settings.sdir);
    password->setText(settings.password);
    sproxyname->setText(settings.proxyname);
    preview->setText(settings.preview);
    sproxybypass->setText(settings.bypassproxy);
    spassivemode->setChecked(settings.passivemode != 0);
    dontx->setChecked(settings.dontx != 0);
    showStatus(QStringLiteral("Ready."));
}

PublishSettings Pubit::fieldSettings() const
{
    PublishSettings settings;
    settings.sname = sname->text();
    settings.uname = uname->text();
    settings.sdir = sdir->text();
    settings.password = password->text();
    settings.proxyname = sproxyname->text();
    settings.bypassproxy = sproxybypass->text();
    settings.passivemode = spassivemode->isChecked() ? 1 : 0;
    settings.dontx = dontx->isChecked() ? 1 : 0;
    settings.preview = preview->text();
    settings.currSource = currSource->text();
    return settings;
}

void Pubit::showStatus(const QString &text) { st->setText(text); }

void Pubit::setRunning(bool running)
{
    ok->setEnabled(!running);
    closeit->setEnabled(!running);
}

void Pubit::ok_Click()
{
    if (isRunning())
        return;
    PublishRefusal refusal;
    const std::optional<PublishJob> job =
        preparePublish(fieldSettings(), workspace().publishPhpMode, &refusal);
    if (!job) {
        showStatus(refusal.status);
        if (!refusal.emptyField.isEmpty())
            findChild<QLineEdit *>(refusal.emptyField)->setFocus();
        return;
    }
    runPhpMode = workspace().publishPhpMode;
    setRunning(true);
    // The worker reaches the dialog only through queued calls, which are dropped should
    // the dialog be gone.
    worker = QThread::create([this, job = *job] {
        const PublishOutcome outcome = runPublishTransfers(job, [this](const QString &text) {
            QMetaObject::invokeMethod(
                this, [this, text] { showStatus(text); }, Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(
            this, [this, outcome] { finishRun(outcome); }, Qt::QueuedConnection);
    });
    worker->start();
}

void Pubit::finishRun(const PublishOutcome &outcome)
{
    worker->wait();
    delete std::exchange(worker, nullptr);
    setRunning(false);
    QString folder = preview->text();
    const bool succeeded = finishPublish(outcome, runPhpMode, folder);
    preview->setText(folder);
    if (succeeded)
        hide();
    emit runFinished(succeeded);
}

void Pubit::closeit_Click()
{
    if (!isRunning())
        hide();
}

void Pubit::reject() { closeit_Click(); }

void Pubit::closeEvent(QCloseEvent *event)
{
    if (isRunning())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void Pubit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!workspace().publishPhpMode)
        return;
    static const TipText liveXmlTip{
        QStringLiteral("Add Live XML file to published page in PHP"),
        QStringLiteral("Live XML update"),
        QStringLiteral("You can add live XML support to your PHP page: \r\n"
                       "Specify XML source (for example RSS URL) here and your page will "
                       "update live")};
    QTimer::singleShot(0, currSource, [field = currSource] { showTipAtControl(field, liveXmlTip); });
}

void showPublish(QWidget *parent)
{
    static QPointer<Pubit> dialog;
    if (!dialog)
        dialog = new Pubit(parent);
    dialog->fillFromSettings();
    dialog->exec();
}
