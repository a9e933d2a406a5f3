#pragma once

#include "platform/ui/ui_services.h"

#include <QColor>
#include <QFont>

class QWidget;

// Message boxes and dialogs on Qt widgets. Message boxes carry the application name as
// their title and no icon.
class QtUiServices final : public UiServices {
public:
    // Dialogs open over the window the parent function returns (may be null).
    explicit QtUiServices(QWidget *(*parent)() = nullptr);

    void message(const QString &text) override;
    Answer askYesNo(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    Answer askOkCancel(const QString &text) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &initial,
                     bool *ok) override;
    QString fileDialog(const FileDialogRequest &request) override;
    QString chooseColor(const QString &initial) override;
    std::optional<FontChoice> chooseFont(const FontPreset &preset) override;
    void openInBrowser(const QString &pathOrUrl, const QString &untitledCaption) override;
    bool startDetached(const QString &program, const QStringList &arguments) override;

private:
    QWidget *dialogParent() const;
    QWidget *(*parentOf)();
    QFont fontShown; // what the font dialog showed when it last closed
    QColor colourShown = Qt::white; // the colour chosen last
};

// "Description|*.ext|Other|*.x" as Qt's name filters.
QString qtNameFilters(const QString &filter);
