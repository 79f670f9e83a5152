#pragma once

#include <QAbstractHttpServer>

// The HTTP side of the phone buzzers: the page and its two files from the program's resources,
// and an upgrade to a WebSocket at /ws. Every other path, method or upgrade is answered 404
// (or 405) and never looked up anywhere else, so nothing a client asks for reaches a file.
// The WebSockets it accepts come out through newWebSocketConnection().
class PageServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    using QAbstractHttpServer::QAbstractHttpServer;

    static constexpr QLatin1StringView SocketPath{"/ws"};

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;
};
