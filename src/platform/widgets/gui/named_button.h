#pragma once

#include <QString>

class QPushButton;
class QWidget;

// A push button with an object name, by which tests and tips find it, and an optional
// tooltip.
QPushButton *namedButton(const char *name, const QString &caption, const char *tip = nullptr,
                         QWidget *parent = nullptr);
