#include "properties/value_encodings.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

using FontChoice = UiServices::FontChoice;
using FontPreset = UiServices::FontPreset;

TEST(ColourValues, NumberToTextAndBack)
{
    struct Case {
        qint32 number;
        QString text;
    };
    const Case cases[] = {
        {0x0080FF, "#FF8000"}, {0x000000, "#000000"}, {0xFFFFFF, "#FFFFFF"},
        {0x123456, "#563412"}, {0x00FF00, "#00FF00"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ColorToHTML(c.number), c.text);
        EXPECT_EQ(Dec(c.text.mid(1)), c.number) << c.text.toStdString();
        EXPECT_EQ(Dec(c.text.mid(1).toLower()), c.number);
    }
}

TEST(ColourValues, EdgeCases)
{
    EXPECT_EQ(ColorToHTML(0x7A0080FF), "#FF8000");    // digits above the sixth dropped
    EXPECT_EQ(ColorToHTML(-1), "#FFFFFF");            // two's complement
    EXPECT_EQ(Dec("ABC"), 0xBCCAB);                   // reordered as BCCAB
    EXPECT_EQ(Dec("zz8000"), 0x008000);               // not a digit counts 0
    EXPECT_EQ(Dec("12345678"), 0x783412); // six characters take part
    EXPECT_EQ(hexDigit('f'), 15);
    EXPECT_EQ(hexDigit('9'), 9);
    EXPECT_EQ(hexDigit('g'), 0);
}

TEST(FontValues, PresetFromValue)
{
    struct Case {
        const char *value;
        std::optional<bool> italic;
        std::optional<bool> bold;
        std::optional<int> size;
        std::optional<QString> name;
    };
    const Case cases[] = {
        {"italic normal bold 12px \"Arial\"", true, true, 12, "Arial"},
        {"normal normal normal 9px \"Courier New\"", false, false, 9, "Courier New"},
        {"bold", {}, {}, {}, "ol"},                            // one word: the family
        {"normal normal bold 12px", false, true, {}, "2p"},    // stops after the size
        {"italic normal bold 10.5px \"A\"", true, true, 10, "A"}, // half to even
        {"italic normal bold 11.5px \"A\"", true, true, 12, "A"},
        {"normal normal normal 8px Arial", false, false, 8, "ria"}, // no quotes
        {"italic ", true, {}, {}, {}},                          // an empty field ends it
    };
    for (const Case &c : cases) {
        const std::optional<FontPreset> preset = fontPresetOf(c.value);
        ASSERT_TRUE(preset) << c.value;
        EXPECT_EQ(preset->italic, c.italic) << c.value;
        EXPECT_EQ(preset->bold, c.bold) << c.value;
        EXPECT_EQ(preset->size, c.size) << c.value;
        EXPECT_EQ(preset->name, c.name) << c.value;
    }
    for (const char *refused : {"normal normal bold big \"Arial\"", "normal normal bold 12 x",
                                "normal normal bold xpx \"A\"", "a b c 12px \""}) {
        EXPECT_FALSE(fontPresetOf(refused)) << refused;
    }
}

TEST(FontValues, PickFontThroughTheDialog)
{
    ScopedScriptedUi ui;
    ui->fontAnswers = {FontChoice{true, true, 12, "Arial"}, FontChoice{false, false, 10.5, " "},
                       std::nullopt};
    EXPECT_EQ(pickFont(""), "italic normal bold 12px \"Arial\"");
    EXPECT_EQ(pickFont("italic normal bold 12px \"Arial\""),
              "normal normal normal 10.5px \"Times New Roman\"");
    EXPECT_EQ(pickFont("normal normal normal 9px \"X\""), ""); // cancelled
    ASSERT_EQ(ui->fontPresets.size(), 3);
    EXPECT_FALSE(ui->fontPresets[0].name); // an empty value presets nothing
    EXPECT_EQ(ui->fontPresets[1].size, 12);
    EXPECT_TRUE(ui->messages.isEmpty());

    EXPECT_EQ(pickFont("normal normal bold huge \"Arial\""), "");
    EXPECT_EQ(ui->messages,
              QStringList{"Font not recognized. Set font to empty string and try again."});
    EXPECT_EQ(ui->fontPresets.size(), 3); // the dialog was not shown
}

TEST(BorderAndSizeValues, TextsAndTheirParts)
{
    EXPECT_EQ(borderValue("2", "dotted", "#FF0000"), "2px dotted #FF0000");
    EXPECT_EQ(sizeValue("5"), "5px");
    EXPECT_EQ(pixelsPart("10px solid gray"), "10");
    EXPECT_EQ(pixelsPart("auto"), "");
    EXPECT_EQ(borderStyleIn("10px solid gray"), "solid");
    EXPECT_EQ(borderStyleIn("1px outset black"), "outset"); // not inset
    EXPECT_EQ(borderStyleIn("thin"), "");
    EXPECT_EQ(borderColourIn("10px solid gray"), "gray");
    EXPECT_EQ(borderColourIn("1px solid  light blue"), " light blue");
    EXPECT_FALSE(borderColourIn("1px solid"));
}
