#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QNetworkAccessManager;

// GET of an absolute address, optionally through an HTTP proxy with a user name and password.
// The call waits on a local event loop; by default it lets no user input through, so the
// window repaints but cannot be used while a request is under way.
class HttpClient
{
public:
    // Why a request failed, so that the caller can tell the user in his terms.
    enum class Failure {
        None,
        InvalidAddress,
        Connection,
        ProxyRefused,
        TimedOut,
        TooLarge,
        Status,
        Stopped
    };

    struct Result {
        bool ok = false;
        QByteArray body;
        Failure failure = Failure::None;
        int status = 0; // the HTTP status, when an answer came
        QString error; // why it failed, for the log
    };

    // What one request sends and how it waits.
    struct Options {
        QByteArray accept = "text/html, */*";
        QByteArray userAgent = "Mozilla/3.0 (compatible; Indy Library)";
        // Lets user input through while waiting, so that a stop can be asked for.
        bool letInputThrough = false;
        // Polled while waiting; when it says true the request is abandoned (Failure::Stopped).
        std::function<bool()> stopRequested;
    };

    // Proxy settings; an empty server means a direct connection.
    QString proxyServer;
    int proxyPort = 0;
    QString proxyUser;
    QString proxyPassword;

    // A request that has not finished after this long fails (the results site may hang).
    int timeoutMs = 15000;
    // Bodies larger than this fail: a result is one short line or one contest's JSON, so
    // anything big is not one.
    qint64 maxBodyBytes = 64 * 1024;

    Result get(const QString& address) const { return get(address, Options {}); }
    Result get(const QString& address, const Options& options) const;
    // Sets the manager's proxy from the settings above, for requests made without waiting
    // (HttpRequest).
    void configure(QNetworkAccessManager& manager) const;
};
