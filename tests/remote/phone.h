#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QTest>
#include <QUrl>
#include <QWebSocket>

// A simulated phone: a WebSocket client that keeps every message the server sent it.
class TestPhone : public QObject {
public:
    TestPhone()
    {
        connect(&socket, &QWebSocket::textMessageReceived, this, [this](const QString &text) {
            received.append(QJsonDocument::fromJson(text.toUtf8()).object());
        });
    }

    bool open(quint16 port, const QString &path = QStringLiteral("/ws"))
    {
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1%2").arg(port).arg(path)));
        return QTest::qWaitFor([this] {
                   return socket.state() == QAbstractSocket::ConnectedState ||
                          socket.state() == QAbstractSocket::UnconnectedState;
               }) &&
               socket.state() == QAbstractSocket::ConnectedState;
    }

    void send(const QJsonObject &message)
    {
        socket.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson()));
    }
    void press() { send({{QStringLiteral("type"), QStringLiteral("press")}}); }

    // The last message of type, waiting for it when there is none yet; empty after the wait.
    QJsonObject last(const QString &type, int timeoutMs = 5000)
    {
        QJsonObject found;
        (void)QTest::qWaitFor(
            [&] {
                for (auto it = received.crbegin(); it != received.crend(); ++it)
                    if (it->value(QStringLiteral("type")).toString() == type) {
                        found = *it;
                        return true;
                    }
                return false;
            },
            timeoutMs);
        return found;
    }
    qsizetype count(const QString &type) const
    {
        return std::count_if(received.cbegin(), received.cend(), [&](const QJsonObject &m) {
            return m.value(QStringLiteral("type")).toString() == type;
        });
    }
    bool closed(int timeoutMs = 5000)
    {
        return QTest::qWaitFor(
            [this] { return socket.state() == QAbstractSocket::UnconnectedState; }, timeoutMs);
    }

    // Joins with code (or token) and takes team; false when the server did not welcome it.
    bool join(quint16 port, const QString &code, int team)
    {
        if (!open(port))
            return false;
        send({{QStringLiteral("type"), QStringLiteral("join")}, {QStringLiteral("code"), code}});
        if (last(QStringLiteral("welcome")).isEmpty())
            return false;
        send({{QStringLiteral("type"), QStringLiteral("team")}, {QStringLiteral("team"), team}});
        return last(QStringLiteral("team")).value(QStringLiteral("team")).toInt(-2) == team;
    }

    QWebSocket socket;
    QList<QJsonObject> received;
};
