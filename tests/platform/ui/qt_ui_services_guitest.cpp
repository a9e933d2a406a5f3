#include "platform/ui/gui/qt_ui_services.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Answers the next file dialog with a typed name and reports the folder it opened in.
struct DialogAnswer {
    QString typed;
    QString openedIn;

    void arm()
    {
        QTimer::singleShot(0, [this] {
            for (QWidget *window : QApplication::topLevelWidgets())
                if (auto *dialog = qobject_cast<QFileDialog *>(window)) {
                    openedIn = dialog->directory().path();
                    dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(typed);
                    QMetaObject::invokeMethod(dialog, "accept");
                }
        });
    }
};

UiServices::FileDialogRequest saveRequest(const QString &initDir)
{
    UiServices::FileDialogRequest request;
    request.isSave = true;
    request.title = QStringLiteral("Save Table As");
    request.filter = QStringLiteral("Tarvik Table|*.tvk");
    request.initDir = initDir;
    return request;
}

} // namespace

TEST(QtFileDialog, SaveReturnsTheTypedNameAndNeverStartsAtTheRoot)
{
    QTemporaryDir dir;
    QtUiServices services;
    DialogAnswer answer{QStringLiteral("t1"), {}};
    answer.arm();
    EXPECT_EQ(services.fileDialog(saveRequest(dir.path())), dir.path() + "/t1");
    EXPECT_EQ(answer.openedIn, dir.path());

    DialogAnswer noFolder{QStringLiteral("t2"), {}};
    noFolder.arm();
    EXPECT_EQ(services.fileDialog(saveRequest(QString())), QDir::homePath() + "/t2");
    EXPECT_EQ(noFolder.openedIn, QDir::homePath());
}
