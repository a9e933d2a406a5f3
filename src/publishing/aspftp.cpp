#include "publishing/aspftp.h"

#include "documents/file_replacement.h"
#include "documents/text_files.h"
#include "publishing/ftp_listing.h"

#include <QBuffer>
#include <QFile>

namespace {

constexpr int fileNotFound = 2;
constexpr int fileExists = 80;
constexpr int invalidHandle = 6;

// The folder a PWD reply names: the text between its first quote and the closing one,
// where a doubled quote stands for one.
QString quotedFolder(const QString &reply)
{
    const qsizetype start = reply.indexOf(QChar('"'));
    if (start < 0)
        return {};
    QString folder;
    for (qsizetype i = start + 1; i < reply.size(); ++i) {
        if (reply[i] == QChar('"')) {
            if (i + 1 >= reply.size() || reply[i + 1] != QChar('"'))
                break;
            ++i;
        }
        folder += reply[i];
    }
    return folder;
}

// The reply's text after its number and the one character that follows the number.
QString replyText(const QString &reply, int number)
{
    const QString numberText = QString::number(number);
    const qsizetype at = reply.indexOf(numberText);
    return at < 0 ? reply : reply.mid(at + numberText.size() + 1);
}

} // namespace

ASPFTP::ASPFTP() = default;

ASPFTP::~ASPFTP() { bDisconnect(); }

// --- errors -----------------------------------------------------------------------------

void ASPFTP::clearError() { setError(0, {}); }

void ASPFTP::setError(int number, const QString &description)
{
    errorNum = number;
    errorDesc = description;
}

void ASPFTP::setError(const FtpResult &result)
{
    if (result.refusedByServer()) {
        setError(result.replyCode(), replyText(result.lastReply, result.replyCode()));
    } else {
        setError(result.code, result.message);
    }
}

QString ASPFTP::sError() const
{
    return QString::number(errorNum) + QStringLiteral(": ") + errorDesc;
}

// --- connection -------------------------------------------------------------------------

bool ASPFTP::bConnect()
{
    clearError();
    if (!session) {
        session = std::make_unique<FtpSession>();
        sessionProxy = {};
        if (accessType != 1) {
            sessionProxy.proxy = proxyName;
            sessionProxy.proxyBypass = proxyBypass;
        }
    }
    if (connected)
        return true;
    if (serverName.isEmpty()) {
        setError(-1, QStringLiteral("Server name required."));
        bDisconnect();
        return false;
    }
    FtpEndpoint endpoint = sessionProxy;
    endpoint.server = serverName;
    endpoint.user = userID;
    endpoint.password = password;
    endpoint.passive = passiveMode;
    session->setEndpoint(endpoint);
    const FtpResult result = session->login(&currentDir);
    if (!result.ok) {
        setError(result);
        return false;
    }
    connected = true;
    return true;
}

bool ASPFTP::bDisconnect()
{
    openFile.reset();
    connected = false;
    if (session)
        closedConnections += session->connectionsOpened();
    session.reset(); // says QUIT to the server
    dirList.Clear();
    return true;
}

int ASPFTP::connectionsOpened() const
{
    return closedConnections + (session ? session->connectionsOpened() : 0);
}

bool ASPFTP::connectForTransfer()
{
    if (!connected)
        bConnect();
    if (!connected)
        setError(-1, QStringLiteral("Could not connect to server."));
    return connected;
}

bool ASPFTP::connectionAvailable()
{
    if (!connected)
        setError(-1, QStringLiteral("No available connection."));
    return connected;
}

QString ASPFTP::absolute(const QString &name) const
{
    if (name.startsWith(QChar('/')))
        return name;
    QString folder = currentDir.isEmpty() ? QStringLiteral("/") : currentDir;
    if (!folder.endsWith(QChar('/')))
        folder += QChar('/');
    return folder + name;
}

bool ASPFTP::command(const QStringList &commands, QStringList *replies)
{
    const FtpResult result = session->commands(commands, replies);
    if (!result.ok)
        setError(result);
    return result.ok;
}

// --- auto-connect family --------------------------------------------------------------

bool ASPFTP::transfer(const std::function<FtpResult()> &operation)
{
    session->setAscii(ascii());
    const FtpResult result = operation();
    if (!result.ok)
        setError(result);
    return result.ok;
}

bool ASPFTP::bPutFile(const QString &localFile, const QString &remoteFile)
{
    clearError();
    if (!connectForTransfer())
        return false;
    QFile source(localFile);
    if (!source.open(QIODevice::ReadOnly)) {
        setError(fileNotFound, QStringLiteral("Cannot read the local file ") + localFile);
        return false;
    }
    return transfer([&] { return session->upload(absolute(remoteFile), source); });
}

bool ASPFTP::bGetFile(const QString &remoteFile, const QString &localFile)
{
    clearError();
    if (!connectForTransfer())
        return false;
    if (failIfExists && pathTaken(localFile)) {
        setError(fileExists, QStringLiteral("The local file exists already: ") + localFile);
        return false;
    }
    FileReplacement sink(localFile);
    const bool received = sink.isOpen() && transfer([&] {
        return session->download(absolute(remoteFile), sink.device());
    });
    if (received && sink.commit())
        return true;
    if (!sink.failed())
        return false; // the server's or the connection's failure stands
    setError(fileNotFound, QStringLiteral("Cannot write the local file ") + localFile);
    return false;
}

bool ASPFTP::bRename(const QString &oldName, const QString &newName)
{
    clearError();
    return connectForTransfer() &&
           command({QStringLiteral("RNFR ") + absolute(oldName),
                    QStringLiteral("RNTO ") + absolute(newName)});
}

bool ASPFTP::bOpenFile(const QString &remoteFile)
{
    clearError();
    if (!connectForTransfer())
        return false;
    const QString path = absolute(remoteFile);
    QByteArray bytes;
    const auto open = [&] {
        if (fileAccess != genericWrite)
            return session->read(path, bytes);
        QBuffer nothing;
        nothing.open(QIODevice::ReadOnly);
        return session->upload(path, nothing);
    };
    if (!transfer(open))
        return false;
    openFile = OpenFile{path, bytes};
    return true;
}

// --- connection-required family -------------------------------------------------------

bool ASPFTP::bMakeDir(const QString &folder)
{
    clearError();
    return connectionAvailable() && command({QStringLiteral("MKD ") + absolute(folder)});
}

bool ASPFTP::bRemoveDir(const QString &folder)
{
    clearError();
    return connectionAvailable() && command({QStringLiteral("RMD ") + absolute(folder)});
}

bool ASPFTP::bDeleteFile(const QString &remoteFile)
{
    clearError();
    return connectionAvailable() && command({QStringLiteral("DELE ") + absolute(remoteFile)});
}

bool ASPFTP::bSetCurrentDir(const QString &folder)
{
    clearError();
    QStringList replies;
    if (!connectionAvailable() ||
        !command({QStringLiteral("CWD ") + absolute(folder), QStringLiteral("PWD")}, &replies))
        return false;
    QString entered = absolute(folder); // unless the server names the folder it entered
    for (const QString &reply : replies)
        if (reply.startsWith(QLatin1String("257")) && !quotedFolder(reply).isEmpty())
            entered = quotedFolder(reply);
    currentDir = entered;
    return true;
}

QString ASPFTP::sGetCurrentDir()
{
    clearError();
    if (!connected)
        return QStringLiteral("-1: No available connection.");
    return currentDir;
}

// --- quick family -----------------------------------------------------------------------

bool ASPFTP::quick(const QString &server, const QString &user, const QString &password,
                   const std::function<bool()> &operation)
{
    clearError();
    bDisconnect();
    sServerName(server);
    sUserID(user);
    sPassword(password);
    bool result = false;
    if (!bConnect())
        setError(-1, QStringLiteral("Could not connect to server."));
    else
        result = operation();
    bDisconnect();
    return result;
}

bool ASPFTP::bQPutFile(const QString &server, const QString &user, const QString &password,
                       const QString &localFile, const QString &remoteFile, int type)
{
    lTransferType(type);
    return quick(server, user, password, [&] { return bPutFile(localFile, remoteFile); });
}

bool ASPFTP::bQGetFile(const QString &server, const QString &user, const QString &password,
                       const QString &remoteFile, const QString &localFile, int type,
                       bool overWrite)
{
    lTransferType(type);
    bOverWrite(overWrite);
    return quick(server, user, password, [&] { return bGetFile(remoteFile, localFile); });
}

bool ASPFTP::bQMakeDir(const QString &server, const QString &user, const QString &password,
                       const QString &folder)
{
    return quick(server, user, password, [&] { return bMakeDir(folder); });
}

bool ASPFTP::bQRemoveDir(const QString &server, const QString &user, const QString &password,
                         const QString &folder)
{
    return quick(server, user, password, [&] { return bRemoveDir(folder); });
}

bool ASPFTP::bQDeleteFile(const QString &server, const QString &user, const QString &password,
                          const QString &remoteFile)
{
    return quick(server, user, password, [&] { return bDeleteFile(remoteFile); });
}

bool ASPFTP::bQRename(const QString &server, const QString &user, const QString &password,
                      const QString &oldName, const QString &newName)
{
    return quick(server, user, password, [&] { return bRename(oldName, newName); });
}

// --- open-file family -------------------------------------------------------------------

QString ASPFTP::sReadFile()
{
    clearError();
    if (!openFile) {
        setError(-1, QStringLiteral("No File Opened."));
        return {};
    }
    return decodeText(std::exchange(openFile->unread, {}));
}

bool ASPFTP::bWriteFile(const QString &text)
{
    clearError();
    if (!openFile) {
        setError(-1, QStringLiteral("No File Opened."));
        return false;
    }
    if (fileAccess != genericWrite) {
        setError(invalidHandle, QStringLiteral("The file is open for reading."));
        return false;
    }
    QByteArray bytes = text.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return transfer([&] { return session->upload(openFile->path, buffer, true); });
}

bool ASPFTP::bCloseFile()
{
    clearError();
    openFile.reset();
    return true;
}

QString ASPFTP::sConvertCrLf(const QString &text)
{
    QString converted = text;
    converted.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    return converted;
}

// --- listing family -------------------------------------------------------------------

bool ASPFTP::fillDirList(const QString &folder)
{
    dirList.Clear();
    if (!folder.isEmpty() && !bSetCurrentDir(folder))
        return false;
    if (!connectionAvailable())
        return false;
    QByteArray listing;
    session->setAscii(true);
    const FtpResult result = session->list(currentDir, listing);
    if (!result.ok) {
        setError(result);
        return false;
    }
    parseListing(decodeText(listing), dirList);
    return true;
}

bool ASPFTP::bGetDir(const QString &folder, quint16 mask)
{
    clearError();
    if (!fillDirList(folder))
        return false;
    if (dirList.Count() == 0) {
        setError(0, QStringLiteral("Empty Directory"));
        return true;
    }
    if (mask > 0)
        for (int i = dirList.Count(); i >= 1; --i)
            if ((dirList.Item(i).Attributes() & mask) != mask)
                dirList.Remove(i);
    if (dirList.Count() == 0)
        setError(0, QStringLiteral("No Matching Entries"));
    return true;
}

QString ASPFTP::sListDir(const QString &folder, quint16 mask)
{
    clearError();
    if (!fillDirList(folder))
        return {};
    if (dirList.Count() == 0) {
        setError(0, QStringLiteral("Empty Directory"));
        return {};
    }
    QStringList names;
    for (int i = 1; i <= dirList.Count(); ++i) {
        const clsItem &item = dirList.Item(i);
        if (!item.Name().isEmpty() && (mask < 1 || (item.Attributes() & mask) != 0))
            names.append(item.Name());
    }
    if (names.isEmpty())
        setError(0, QStringLiteral("No Matching Entries"));
    return names.join(QChar(';'));
}

int ASPFTP::lGetDirCount()
{
    clearError();
    return dirList.Count();
}

QString ASPFTP::sGetDirName(int index)
{
    clearError();
    if (index < 1 || index > dirList.Count()) {
        setError(-1, QStringLiteral("Index out of range."));
        return {};
    }
    return dirList.Item(index).Name();
}
