#include "documents/once_only_tips.h"
#include "documents/settings_files.h"
#include "documents/text_files.h"
#include "support/file_bytes.h"
#include "support/recording_tips.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const TipText tip{"Load XML", "Load XML file", "Click here to load XML file"};

struct TipsFixture : ::testing::Test {
    TempHome home;
    ScopedScriptedUi ui;
    RecordingTips tips;
    TipsFixture() { QDir().mkpath(tablesFolder()); }
};

} // namespace

TEST_F(TipsFixture, FirstOfferShowsTheBalloonWithTheCloseHintAndLeavesItsMarker)
{
    showTipAtControl(tips.control("cmdBrowse"), tip);
    showTipAtControl(tips.control("cmdBrowse"), tip);
    EXPECT_EQ(tips.balloons, QStringList{"Load XML file @ cmdBrowse"});
    EXPECT_EQ(tips.texts,
              QStringList{"Click here to load XML file\r\n\r\nClick mouse or Esc to close me."});
    EXPECT_EQ(bytesOf(tablesFolder() + "/set-tipLoad XML"), "done\r\n");
}

TEST_F(TipsFixture, MarkerThatDoesNotReadDoneLeavesTheTipUnshown)
{
    writeFile(tipMarkerPath(tip.key), "Done", true);
    EXPECT_TRUE(tipNotYetShown(tip.key));
    EXPECT_FALSE(tipNotYetShown(tip.key));
}

TEST_F(TipsFixture, KeysWithFileNameSeparatorsGiveOneMarkerInTheTablesFolder)
{
    const struct {
        QString key;
        QString fileName;
    } cases[] = {
        {"Drag XML to Column Xpath", "set-tipDrag XML to Column Xpath"},
        {"Add columns 1.5 (Äb)", "set-tipAdd columns 1.5 (Äb)"},
        {"col/at\\tr", "set-tipcol%2Fat%5Ctr"},
        {"a:b*c?d\"e<f>g|h", "set-tipa%3Ab%2Ac%3Fd%22e%3Cf%3Eg%7Ch"},
        {"50%", "set-tip50%25"},
        {"tab\there", "set-tiptab%09here"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key.toStdString());
        EXPECT_EQ(tipMarkerPath(c.key), tablesFolder() + "/" + c.fileName);
        EXPECT_TRUE(tipNotYetShown(c.key));
        EXPECT_FALSE(tipNotYetShown(c.key));
    }
    EXPECT_TRUE(ui->messages.isEmpty());
    EXPECT_EQ(QDir(tablesFolder()).entryList(QDir::Files).size(), std::size(cases));
}

TEST_F(TipsFixture, UnwritableMarkerIsReportedAndTheTipComesAgain)
{
    QDir().mkpath(tipMarkerPath(tip.key)); // a folder where the marker belongs
    showTipAtControl(tips.control("cmdBrowse"), tip);
    showTipAtControl(tips.control("cmdBrowse"), tip);
    EXPECT_EQ(tips.balloons.size(), 2);
    ASSERT_EQ(ui->messages.size(), 2);
    EXPECT_TRUE(ui->messages[0].startsWith("Cannot write to file "));
}

TEST_F(TipsFixture, WithoutWindowsNoTipIsShownOrMarked)
{
    workspace().tipView = nullptr;
    showTipAtControl(tips.control("cmdBrowse"), tip);
    workspace().tipView = &tips;
    showTipAtControl(nullptr, tip);
    EXPECT_FALSE(QFileInfo::exists(tipMarkerPath(tip.key)));
    EXPECT_TRUE(tips.balloons.isEmpty());
}

TEST_F(TipsFixture, NodeTipPointsAtTheSelectedNodesCornerAndNeedsASelection)
{
    tips.nodeSelected = false;
    showTipAtNode(tips.control("template"), tip);
    EXPECT_FALSE(QFileInfo::exists(tipMarkerPath(tip.key)));
    tips.nodeSelected = true;
    showTipAtNode(tips.control("template"), tip);
    EXPECT_EQ(tips.balloons, QStringList{"Load XML file @ template (39,25)"});
}

TEST_F(TipsFixture, CaretTipPointsWhereTheCallerSays)
{
    showTipAtCaret(tips.control("xsl"), 120, 44, tip);
    EXPECT_EQ(tips.balloons, QStringList{"Load XML file @ xsl (120,44)"});
}

TEST_F(TipsFixture, DeletingMarkersLeavesOtherFilesThatStartLikeThem)
{
    tipNotYetShown("Load XML");
    tipNotYetShown("a/b");
    writeFile(tablesFolder() + "/set-tip-mine.tvk", "Table\x02...", true);
    deleteTipMarkers();
    EXPECT_EQ(QDir(tablesFolder()).entryList(QDir::Files), QStringList{"set-tip-mine.tvk"});
    deleteTipMarkers(); // none left: no error
    EXPECT_TRUE(ui->messages.isEmpty());
}
