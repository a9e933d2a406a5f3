#pragma once

#include <QDialog>

class QLabel;

// "About Tarvik": the product line, the version and the web site. One instance serves
// every showing; OK hides it.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent);

    // Sets the version text again and shows the window modally.
    void showVersion();

private:
    QLabel *version;
};
