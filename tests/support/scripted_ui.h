#pragma once

#include "platform/ui/ui_services.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>

// UiServices for tests: records every text shown and answers from a script. A question
// with no scripted answer gets No (Yes/No) or Cancel (Yes/No/Cancel, OK/Cancel).
class ScriptedUi final : public UiServices {
public:
    QStringList messages;  // information shown, in order
    QStringList questions; // questions asked, in order
    QList<FileDialogRequest> fileDialogs;
    QList<FontPreset> fontPresets;
    QStringList colorPresets;
    QStringList openedInBrowser;
    QList<QStringList> started; // program then arguments

    std::deque<Answer> answers;
    std::deque<QString> fileAnswers;
    std::deque<QString> inputAnswers; // an entry "\x1b" means Cancel
    std::deque<QString> colorAnswers;
    std::deque<std::optional<FontChoice>> fontAnswers; // none left means Cancel
    bool startSucceeds = true;

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
    Answer nextAnswer(Answer fallback);
};

// Installs a ScriptedUi for the lifetime of the object and restores the previous services.
class ScopedScriptedUi {
public:
    ScopedScriptedUi();
    ~ScopedScriptedUi();
    ScriptedUi &operator*() { return *ui; }
    ScriptedUi *operator->() { return ui; }

private:
    ScriptedUi *ui;
    std::unique_ptr<UiServices> previous;
};
