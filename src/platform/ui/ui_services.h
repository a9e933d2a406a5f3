#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// Every conversation with the user and every start of an outside program goes through
// this interface: the GUI installs a Qt implementation, tests install a scripted one.
class UiServices {
public:
    enum class Answer { Yes, No, Cancel, Ok };

    struct FileDialogRequest {
        bool isSave = false;
        bool mustExist = false;
        QString title;
        QString filter;   // "Description|*.ext" pairs joined by "|", as the program writes them
        QString fileName; // proposed file name
        QString initDir;  // folder the dialog starts in
    };

    // What the font dialog shows when it closes with OK.
    struct FontChoice {
        bool italic = false;
        bool bold = false;
        double size = 0; // points
        QString name;
    };
    // What the font dialog starts with; a field left unset keeps what the dialog showed
    // when it was last closed.
    struct FontPreset {
        std::optional<bool> italic;
        std::optional<bool> bold;
        std::optional<int> size;
        std::optional<QString> name;
    };

    virtual ~UiServices() = default;

    // Information with an OK button.
    virtual void message(const QString &text) = 0;
    // Yes / No question.
    virtual Answer askYesNo(const QString &text) = 0;
    // Yes / No / Cancel question.
    virtual Answer askYesNoCancel(const QString &text) = 0;
    // OK / Cancel question: Ok or Cancel.
    virtual Answer askOkCancel(const QString &text) = 0;
    // Input box; returns nullopt-like empty + ok=false on cancel.
    virtual QString inputBox(const QString &prompt, const QString &title, const QString &initial,
                             bool *ok) = 0;
    // Open or save dialog; "" when cancelled.
    virtual QString fileDialog(const FileDialogRequest &request) = 0;
    // Colour dialog; "" when cancelled, else "#RRGGBB".
    virtual QString chooseColor(const QString &initial) = 0;
    // Font dialog; nullopt when cancelled.
    virtual std::optional<FontChoice> chooseFont(const FontPreset &preset) = 0;
    // Shows a page or file in a separate browser window, titled untitledCaption (when given)
    // while the page has no title of its own.
    virtual void openInBrowser(const QString &pathOrUrl, const QString &untitledCaption = {}) = 0;
    // Starts an outside program without waiting; false when it could not start.
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;
};

// The services in force; a silent default (answers No/Cancel, records nothing) until one
// is installed.
UiServices &ui();
// Installs new services and returns the previous ones.
std::unique_ptr<UiServices> installUiServices(std::unique_ptr<UiServices> services);
