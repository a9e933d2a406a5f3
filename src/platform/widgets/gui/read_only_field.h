#pragma once

class QLineEdit;

// A text field that the user does not type into (it changes through a button beside it):
// read-only, and drawn in the window's colour rather than as a white box to type in. Its
// text can still be selected and copied.
void showAsReadOnly(QLineEdit *field);
