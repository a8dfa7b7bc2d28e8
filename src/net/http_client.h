#pragma once

#include <QByteArray>
#include <QString>

// GET of an absolute address, optionally through an HTTP proxy with a user name and password.
// The call waits on a local event loop that lets no user input through, so the window
// repaints but cannot be used while a request is under way.
class HttpClient
{
public:
    struct Result {
        bool ok = false;
        QByteArray body;
        QString error; // why it failed, for the log; the user sees only "erro"
    };

    // Proxy settings; an empty server means a direct connection.
    QString proxyServer;
    int proxyPort = 0;
    QString proxyUser;
    QString proxyPassword;

    // A request that has not finished after this long fails (the results site may hang).
    int timeoutMs = 15000;
    // Bodies larger than this fail: a result is one short line, anything big is not one.
    qint64 maxBodyBytes = 64 * 1024;

    Result get(const QString& address) const;
};
