#include "documents/table_file_format.h"
#include "documents/table_file_writer.h"
#include "documents/text_values.h"
#include "documents/workspace.h"
#include "sample_table.h"
#include "support/file_bytes.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(TableFileWriter, WritesTheSampleTableByteForByte)
{
    TempHome home;
    const QString path = home.file("people.tvk");
    buildSampleTable(path);
    workspace().current().tableChanged = true;

    ASSERT_TRUE(writeTableFile(path));
    EXPECT_EQ(bytesOf(path), sampleTableBytes());
    EXPECT_FALSE(workspace().current().tableChanged);
}

TEST(TableFileWriter, WithoutXmlDocumentAllWindowsAreShownAndEditorsHidden)
{
    TempHome home;
    buildSampleTable(home.file("people.tvk"));
    TableDocument &doc = workspace().current();
    doc.xmlPath.clear();
    doc.propShown = doc.parserShown = doc.repShown = false;

    const QString text = serializeTable();
    EXPECT_TRUE(text.startsWith(QString(sectionEnd) + "Properties"));
    EXPECT_TRUE(text.contains("True\x02\x03True\x02\x03True\x02\x03True\x02\x03True\x02\x03" "3\x02\x03"));
    EXPECT_TRUE(text.contains("name-value\x02Xpath\x03" "3375\x02" "5775\x03" "100\x02" "200\x03"
                              "False\x02\x03"));
    EXPECT_FALSE(text.contains("True\x02\x03Table"));
}

TEST(TableFileWriter, SeparatorsInsideFieldsAreRemovedSoLaterRecordsStayInStep)
{
    TempHome home;
    buildSampleTable(home.file("people.tvk"));
    TableDocument &doc = workspace().current();
    doc.xmlPath = "/data/\x04people.xml";
    doc.store.set("Note\x02-Table", "a\x02" "b\x03" "c\x04" "d\x05" "e");
    doc.tree.add("age", "age-x\x03", "x\x02");
    doc.xslFileName = "out\x05.xsl";
    writeFile(home.file("people.tic"), "t\x02i\x05" "c", true);

    const QString text = serializeTable();
    EXPECT_TRUE(text.startsWith("/data/people.xml\x04"));
    EXPECT_TRUE(text.contains("Note-Table\x02" "abcde\x03"));
    EXPECT_TRUE(text.contains("age\x02" "age-x\x02x\x03"));
    EXPECT_TRUE(text.contains("out.xsl\x02/out/\x03"));
    EXPECT_TRUE(text.endsWith("\x05t\x02ic\x05"));
    EXPECT_EQ(text.count(sideFileMark), 7);
}

TEST(TableFileWriter, NumbersAreWrittenAsSinglesWithoutLocale)
{
    EXPECT_EQ(formatSingle(0), "0");
    EXPECT_EQ(formatSingle(-0.0), "0");
    EXPECT_EQ(formatSingle(1440), "1440");
    EXPECT_EQ(formatSingle(-120), "-120");
    EXPECT_EQ(formatSingle(1234.5), "1234.5");
    EXPECT_EQ(formatSingle(0.1), "0.1");
    EXPECT_EQ(formatSingle(2.0 / 3.0), "0.6666667");
    EXPECT_EQ(formatSingle(16777217.0), "16777216");

    EXPECT_EQ(parseWholeNumber("1234.5"), 1235);
    EXPECT_EQ(parseWholeNumber("1234,4"), 1234);
    EXPECT_EQ(parseWholeNumber(" -7 "), -7);
    EXPECT_EQ(parseWholeNumber("1e3"), 1000);
    EXPECT_EQ(parseWholeNumber(""), std::nullopt);
    EXPECT_EQ(parseWholeNumber("12px"), std::nullopt);
    EXPECT_EQ(parseWholeNumber("1e40"), std::nullopt);
    EXPECT_EQ(parseWholeNumber("nan"), std::nullopt);
}

TEST(TableFileWriter, FailedSaveReportsAndKeepsTheChangedFlag)
{
    TempHome home;
    ScopedScriptedUi ui;
    const QString path = home.file("missing-folder/people.tvk");
    buildSampleTable(home.file("people.tvk"));
    workspace().current().tableChanged = true;

    EXPECT_FALSE(writeTableFile(path));
    EXPECT_TRUE(workspace().current().tableChanged);
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_TRUE(ui->messages[0].startsWith("Cannot write to file " + path));
}

TEST(TableFileWriter, TableWithoutFileEmbedsEmptySideFiles)
{
    TempHome home;
    buildSampleTable(home.file("people.tvk"));
    workspace().current().tablePath.clear();
    EXPECT_TRUE(serializeTable().endsWith("-1\x02\x03\x05\x05\x05\x05\x05\x05\x05"));
}
