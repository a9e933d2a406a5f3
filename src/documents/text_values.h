#pragma once

#include <QString>
#include <optional>

// Numbers and flags as the table file and the settings files hold them: the same text on
// every locale.

// Twips as a single-precision number: digits, with "." and a fraction only when there is
// one.
QString formatSingle(double value);
// A decimal number ("," or "." as decimal separator) rounded to the nearest whole number;
// nothing for text that is no number or lies outside the range of a Long.
std::optional<int> parseWholeNumber(const QString &text);
// "True" or "False" in any letter case; nothing for other text.
std::optional<bool> parseFlag(const QString &text);
QString flagText(bool flag);
