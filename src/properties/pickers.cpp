#include "properties/pickers.h"

#include "platform/ui/ui_services.h"
#include "properties/value_encodings.h"

namespace {

// The choice whose text is the value's part before its first "px"; unchanged otherwise.
void loadPixels(QString &choice, const QString &value)
{
    const QString pixels = pixelsPart(value);
    if (pixelChoices().contains(pixels))
        choice = pixels;
}

} // namespace

const QStringList &pixelChoices()
{
    static const QStringList choices = [] {
        QStringList list;
        for (int i = 0; i <= 50; ++i)
            list << QString::number(i);
        return list;
    }();
    return choices;
}

void BorderPicker::tryLoad(const QString &value)
{
    loadPixels(width, value);
    if (const QString found = borderStyleIn(value); !found.isEmpty())
        style = found;
    if (const std::optional<QString> found = borderColourIn(value))
        colour = *found;
}

std::optional<QString> BorderPicker::accept()
{
    if (width.isEmpty()) {
        ui().message(QStringLiteral("Please select a border width from dropdown list and then "
                                    "click OK."));
        return std::nullopt;
    }
    const bool none = width == QLatin1String("0");
    if (style.isEmpty()) {
        if (!none) {
            ui().message(QStringLiteral("Please select a border style from dropdown list and "
                                        "then click OK."));
            return std::nullopt;
        }
        style = borderStyles().first();
    }
    if (colour.trimmed().isEmpty()) {
        if (!none) {
            ui().message(QStringLiteral("Please select or type color and then click OK."));
            return std::nullopt;
        }
        colour = QStringLiteral("transparent");
    }
    return borderValue(width, style, colour);
}

void SizePicker::tryLoad(const QString &value) { loadPixels(size, value); }

std::optional<QString> SizePicker::accept() const
{
    if (size.isEmpty()) {
        ui().message(QStringLiteral("Please select a value from dropdown list and then click OK."));
        return std::nullopt;
    }
    return sizeValue(size);
}
