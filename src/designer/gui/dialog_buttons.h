#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;

// The OK ("bok") and Cancel buttons of a designer dialog, wired to its accept and reject.
QDialogButtonBox *okCancelButtons(QDialog *dialog, const QString &cancelName);
