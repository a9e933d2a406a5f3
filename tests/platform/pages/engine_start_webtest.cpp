// How the program starts its browser engine.
#include "platform/process/process_tree.h"
#include "support/temp_home.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Whether a process of the browser engine runs as a child of the process.
bool engineChildOf(qint64 pid)
{
    for (const QString &entry : QDir("/proc").entryList(QDir::Dirs)) {
        QFile stat("/proc/" + entry + "/stat");
        const QList<QByteArray> fields =
            stat.open(QIODevice::ReadOnly) ? stat.readAll().split(' ') : QList<QByteArray>();
        if (fields.size() > 3 && fields[1].startsWith("(QtWebEngine") &&
            fields[3].toLongLong() == pid)
            return true;
    }
    return false;
}

} // namespace

// The engine refuses its sandbox to root: the program starts it without and says so.
TEST(EngineStart, RunAsRootTheEngineStartsWithoutItsSandboxAndSaysSo)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only a run as root is refused the sandbox";
    TempHome home;
    for (const char *file : {"demo_books.tvk", "demo_books.xml"})
        ASSERT_TRUE(QFile::copy(TARVIK_SOURCE_DIR "/resources/examples/" + QString(file),
                                home.file(file)));
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QTWEBENGINE_DISABLE_SANDBOX");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.setChildProcessModifier(startAsTreeRoot);
    program.start(TARVIK_BINARY_DIR "/tarvik", {home.file("demo_books.tvk")});
    ASSERT_TRUE(program.waitForStarted());
    const QDeadlineTimer deadline(30000);
    while (program.state() == QProcess::Running && !engineChildOf(program.processId()) &&
           !deadline.hasExpired())
        program.waitForFinished(50);
    EXPECT_TRUE(engineChildOf(program.processId())) << program.readAllStandardError().toStdString();
    killProcessTree(program.processId());
    program.waitForFinished();
    EXPECT_TRUE(program.readAllStandardError().contains("starts without its sandbox"));
}
