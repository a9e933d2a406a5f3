#pragma once

#include "platform/ftp/ftp_session.h"
#include "publishing/ftp_entries.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

// A small FTP client: at most one connection, one open remote file and the entries of the
// last listing. Operations return True or False ("b"), a text ("s") or a number ("l") and
// keep the last error in lErrorNum and sErrorDesc, which nearly every operation clears
// first. A refusal by the server gives the reply's number and text; any other failure
// gives libcurl's error code and a text saying what failed and why. A refused command
// keeps the connection. Names relative to the current folder (sGetCurrentDir) are
// resolved by the client; names, user names, passwords and proxy names holding CR, LF or
// NUL are refused. All calls block the calling thread, each within time limits.
class ASPFTP {
public:
    static constexpr quint32 genericWrite = 0x40000000;
    static constexpr quint32 genericRead = 0x80000000;

    ASPFTP();
    ~ASPFTP();
    ASPFTP(const ASPFTP &) = delete;
    ASPFTP &operator=(const ASPFTP &) = delete;

    // Quick operations: a whole connection, from connecting to disconnecting, in one call.
    bool bQGetFile(const QString &server, const QString &user, const QString &password,
                   const QString &remoteFile, const QString &localFile, int transferType,
                   bool overWrite);
    bool bQPutFile(const QString &server, const QString &user, const QString &password,
                   const QString &localFile, const QString &remoteFile, int transferType);
    bool bQMakeDir(const QString &server, const QString &user, const QString &password,
                   const QString &folder);
    bool bQRemoveDir(const QString &server, const QString &user, const QString &password,
                     const QString &folder);
    bool bQDeleteFile(const QString &server, const QString &user, const QString &password,
                      const QString &remoteFile);
    bool bQRename(const QString &server, const QString &user, const QString &password,
                  const QString &oldName, const QString &newName);

    // Listing: bGetDir keeps the entries holding every bit of the mask (mask 0: all);
    // sListDir joins with ";" the names of the entries sharing a bit with the mask.
    QString sGetDirName(int index);
    int lGetDirCount();
    bool bGetDir(const QString &folder, quint16 mask);
    QString sListDir(const QString &folder, quint16 mask);

    // Closes the open file, the connection and the session; always True.
    bool bDisconnect();

    int lFileAccess() const { return fileAccess == genericWrite ? 1 : 2; }
    void lFileAccess(int value) { fileAccess = value == 1 ? genericWrite : genericRead; }
    // 1: direct; any other value: through sproxyname unless the host is in sproxybypass.
    int lAccessType() const { return accessType; }
    void lAccessType(int value) { accessType = value; }
    const QString &sproxyname() const { return proxyName; }
    void sproxyname(const QString &value) { proxyName = value.trimmed(); }
    const QString &sproxybypass() const { return proxyBypass; }
    void sproxybypass(const QString &value) { proxyBypass = value.trimmed(); }
    QString sError() const;
    int lErrorNum() const { return errorNum; }
    const QString &sErrorDesc() const { return errorDesc; }
    const QString &sServerName() const { return serverName; }
    void sServerName(const QString &value) { serverName = value.trimmed(); }
    const QString &sUserID() const { return userID; }
    void sUserID(const QString &value) { userID = value.trimmed(); }
    // Kept as typed: blanks belong to a password.
    const QString &sPassword() const { return password; }
    void sPassword(const QString &value) { password = value; }
    bool bPassiveMode() const { return passiveMode; }
    void bPassiveMode(bool value) { passiveMode = value; }
    bool bOverWrite() const { return !failIfExists; }
    void bOverWrite(bool value) { failIfExists = !value; }
    // 1 ASCII (line ends travel as CR LF), 2 byte for byte.
    int lTransferType() const { return transferType; }
    void lTransferType(int value) { transferType = value; }

    // The open remote file: reading gives its whole text, writing appends to it.
    bool bCloseFile();
    static QString sConvertCrLf(const QString &text);
    QString sReadFile();
    bool bWriteFile(const QString &text);
    bool bOpenFile(const QString &remoteFile);

    bool bConnect();
    bool bRename(const QString &oldName, const QString &newName);
    bool bGetFile(const QString &remoteFile, const QString &localFile);
    bool bPutFile(const QString &localFile, const QString &remoteFile);
    bool bRemoveDir(const QString &folder);
    bool bMakeDir(const QString &folder);
    bool bDeleteFile(const QString &remoteFile);
    bool bSetCurrentDir(const QString &folder);
    QString sGetCurrentDir();

    // How many control connections the client has opened so far.
    int connectionsOpened() const;

private:
    struct OpenFile {
        QString path;
        QByteArray unread; // what a read handle has not handed out yet
    };

    bool fillDirList(const QString &folder);
    void clearError();
    void setError(int number, const QString &description);
    void setError(const FtpResult &result);
    bool connectForTransfer();
    // Runs a transfer in the set transfer type; a failure becomes the error.
    bool transfer(const std::function<FtpResult()> &operation);
    bool connectionAvailable();
    bool quick(const QString &server, const QString &user, const QString &password,
               const std::function<bool()> &operation);
    bool command(const QStringList &commands, QStringList *replies = nullptr);
    QString absolute(const QString &name) const;
    bool ascii() const { return (transferType & 3) == 1; }

    colItem dirList;
    int errorNum = 0;
    QString errorDesc;
    int accessType = 1;
    QString proxyName;
    QString proxyBypass;
    std::unique_ptr<FtpSession> session;
    FtpEndpoint sessionProxy; // the proxy settings in force when the session was opened
    QString serverName;
    QString userID = QStringLiteral("anonymous");
    QString password;
    bool passiveMode = true;
    bool connected = false;
    QString currentDir;
    std::optional<OpenFile> openFile;
    quint32 fileAccess = genericWrite;
    int transferType = 1;
    bool failIfExists = false;
    int closedConnections = 0;
};
