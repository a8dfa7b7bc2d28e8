#include "engine/net/http_request.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

HttpRequest::HttpRequest(QNetworkAccessManager& manager, const HttpClient& client,
    const QString& address, const HttpClient::Options& options, QObject* parent)
    : QObject(parent)
    , maxBodyBytes_(client.maxBodyBytes)
{
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative() || url.host().isEmpty()) {
        result_.failure = HttpClient::Failure::InvalidAddress;
        result_.error = QStringLiteral("invalid address");
        finished_ = true;
        // Told from the event loop, so that the caller has connected by then.
        QTimer::singleShot(0, this, &HttpRequest::finished);
        return;
    }

    QNetworkRequest request(url);
    request.setRawHeader("Accept", options.accept);
    request.setRawHeader("User-Agent", options.userAgent);
    // A redirect is a status other than success, and so a failure like any other.
    request.setAttribute(
        QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(
        QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);

    reply_ = manager.get(request);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        timedOut_ = true;
        reply_->abort();
    });
    connect(reply_, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        if (received > maxBodyBytes_ || total > maxBodyBytes_) {
            tooLarge_ = true;
            reply_->abort();
        }
    });
    connect(reply_, &QNetworkReply::finished, this, &HttpRequest::complete);
    deadline_.setSingleShot(true);
    deadline_.start(client.timeoutMs);
}

HttpRequest::~HttpRequest()
{
    // Abandoned: the reply goes without telling anyone (the manager may have taken it already).
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        delete reply_;
    }
}

void HttpRequest::stop()
{
    if (finished_) return;
    stopped_ = true;
    reply_->abort();
}

void HttpRequest::complete()
{
    deadline_.stop();
    using Failure = HttpClient::Failure;
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result_.status = status;
    if (stopped_) {
        finishWith(Failure::Stopped, QStringLiteral("stopped"));
    } else if (timedOut_) {
        finishWith(Failure::TimedOut, QStringLiteral("time-out"));
    } else if (tooLarge_) {
        finishWith(Failure::TooLarge, QStringLiteral("response too large"));
    } else if (reply_->error() == QNetworkReply::ProxyAuthenticationRequiredError
        || status == 407) {
        finishWith(Failure::ProxyRefused, reply_->errorString());
    } else if (status != 0 && (status < 200 || status > 299)) {
        // An error status comes with a reply error too; the status says more.
        finishWith(Failure::Status, QStringLiteral("HTTP status %1").arg(status));
    } else if (reply_->error() != QNetworkReply::NoError) {
        finishWith(Failure::Connection, reply_->errorString());
    } else if (status < 200 || status > 299) {
        finishWith(Failure::Status, QStringLiteral("HTTP status %1").arg(status));
    } else {
        result_.body = reply_->readAll();
        if (result_.body.size() > maxBodyBytes_) {
            result_.body.clear();
            finishWith(Failure::TooLarge, QStringLiteral("response too large"));
        } else {
            result_.ok = true;
            finishWith(Failure::None, {});
        }
    }
}

void HttpRequest::finishWith(HttpClient::Failure failure, const QString& error)
{
    result_.failure = failure;
    result_.error = error;
    finished_ = true;
    // The reply is done with; deleted later, as it is still telling of its end.
    reply_->disconnect(this);
    reply_->deleteLater();
    reply_ = nullptr;
    emit finished();
}
