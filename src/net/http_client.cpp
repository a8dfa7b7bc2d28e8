#include "net/http_client.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

HttpClient::Result HttpClient::get(const QString& address) const
{
    Result result;
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative() || url.host().isEmpty()) {
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
    request.setRawHeader("Accept", "text/html, */*");
    request.setRawHeader("User-Agent", "Mozilla/3.0 (compatible; Indy Library)");
    // A redirect is a status other than success, and so a failure like any other.
    request.setAttribute(
        QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(
        QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);

    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    bool timedOut = false, tooBig = false;
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
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(timeoutMs);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (timedOut) {
        result.error = QStringLiteral("time-out");
    } else if (tooBig) {
        result.error = QStringLiteral("response too large");
    } else if (reply->error() != QNetworkReply::NoError) {
        result.error = reply->errorString();
    } else if (status < 200 || status > 299) {
        result.error = QStringLiteral("HTTP status %1").arg(status);
    } else {
        result.body = reply->readAll();
        if (result.body.size() > maxBodyBytes) {
            result.body.clear();
            result.error = QStringLiteral("response too large");
        } else {
            result.ok = true;
        }
    }
    return result; // the manager takes its reply with it
}
