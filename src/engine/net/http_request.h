#pragma once

#include "engine/net/http_client.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class QNetworkAccessManager;
class QNetworkReply;

// One GET under way, made as HttpClient makes it (headers, time-out, size limit, the failures
// told apart), without waiting for it: finished() reports its result once. Several can run at
// once on one manager. Deleting a request abandons it without a result.
class HttpRequest : public QObject
{
    Q_OBJECT
public:
    // Starts the GET; the client gives the time-out and the size limit, the manager its proxy.
    HttpRequest(QNetworkAccessManager& manager, const HttpClient& client, const QString& address,
        const HttpClient::Options& options, QObject* parent = nullptr);
    ~HttpRequest() override;

    bool isFinished() const { return finished_; }
    // Set once finished() has been emitted.
    const HttpClient::Result& result() const { return result_; }
    // Ends the request now with Failure::Stopped; finished() is emitted before this returns.
    void stop();

signals:
    void finished();

private:
    void complete();
    void finishWith(HttpClient::Failure failure, const QString& error);

    QPointer<QNetworkReply> reply_;
    QTimer deadline_;
    qint64 maxBodyBytes_;
    HttpClient::Result result_;
    bool finished_ = false;
    bool timedOut_ = false, tooLarge_ = false, stopped_ = false;
};
