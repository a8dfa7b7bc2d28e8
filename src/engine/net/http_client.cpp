#include "engine/net/http_client.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

HttpClient::Result HttpClient::get(const QString& address, const Options& options) const
{
    Result result;
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative() || url.host().isEmpty()) {
        result.failure = Failure::InvalidAddress;
        result.error = QStringLiteral("invalid address");
        return result;
    }

    // A manager per request: it must not reuse credentials cached from an earlier request,
    // as a cleared password has to make the proxy refuse the next one.
    QNetworkAccessManager manager;
    if (proxyServer.isEmpty()) {
        manager.setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    } else {
        manager.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, proxyServer,
            static_cast<quint16>(proxyPort), proxyUser, proxyPassword));
    }

    QNetworkRequest request(url);
    request.setRawHeader("Accept", options.accept);
    request.setRawHeader("User-Agent", options.userAgent);
    // A redirect is a status other than success, and so a failure like any other.
    request.setAttribute(
        QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(
        QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);

    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    bool timedOut = false, tooBig = false, stopped = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(
        reply, &QNetworkReply::downloadProgress, reply, [&](qint64 received, qint64 total) {
            if (received > maxBodyBytes || total > maxBodyBytes) {
                tooBig = true;
                reply->abort();
            }
        });
    QTimer stopPoll;
    if (options.stopRequested) {
        QObject::connect(&stopPoll, &QTimer::timeout, reply, [&] {
            if (!options.stopRequested()) return;
            stopped = true;
            reply->abort();
        });
        stopPoll.start(15);
    }
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec(
            options.letInputThrough ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    deadline.stop();
    stopPoll.stop();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.status = status;
    if (stopped) {
        result.failure = Failure::Stopped;
        result.error = QStringLiteral("stopped");
    } else if (timedOut) {
        result.failure = Failure::TimedOut;
        result.error = QStringLiteral("time-out");
    } else if (tooBig) {
        result.failure = Failure::TooLarge;
        result.error = QStringLiteral("response too large");
    } else if (reply->error() == QNetworkReply::ProxyAuthenticationRequiredError || status == 407) {
        result.failure = Failure::ProxyRefused;
        result.error = reply->errorString();
    } else if (status != 0 && (status < 200 || status > 299)) {
        // An error status comes with a reply error too; the status says more.
        result.failure = Failure::Status;
        result.error = QStringLiteral("HTTP status %1").arg(status);
    } else if (reply->error() != QNetworkReply::NoError) {
        result.failure = Failure::Connection;
        result.error = reply->errorString();
    } else if (status < 200 || status > 299) {
        result.failure = Failure::Status;
        result.error = QStringLiteral("HTTP status %1").arg(status);
    } else {
        result.body = reply->readAll();
        if (result.body.size() > maxBodyBytes) {
            result.body.clear();
            result.failure = Failure::TooLarge;
            result.error = QStringLiteral("response too large");
        } else {
            result.ok = true;
        }
    }
    return result; // the manager takes its reply with it
}
