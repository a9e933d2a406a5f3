// Damaged table files: the reader must end, whatever it is given.
#include "documents/table_file_reader.h"
#include "documents/table_file_writer.h"
#include "documents/workspace.h"
#include "recording_views.h"
#include "sample_table.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>
#include <random>

namespace {

void readIntoEmptySlot(const QString &text)
{
    Workspace &ws = workspace();
    ws.current().reset();
    ws.xslEditForms = {};
    readTableText("damaged.tvk", text);
}

} // namespace

TEST(TableFileRobustness, EveryPrefixOfAValidFileReads)
{
    TempHome home;
    ScopedScriptedUi ui;
    buildSampleTable(home.file("people.tvk"));
    const QString text = serializeTable();
    RecordingSlotViews views;
    for (qsizetype length = 0; length <= text.size(); ++length)
        readIntoEmptySlot(text.left(length));
    EXPECT_EQ(workspace().current().tablePath, "damaged.tvk");
    EXPECT_TRUE(workspace().uiReady);
}

TEST(TableFileRobustness, FilesWithFlippedBytesRead)
{
    TempHome home;
    ScopedScriptedUi ui;
    buildSampleTable(home.file("people.tvk"));
    const QString text = serializeTable();
    std::mt19937 random(20261209);
    std::uniform_int_distribution<qsizetype> position(0, text.size() - 1);
    std::uniform_int_distribution<int> flips(1, 6);
    // Mostly separators and digits, which steer the reader; sometimes any character.
    const QString likely = QStringLiteral("\x02\x03\x04\x05-0123456789.,Tre");
    std::uniform_int_distribution<qsizetype> likelyChar(0, likely.size() - 1);
    std::uniform_int_distribution<int> anyChar(0, 0xFFFF);
    for (int variant = 0; variant < 3000; ++variant) {
        QString damaged = text;
        for (int n = flips(random); n > 0; --n) {
            const qsizetype at = position(random);
            damaged[at] = variant % 4 == 0 ? QChar(char16_t(anyChar(random)))
                                           : likely[likelyChar(random)];
        }
        readIntoEmptySlot(damaged);
    }
    EXPECT_TRUE(workspace().uiReady);
}
