// The publish dialog over the settings files, and its buttons during a run.
#include "documents/settings_files.h"
#include "documents/workspace.h"
#include "publish_table.h"
#include "publishing/gui/pubit.h"
#include "support/recording_tips.h"
#include "support/scripted_ui.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

struct Dialog {
    PublishTable table;
    ScopedScriptedUi ui;
    Pubit pubit;

    template <typename T = QLineEdit>
    T *field(const char *name) { return pubit.findChild<T *>(QLatin1String(name)); }
    QString status() { return field<QLabel>("st")->text(); }
};

} // namespace

TEST(PubitGui, FieldsComeFromTheSettingsFilesAndPhpFieldsFollowTheMode)
{
    Dialog d;
    ASSERT_TRUE(writePublishSettings("books", samplePublishSettings()));
    workspace().publishPhpMode = false;
    d.pubit.fillFromSettings();
    EXPECT_EQ(d.pubit.windowTitle(), "Publish (general purpose: XML and XSL file publish)");
    EXPECT_EQ(d.field("sname")->text(), " ftp.example.org ");
    EXPECT_EQ(d.field("password")->text(), samplePublishSettings().password);
    EXPECT_EQ(d.field("password")->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(d.field<QCheckBox>("spassivemode")->isChecked());
    EXPECT_TRUE(d.field<QCheckBox>("dontx")->isChecked());
    EXPECT_EQ(d.field("preview")->text(), "http://example.org/");
    EXPECT_FALSE(d.field("preview")->isEnabled());
    EXPECT_FALSE(d.field<QCheckBox>("dontx")->isEnabled());
    EXPECT_EQ(d.field<QLabel>("finalXML")->text(), "books.xml");
    EXPECT_EQ(d.status(), "Ready.");
    const PublishSettings shown = d.pubit.fieldSettings();
    EXPECT_EQ(shown.currSource, samplePublishSettings().currSource);
    EXPECT_EQ(shown.bypassproxy, samplePublishSettings().bypassproxy);

    workspace().publishPhpMode = true;
    d.field("sname")->setText("typed and cancelled");
    d.pubit.fillFromSettings();
    EXPECT_EQ(d.pubit.windowTitle(), "Publish (PHP with xsltproc support)");
    EXPECT_TRUE(d.field("currSource")->isEnabled());
    EXPECT_EQ(d.field("sname")->text(), " ftp.example.org ");
}

// Shown in PHP mode the dialog offers the live XML tip at its XML source field, once.
TEST(PubitGui, LiveXmlTipOnlyInPhpModeAndOnlyOnce)
{
    Dialog d;
    QDir().mkpath(dataFolder() + "/tables");
    RecordingTips tips;
    for (const bool phpMode : {false, true, true}) {
        workspace().publishPhpMode = phpMode;
        d.pubit.show();
        QCoreApplication::processEvents();
        d.pubit.hide();
    }
    EXPECT_EQ(tips.balloons, QStringList{"Live XML update @ currSource"});
}

TEST(PubitGui, PublishSavesTheFieldsAndKeepsTheButtonsOffUntilTheRunEnds)
{
    Dialog d;
    workspace().publishPhpMode = false;
    d.pubit.fillFromSettings();
    EXPECT_TRUE(d.field<QCheckBox>("spassivemode")->isChecked()); // never published: defaults
    // nothing listens at the server set below
    d.field("uname")->setText("me");
    d.field("password")->setText("pw");
    d.pubit.show();
    QSignalSpy finished(&d.pubit, &Pubit::runFinished);

    d.field("sname")->clear(); // the run does not start, and the field is to be filled in
    d.field("password")->setFocus();
    d.pubit.ok_Click();
    EXPECT_FALSE(d.pubit.isRunning());
    EXPECT_EQ(d.status(), "Publishing did not start: Server name required.");
    EXPECT_EQ(d.pubit.focusWidget(), d.field("sname"));
    d.ui->messages.clear();
    d.field("sname")->setText("127.0.0.1:1");

    d.pubit.ok_Click();
    EXPECT_TRUE(d.pubit.isRunning());
    EXPECT_FALSE(d.field<QPushButton>("ok")->isEnabled());
    EXPECT_FALSE(d.field<QPushButton>("closeit")->isEnabled());
    d.pubit.ok_Click(); // a second click starts nothing
    d.pubit.reject();   // nor does Esc hide the dialog mid-run
    EXPECT_TRUE(d.pubit.isVisible());
    EXPECT_EQ(readPublishSettings("books").uname, "me");

    ASSERT_TRUE(finished.wait(60000));
    EXPECT_EQ(finished.size(), 1);
    EXPECT_EQ(finished.at(0).at(0).toBool(), false);
    EXPECT_TRUE(d.field<QPushButton>("ok")->isEnabled());
    EXPECT_TRUE(d.field<QPushButton>("closeit")->isEnabled());
    ASSERT_EQ(d.ui->messages.size(), 1);
    EXPECT_EQ(d.status(), d.ui->messages.at(0));
    EXPECT_TRUE(d.pubit.isVisible());
    d.field<QPushButton>("closeit")->click();
    EXPECT_FALSE(d.pubit.isVisible());
}
