#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The border picker and the size picker: what they show and how OK answers. Each is one
// shared dialog whose choices carry over from one use to the next; tryLoad changes only
// what it can read from the new value.

// The choices of the width and size lists: "0" to "50".
const QStringList &pixelChoices();

struct BorderPicker {
    QString width; // "" for no choice
    QString style; // "" for no choice
    QString colour;

    // Presets the choices from a border value.
    void tryLoad(const QString &value);
    // OK: the border value, or nullopt after telling what is missing. With width "0" a
    // missing style becomes "solid" and an empty colour "transparent".
    std::optional<QString> accept();
};

struct SizePicker {
    QString size; // "" for no choice

    void tryLoad(const QString &value);
    // OK: the size value, or nullopt after telling that nothing is chosen.
    std::optional<QString> accept() const;
};
