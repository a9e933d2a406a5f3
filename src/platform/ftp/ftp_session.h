#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class QIODevice;

// Where and how an FTP session connects. server is "host" or "host:port" (port 21 when
// none is given). An empty proxy means direct access; the proxy settings of the
// environment are never used.
struct FtpEndpoint {
    QString server;
    QString user;
    QString password;
    bool passive = true;
    QString proxy;       // "host:port" of an HTTP proxy that tunnels the FTP connections
    QString proxyBypass; // hosts reached directly although a proxy is set, ";" or "," apart
};

// The outcome of one session operation.
struct FtpResult {
    bool ok = true;
    int code = 0;      // libcurl's error code, 0 on success
    QString message;   // what failed and why, "" on success
                       // ("... failed: the connection to the server was lost.")
    QString lastReply; // the server's last reply (all lines of a multi-line reply, CR LF apart)

    // The number at the start of the last reply; 0 when there is none.
    int replyCode() const;
    // True when the operation failed because the server answered with an error (4xx, 5xx).
    bool refusedByServer() const;
};

// The most a listing, or a remote file read into memory, may hold: 16 MB.
inline constexpr qint64 ftpInMemoryLimit = qint64(16) << 20;
// The most the server's replies to one operation may hold: 256 KB.
inline constexpr qint64 ftpRepliesLimit = qint64(256) << 10;

// One FTP control connection over libcurl, opened by the first operation, reused by the
// following ones and closed by close() or the session's destruction. Remote paths are
// absolute ("/" first); the session never changes the server's working folder for its
// own transfers. Every operation has time limits, so a silent server cannot block it for
// long. A path or command, user name, password or proxy name holding CR, LF or NUL is
// refused before anything is sent. A command the server refuses keeps the connection.
// Transfers in ASCII ("TYPE A") carry local line feeds as CR LF both ways. An operation
// whose replies grow past ftpRepliesLimit fails ("... failed: the server's replies are
// longer than 256 KB.").
class FtpSession {
public:
    FtpSession();
    ~FtpSession();
    FtpSession(const FtpSession &) = delete;
    FtpSession &operator=(const FtpSession &) = delete;

    // New settings apply from the next connection made.
    void setEndpoint(const FtpEndpoint &endpoint);
    // ASCII or byte for byte transfers.
    void setAscii(bool ascii);

    // Connects and logs in when not connected; entryPath receives the login folder.
    FtpResult login(QString *entryPath = nullptr);
    // Sends raw commands in order; each must succeed. All are sent even after one is
    // refused, so a later command must not depend on an earlier one's effect (a pair
    // such as RNFR and RNTO, whose second a server refuses on its own, is fine).
    // replies receives every reply.
    FtpResult commands(const QStringList &commands, QStringList *replies = nullptr);
    // Stores the device's remaining bytes at the remote path, appending when asked.
    FtpResult upload(const QString &remotePath, QIODevice &source, bool append = false);
    // Retrieves the remote file into the device as its bytes arrive.
    FtpResult download(const QString &remotePath, QIODevice &sink);
    // The same into memory; more than ftpInMemoryLimit bytes fail ("... failed: the server
    // sent more than 16 MB.").
    FtpResult read(const QString &remotePath, QByteArray &bytes);
    // The server's long listing ("LIST") of a folder, within the same limit.
    FtpResult list(const QString &remoteFolder, QByteArray &listing);
    // Closes the connection (QUIT) when there is one.
    void close();

    // How many control connections the session has opened so far (greetings received).
    int connectionsOpened() const;

    struct Transfer;

private:
    std::unique_ptr<Transfer> transfer;
};
