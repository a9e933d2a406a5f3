#pragma once

#include "platform/ui/ui_services.h"

#include <QString>
#include <QStringList>
#include <optional>

// The text forms of colour, font, border and size values, and their conversions to and
// from what the platform's dialogs take.

// A colour number (0x00BBGGRR, red in the low byte) as a colour value "#RRGGBB" in upper
// case; digits above the sixth are dropped.
QString ColorToHTML(qint32 colour);
// The hexadecimal digits of a colour value without its "#" as a colour number. Six
// digits convert back exactly; other lengths are reordered by the same rule.
qint32 Dec(const QString &digits);
// 0 to 15 for a hexadecimal digit in either case; 0 for any other character.
qint16 hexDigit(QChar c);

// A font value: style, "normal", weight, size with "px" and the quoted family.
QString fontValue(const UiServices::FontChoice &font);
// The fields of a font value the font dialog starts with; nullopt when the value cannot
// be applied (a size that is no number, a family shorter than its quotes).
std::optional<UiServices::FontPreset> fontPresetOf(const QString &value);
// Shows the font dialog started from the current value and gives the chosen font value;
// "" when cancelled or when the value cannot be applied, which is reported.
QString pickFont(const QString &current);

// Border values: width with "px", a style and a colour; size values: a number and "px".
const QStringList &borderStyles();
QString borderValue(const QString &width, const QString &style, const QString &colour);
QString sizeValue(const QString &number);
// The text before the first "px": the width of a border or the number of a size; ""
// without "px".
QString pixelsPart(const QString &value);
// The first border style that, followed by a blank, occurs in the value; "" for none.
QString borderStyleIn(const QString &value);
// The text after the second blank; nullopt when the value has fewer than two.
std::optional<QString> borderColourIn(const QString &value);
