#pragma once

#include "publishing/publish_run.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QThread;

// The publish dialog `pubit`: where and how the current table is published, in general
// mode (XML and stylesheet) or PHP mode (also the PHP page). "Publish" saves the fields
// to the table's settings files and runs the transfers on a worker thread; the status
// line follows them and the buttons stay disabled until the run ends. A run that
// succeeds hides the dialog; one that fails leaves it open with the error.
class Pubit : public QDialog {
    Q_OBJECT
public:
    explicit Pubit(QWidget *parent = nullptr);
    ~Pubit() override;

    // Fills the dialog for the current table and publishPhpMode: caption, PHP fields
    // enabled or not, the fields from the settings files, the status "Ready.".
    void fillFromSettings();
    // "Publish"; ignored while a run is going.
    void ok_Click();
    // "Cancel": hides the dialog, saving nothing; ignored while a run is going.
    void closeit_Click();
    bool isRunning() const { return worker != nullptr; }
    // The fields as the settings files store them.
    PublishSettings fieldSettings() const;

    void reject() override;

signals:
    // A run has ended and its outcome has been shown to the user.
    void runFinished(bool ok);

protected:
    void closeEvent(QCloseEvent *event) override;
    // Once shown, in PHP mode, the once-only tip about live XML points at its field.
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void setRunning(bool running);
    void showStatus(const QString &text);
    void finishRun(const PublishOutcome &outcome);

    QLineEdit *sname;
    QLineEdit *sdir;
    QLineEdit *uname;
    QLineEdit *password;
    QLineEdit *sproxyname;
    QLineEdit *sproxybypass;
    QCheckBox *spassivemode;
    QLineEdit *preview;
    QLineEdit *currSource;
    QLabel *finalXML;
    QCheckBox *dontx;
    QLabel *st;
    QPushButton *ok;
    QPushButton *closeit;
    QThread *worker = nullptr;
    bool runPhpMode = false;
};

// showPublish: opens the shared publish dialog for the current table, modally, and
// returns when it is hidden.
void showPublish(QWidget *parent);
