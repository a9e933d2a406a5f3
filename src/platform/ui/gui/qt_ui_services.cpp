#include "platform/ui/gui/qt_ui_services.h"

#include "platform/pages/gui/browser_window.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

QtUiServices::QtUiServices(QWidget *(*parent)()) : parentOf(parent) {}

QWidget *QtUiServices::dialogParent() const { return parentOf ? parentOf() : nullptr; }

namespace {

QMessageBox::StandardButton ask(QWidget *parent, const QString &text,
                                QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, buttons, parent);
    return QMessageBox::StandardButton(box.exec());
}

UiServices::Answer answerOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes:
        return UiServices::Answer::Yes;
    case QMessageBox::No:
        return UiServices::Answer::No;
    default:
        return UiServices::Answer::Cancel;
    }
}

} // namespace

void QtUiServices::message(const QString &text) { ask(dialogParent(), text, QMessageBox::Ok); }

UiServices::Answer QtUiServices::askYesNo(const QString &text)
{
    const auto button = ask(dialogParent(), text, QMessageBox::Yes | QMessageBox::No);
    return button == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

UiServices::Answer QtUiServices::askYesNoCancel(const QString &text)
{
    return answerOf(
        ask(dialogParent(), text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
}

UiServices::Answer QtUiServices::askOkCancel(const QString &text)
{
    const auto button = ask(dialogParent(), text, QMessageBox::Ok | QMessageBox::Cancel);
    return button == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

QString QtUiServices::inputBox(const QString &prompt, const QString &title,
                               const QString &initial, bool *ok)
{
    return QInputDialog::getText(dialogParent(), title, prompt, QLineEdit::Normal, initial, ok);
}

QString qtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QChar('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters.append(parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(';', ' ') +
                       QChar(')'));
    return filters.join(QStringLiteral(";;"));
}

QString QtUiServices::fileDialog(const FileDialogRequest &request)
{
    const QString folder = request.initDir.isEmpty() ? QDir::homePath() : request.initDir;
    QFileDialog dialog(dialogParent(), request.title, folder, qtNameFilters(request.filter));
    if (request.isSave) {
        // The program asks its own overwrite questions.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtUiServices::chooseColor(const QString &initial)
{
    // Without a colour to start from, the dialog starts at the colour chosen last.
    const QColor preset(initial);
    const QColor chosen =
        QColorDialog::getColor(preset.isValid() ? preset : colourShown, dialogParent());
    if (!chosen.isValid())
        return {};
    colourShown = chosen;
    return chosen.name(QColor::HexRgb).toUpper();
}

std::optional<UiServices::FontChoice> QtUiServices::chooseFont(const FontPreset &preset)
{
    if (preset.italic)
        fontShown.setItalic(*preset.italic);
    if (preset.bold)
        fontShown.setBold(*preset.bold);
    if (preset.size && *preset.size > 0)
        fontShown.setPointSize(*preset.size);
    if (preset.name)
        fontShown.setFamily(*preset.name);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, fontShown, dialogParent());
    if (!ok)
        return std::nullopt;
    fontShown = chosen;
    return FontChoice{chosen.italic(), chosen.bold(), chosen.pointSizeF(), chosen.family()};
}

void QtUiServices::openInBrowser(const QString &pathOrUrl, const QString &untitledCaption)
{
    BrowserWindow::open(QUrl::fromUserInput(pathOrUrl), dialogParent(), untitledCaption);
}

bool QtUiServices::startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}
