#include "engine/net/http_client.h"

#include "engine/net/http_request.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QTimer>

HttpClient::Result HttpClient::get(const QString& address, const Options& options) const
{
    // A manager per request: it must not reuse credentials cached from an earlier request,
    // as a cleared password has to make the proxy refuse the next one.
    QNetworkAccessManager manager;
    configure(manager);
    HttpRequest request(manager, *this, address, options);
    QEventLoop loop;
    QObject::connect(&request, &HttpRequest::finished, &loop, &QEventLoop::quit);
    QTimer stopPoll;
    if (options.stopRequested) {
        QObject::connect(&stopPoll, &QTimer::timeout, &request, [&] {
            if (options.stopRequested()) request.stop();
        });
        stopPoll.start(15);
    }
    if (!request.isFinished())
        loop.exec(
            options.letInputThrough ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    return request.result();
}

void HttpClient::configure(QNetworkAccessManager& manager) const
{
    if (proxyServer.isEmpty()) {
        manager.setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    } else {
        manager.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, proxyServer,
            static_cast<quint16>(proxyPort), proxyUser, proxyPassword));
    }
}
