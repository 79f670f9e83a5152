#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>

// A small HTTP server on 127.0.0.1 for the update check: answers every request as its mode
// says. Runs on the test's own event loop.
class LocalServer : public QTcpServer {
public:
    enum class Mode { Answer, Silent, Endless };

    LocalServer(Mode mode, QByteArray body = {}, QByteArray status = "200 OK")
        : m_mode(mode), m_body(std::move(body)), m_status(std::move(status))
    {
        connect(this, &QTcpServer::newConnection, this, &LocalServer::accept);
    }

    bool start() { return listen(QHostAddress::LocalHost); }
    QString host() const { return QStringLiteral("127.0.0.1:") + QString::number(serverPort()); }
    qint64 sentBytes() const { return m_sent; }
    int requests() const { return m_requests; }

private:
    void accept()
    {
        while (QTcpSocket *socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void answer(QTcpSocket *socket)
    {
        m_request += socket->readAll();
        if (!m_request.contains("\r\n\r\n") || m_mode == Mode::Silent)
            return;
        m_request.clear();
        ++m_requests;
        if (m_mode == Mode::Answer) {
            socket->write("HTTP/1.1 " + m_status + "\r\nContent-Type: text/plain\r\n" +
                          "Content-Length: " + QByteArray::number(m_body.size()) +
                          "\r\nConnection: close\r\n\r\n" + m_body);
            socket->disconnectFromHost();
            return;
        }
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n");
        // Endless: another chunk whenever the last one has gone out.
        connect(socket, &QTcpSocket::bytesWritten, socket, [this, socket] {
            if (socket->bytesToWrite() < 16384)
                m_sent += socket->write(QByteArray(16384, '9'));
        });
        m_sent += socket->write(QByteArray(16384, '9'));
    }

    Mode m_mode;
    QByteArray m_body;
    QByteArray m_status;
    QByteArray m_request;
    qint64 m_sent = 0;
    int m_requests = 0;
};
