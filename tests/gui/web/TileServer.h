#pragma once
// A tile server of the tests' own on 127.0.0.1: it answers every request
// after a short delay (so that requests overlap), with a picture made by
// the test's `respond`, and records what it was asked and how many requests
// it held at once.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QMap>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <vector>

#include "support/PictureColours.h"

namespace vantrel::testing {

struct TileRequest {
    QByteArray path;
    QMap<QByteArray, QByteArray> headers;  // names in lower case
};

struct TileServerAnswer {
    int status = 200;
    QMap<QByteArray, QByteArray> headers;
    QByteArray body;
};

class TileServer {
  public:
    static constexpr int kDelayMs = 60;

    // Answers a red tile that is fresh for a day, with an ETag.
    std::function<TileServerAnswer(const TileRequest&)> respond = [](const TileRequest&) {
        return TileServerAnswer{
            200,
            {{"Content-Type", "image/png"}, {"ETag", "\"v1\""}, {"Cache-Control", "max-age=86400"}},
            PngTile(Qt::red)};
    };

    TileServer() {
        server_.listen(QHostAddress(QHostAddress::LocalHost));
        port_ = server_.serverPort();
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { Accept(); });
    }

    // The URL template of its tiles (still its own once it has stopped).
    std::string UrlTemplate() const {
        return "http://127.0.0.1:" + std::to_string(port_) + "/{z}/{x}/{y}.png";
    }
    void Stop() { server_.close(); }

    std::vector<TileRequest> requests;
    int inFlight = 0;
    int mostInFlight = 0;

  private:
    void Accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket,
                             [this, socket] { Read(socket); });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void Read(QTcpSocket* socket) {
        QByteArray& text = pending_[socket];
        text += socket->readAll();
        const qsizetype end = text.indexOf("\r\n\r\n");
        if (end < 0) return;
        TileRequest request;
        const QList<QByteArray> lines = text.left(end).split('\n');
        request.path = lines.value(0).split(' ').value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers[lines[i].left(colon).trimmed().toLower()] =
                    lines[i].mid(colon + 1).trimmed();
        }
        text = text.mid(end + 4);
        requests.push_back(request);
        mostInFlight = std::max(mostInFlight, ++inFlight);
        QPointer<QTcpSocket> alive(socket);
        QTimer::singleShot(kDelayMs, socket, [this, alive, request] {
            --inFlight;
            if (alive) Answer(alive, respond(request));
        });
    }

    static void Answer(QTcpSocket* socket, const TileServerAnswer& answer) {
        QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + " Answer\r\n";
        for (auto it = answer.headers.begin(); it != answer.headers.end(); ++it)
            head += it.key() + ": " + it.value() + "\r\n";
        head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
        socket->write(head + "Connection: close\r\n\r\n" + answer.body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    quint16 port_ = 0;
    QMap<QTcpSocket*, QByteArray> pending_;
};

}  // namespace vantrel::testing
