#pragma once

#include <QString>
#include <QStringList>
#include <memory>

// Every conversation with the user and every start of an outside program goes through
// this interface: the GUI installs a Qt implementation, tests install a scripted one.
class UiServices {
public:
    enum class Answer { Yes, No, Cancel };

    struct FileDialogRequest {
        bool isSave = false;
        bool mustExist = false;
        QString title;
        QString filter;   // "Description|*.ext" pairs joined by "|", as the program writes them
        QString fileName; // proposed file name
        QString initDir;  // folder the dialog starts in
    };

    virtual ~UiServices() = default;

    // Information with an OK button.
    virtual void message(const QString &text) = 0;
    // Yes / No question.
    virtual Answer askYesNo(const QString &text) = 0;
    // Yes / No / Cancel question.
    virtual Answer askYesNoCancel(const QString &text) = 0;
    // Input box; returns nullopt-like empty + ok=false on cancel.
    virtual QString inputBox(const QString &prompt, const QString &title, const QString &initial,
                             bool *ok) = 0;
    // Open or save dialog; "" when cancelled.
    virtual QString fileDialog(const FileDialogRequest &request) = 0;
    // Colour dialog; "" when cancelled, else "#RRGGBB".
    virtual QString chooseColor(const QString &initial) = 0;
    // Font dialog; "" when cancelled, else a CSS font shorthand.
    virtual QString chooseFont(const QString &initial) = 0;
    // Shows a page or file in a separate browser window.
    virtual void openInBrowser(const QString &pathOrUrl) = 0;
    // Starts an outside program without waiting; false when it could not start.
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;
};

// The services in force; a silent default (answers No/Cancel, records nothing) until one
// is installed.
UiServices &ui();
// Installs new services and returns the previous ones.
std::unique_ptr<UiServices> installUiServices(std::unique_ptr<UiServices> services);
