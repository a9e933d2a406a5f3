#pragma once

// The FTP server the ftp_server fixture of CTest runs (ftp_server.py): its address, its
// home folder on this machine, and a fresh folder of the home for each test.

#include <QDir>
#include <QFile>
#include <QUuid>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

inline QString ftpState(const char *name)
{
    QFile file(QStringLiteral(TARVIK_FTP_STATE "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

// A port of the loopback interface where nothing listens.
inline QString refusedServer()
{
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(probe, reinterpret_cast<sockaddr *>(&address), length);
    getsockname(probe, reinterpret_cast<sockaddr *>(&address), &length);
    close(probe);
    return QStringLiteral("127.0.0.1:%1").arg(ntohs(address.sin_port));
}

class FtpServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        port = ftpState("port");
        home = ftpState("home");
        ASSERT_FALSE(port.isEmpty()) << "no FTP server: run the tests through ctest -L ftp";
        folder = QStringLiteral("t") + QUuid::createUuid().toString(QUuid::Id128);
        ASSERT_TRUE(QDir(home).mkdir(folder));
    }

    QString server() const { return QStringLiteral("127.0.0.1:") + port; }
    // A path on this machine of a name inside the test's folder on the server.
    QString local(const QString &name) const { return home + QChar('/') + folder + QChar('/') + name; }
    // The test's folder as the server names it.
    QString remote(const QString &name = {}) const { return QChar('/') + folder + QChar('/') + name; }

    QString port;
    QString home;
    QString folder;
};
