#pragma once

#include "properties/pickers.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// The border picker `pix`: width, style and colour of a border value.
class BorderPickerDialog : public QDialog {
    Q_OBJECT
public:
    explicit BorderPickerDialog(QWidget *parent = nullptr);
    // Preset from the value, shown modal: the border value chosen, "" when cancelled.
    QString pick(const QString &value);
    // Preset from the value (tryLoad).
    void load(const QString &value);
    // The buttons.
    void ok_Click();
    void closeit_Click();
    void bcolor_Click();
    const QString &result() const { return answer; }

private:
    // The choices the lists and the colour field show, and back.
    void readChoices();
    void showChoices();

    BorderPicker choices;
    QComboBox *val;
    QComboBox *style;
    QLineEdit *color;
    QString answer;
};

// The size picker `justpix`: a number of pixels.
class SizePickerDialog : public QDialog {
    Q_OBJECT
public:
    explicit SizePickerDialog(QWidget *parent = nullptr);
    // With this caption, preset from the value, shown modal: the size value chosen, ""
    // when cancelled.
    QString pick(const QString &caption, const QString &value);
    // The caption, the window made wide enough to show it whole.
    void setCaption(const QString &caption);
    void load(const QString &value);
    void ok_Click();
    void closeit_Click();
    const QString &result() const { return answer; }

private:
    SizePicker choice;
    QComboBox *val;
    QString answer;
};

// The one shared instance of each, created on first use over the given window.
BorderPickerDialog &borderPickerDialog(QWidget *owner);
SizePickerDialog &sizePickerDialog(QWidget *owner);
