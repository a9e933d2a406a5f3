#include "properties/value_encodings.h"

#include <cmath>
#include <limits>

QString ColorToHTML(qint32 colour)
{
    const QString hex = QString::number(quint32(colour), 16).toUpper();
    const QString bgr = (QStringLiteral("00000") + hex).right(6);
    return QChar('#') + bgr.mid(4, 2) + bgr.mid(2, 2) + bgr.left(2);
}

qint32 Dec(const QString &digits)
{
    // At most six characters, so the value always fits.
    const QString reordered = digits.right(2) + digits.mid(2, 2) + digits.left(2);
    qint32 value = 0;
    for (const QChar c : reordered)
        value = value * 16 + hexDigit(c);
    return value;
}

qint16 hexDigit(QChar c)
{
    const char16_t u = c.toUpper().unicode();
    if (u >= 'A' && u <= 'F')
        return qint16(u - 'A' + 10);
    if (u >= '0' && u <= '9')
        return qint16(u - '0');
    return 0;
}

QString fontValue(const UiServices::FontChoice &font)
{
    const QString name = font.name.trimmed().isEmpty() ? QStringLiteral("Times New Roman")
                                                       : font.name;
    return QString(font.italic ? "italic" : "normal") + QStringLiteral(" normal ") +
           (font.bold ? "bold" : "normal") + QChar(' ') + QString::number(font.size) +
           QStringLiteral("px \"") + name + QChar('"');
}

namespace {

// The size field: the number before "px", rounded half to even, as a 16-bit whole number.
std::optional<int> fontSizeOf(const QString &field)
{
    const qsizetype px = field.indexOf(QStringLiteral("px"));
    if (px < 0)
        return std::nullopt;
    bool ok = false;
    const double size = field.left(px).trimmed().toDouble(&ok);
    const double whole = std::nearbyint(size);
    if (!ok || std::abs(whole) > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return int(whole);
}

// Applies field number `index` to the preset; false when it cannot be applied.
bool applyFontField(int index, const QString &field, UiServices::FontPreset &preset)
{
    switch (index) {
    case 0:
        preset.italic = field == QLatin1String("italic");
        return true;
    case 2:
        preset.bold = field == QLatin1String("bold");
        return true;
    case 3:
        preset.size = fontSizeOf(field);
        return preset.size.has_value();
    case 4:
        if (field.size() < 2)
            return false;
        preset.name = field.mid(1, field.size() - 2);
        return true;
    default:
        return true;
    }
}

} // namespace

std::optional<UiServices::FontPreset> fontPresetOf(const QString &value)
{
    UiServices::FontPreset preset;
    QString rest = value;
    for (int index = 0; index <= 4; ++index) {
        // The first four fields end at a blank; the family is the whole rest.
        const qsizetype blank = rest.indexOf(QChar(' '));
        if (index == 4 || blank < 0)
            index = 4;
        const QString field = (index == 4 ? rest : rest.left(blank)).trimmed();
        rest = index == 4 ? QString() : rest.mid(blank + 1).trimmed();
        if (field.isEmpty())
            break;
        if (!applyFontField(index, field, preset))
            return std::nullopt;
    }
    return preset;
}

QString pickFont(const QString &current)
{
    const std::optional<UiServices::FontPreset> preset =
        current.isEmpty() ? UiServices::FontPreset{} : fontPresetOf(current);
    if (!preset) {
        ui().message(
            QStringLiteral("Font not recognized. Set font to empty string and try again."));
        return {};
    }
    const std::optional<UiServices::FontChoice> chosen = ui().chooseFont(*preset);
    return chosen ? fontValue(*chosen) : QString();
}

const QStringList &borderStyles()
{
    static const QStringList styles{"solid", "dashed", "dotted", "double", "groove",
                                    "ridge", "inset",  "outset", "none",   "hidden"};
    return styles;
}

QString borderValue(const QString &width, const QString &style, const QString &colour)
{
    return width + QStringLiteral("px ") + style + QChar(' ') + colour;
}

QString sizeValue(const QString &number) { return number + QStringLiteral("px"); }

QString pixelsPart(const QString &value)
{
    const qsizetype px = value.indexOf(QStringLiteral("px"));
    return px < 0 ? QString() : value.left(px);
}

QString borderStyleIn(const QString &value)
{
    for (const QString &style : borderStyles()) {
        if (value.contains(style + QChar(' ')))
            return style;
    }
    return {};
}

std::optional<QString> borderColourIn(const QString &value)
{
    const qsizetype first = value.indexOf(QChar(' '));
    const qsizetype second = first < 0 ? -1 : value.indexOf(QChar(' '), first + 1);
    if (second < 0)
        return std::nullopt;
    return value.mid(second + 1);
}
