#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <memory>

// A small HTTP/1.1 server on 127.0.0.1 for the download tests: it records every request and
// answers it through a handler. A handler may also leave a request unanswered (a site that
// hangs), or delay or hold back its answer. Each answer closes its connection.
class LoopbackHttpServer
{
public:
    struct Request {
        QByteArray method, target;
        QMap<QByteArray, QByteArray> headers; // names in lower case
    };
    struct Response {
        Response(int status = 200, QByteArray reason = "OK", QByteArray body = {})
            : status(status)
            , reason(std::move(reason))
            , body(std::move(body))
        {
        }
        int status;
        QByteArray reason;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        bool answer = true;
        int delayMs = 0; // a service that takes its time
        // Held back until this says true (looked at every few milliseconds): an answer that
        // waits for what the client has done, whatever the machine's speed.
        std::function<bool()> holdUntil;
    };
    using Handler = std::function<Response(const Request&)>;

    explicit LoopbackHttpServer(Handler handler)
        : handler_(std::move(handler))
    {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { accept(); });
    }

    quint16 port() const { return server_.serverPort(); }
    QString address() const { return QStringLiteral("http://127.0.0.1:%1").arg(port()); }
    QList<Request> requests;

private:
    void accept()
    {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                buffer->append(socket->readAll());
                const qsizetype end = buffer->indexOf("\r\n\r\n");
                if (end < 0) return;
                const QByteArray head = buffer->left(end);
                buffer->remove(0, end + 4);
                answer(socket, parse(head));
            });
        }
    }

    static Request parse(const QByteArray& head)
    {
        Request r;
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        r.method = first.value(0);
        r.target = first.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                r.headers[lines[i].left(colon).trimmed().toLower()]
                    = lines[i].mid(colon + 1).trimmed();
        }
        return r;
    }

    void answer(QTcpSocket* socket, const Request& request)
    {
        requests << request;
        const Response response = handler_(request);
        if (!response.answer) return;
        if (response.delayMs > 0 || response.holdUntil)
            QTimer::singleShot(response.delayMs, socket, [=, this] { release(socket, response); });
        else
            write(socket, response);
    }

    // The timers go with the socket when the client gives up on it.
    void release(QTcpSocket* socket, const Response& response)
    {
        if (response.holdUntil && !response.holdUntil())
            QTimer::singleShot(5, socket, [=, this] { release(socket, response); });
        else
            write(socket, response);
    }

    static void write(QTcpSocket* socket, const Response& response)
    {
        QByteArray out = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + response.reason
            + "\r\nContent-Length: " + QByteArray::number(response.body.size())
            + "\r\nConnection: close\r\n";
        for (const auto& [name, value] : response.headers)
            out += name + ": " + value + "\r\n";
        out += "\r\n" + response.body;
        socket->write(out);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    Handler handler_;
};
