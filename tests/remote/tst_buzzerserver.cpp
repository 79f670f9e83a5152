#include "game/buzzerarbiter.h"
#include "phone.h"
#include "remote/buzzerserver.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <memory>

using PhoneMessages::Outcome;
using PhoneMessages::SongState;

namespace {

QList<Team> teams(int count)
{
    static const char *const names[] = {"Rossi", "Blu", "Verdi", "Gialli"};
    QList<Team> list;
    for (int i = 0; i < count; ++i)
        list.append({QString::fromLatin1(names[i]),
                     QStringLiteral("#10%1080").arg(i * 30, 2, 16, QLatin1Char('0')), QChar()});
    return list;
}

quint16 freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
}

// The board's side as it will be wired: every press goes to the arbiter, the phones hear what
// became of it and who has the answer.
struct Owner {
    explicit Owner(int teamCount) : arbiter(teamCount)
    {
        QObject::connect(&server, &BuzzerServer::pressed, [this](int team, qint64 stamp) {
            presses.append({team, stamp});
            const auto press = arbiter.press(team, stamp);
            server.tellPress(team, BuzzerServer::outcomeOf(press, arbiter.isLocked(team)));
            if (arbiter.state() == BuzzerArbiter::State::Booked)
                server.setSong({SongState::Booked, arbiter.bookedTeam(), {}});
        });
    }
    void openSong()
    {
        arbiter.songStarted();
        server.setSong({SongState::Open, -1, {}});
    }

    BuzzerServer server;
    BuzzerArbiter arbiter;
    QList<QPair<int, qint64>> presses;
};

QString pressResult(TestPhone &phone)
{
    return phone.last(QStringLiteral("press")).value(QStringLiteral("result")).toString();
}

} // namespace

class TestBuzzerServer : public QObject {
    Q_OBJECT
private slots:
    void startRefusals_data();
    void startRefusals();
    void startsWithCodeAddressAndQrCode();
    void fourPhonesPressing5msApartBookTheFirstArrival();
    void httpAnswersOnlyItsPage_data();
    void httpAnswersOnlyItsPage();
    void abuseIsRefusedWhileAnotherPhoneBooks_data();
    void abuseIsRefusedWhileAnotherPhoneBooks();
    void reconnectingPhoneKeepsItsTeamUntilTheServerStops();
    void lockedOutTeamIsToldSo();
};

void TestBuzzerServer::startRefusals_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("teamCount");
    QTest::addColumn<bool>("portTaken");
    QTest::addColumn<BuzzerServer::StartProblem>("problem");

    QTest::newRow("port 0") << 0 << 2 << false << BuzzerServer::StartProblem::BadPort;
    QTest::newRow("port past 65535") << 70000 << 2 << false << BuzzerServer::StartProblem::BadPort;
    QTest::newRow("no teams") << -1 << 0 << false << BuzzerServer::StartProblem::NoTeams;
    QTest::newRow("port taken") << -1 << 2 << true << BuzzerServer::StartProblem::Listen;
}

void TestBuzzerServer::startRefusals()
{
    QFETCH(int, port);
    QFETCH(int, teamCount);
    QFETCH(bool, portTaken);
    QFETCH(BuzzerServer::StartProblem, problem);

    QTcpServer other;
    if (portTaken)
        QVERIFY(other.listen(QHostAddress::AnyIPv4));
    if (port < 0)
        port = portTaken ? other.serverPort() : freePort();
    BuzzerServer server;
    const auto result = server.start(port, teams(teamCount));
    QCOMPARE(result.problem, problem);
    QVERIFY(!result.reason.isEmpty());
    QVERIFY(!server.isRunning());
    QVERIFY(server.gameCode().isEmpty());
    QVERIFY(server.addresses().isEmpty());
}

void TestBuzzerServer::startsWithCodeAddressAndQrCode()
{
    BuzzerServer server;
    const quint16 port = freePort();
    QVERIFY(server.start(port, teams(2)).ok());
    QCOMPARE(server.port(), port);
    QVERIFY(QRegularExpression(QStringLiteral("^[0-9]{4}$")).match(server.gameCode()).hasMatch());
    const QString suffix = QStringLiteral(":%1/").arg(port);
    for (const QString &address : server.addresses())
        QVERIFY2(address.startsWith(QStringLiteral("http://")) && address.endsWith(suffix),
                 qPrintable(address));
    QVERIFY(!server.addresses().contains(QStringLiteral("http://127.0.0.1") + suffix) ||
            server.addresses().size() == 1);
    const QImage qr = server.qrCode(4);
    QVERIFY(!qr.isNull());
    QCOMPARE(qr.width(), qr.height());
    QCOMPARE(qr.pixelColor(0, 0), QColor(Qt::white));
    QCOMPARE(qr.pixelColor(4 * 4, 4 * 4), QColor(Qt::black)); // a finder pattern's corner

    server.stop();
    QVERIFY(!server.isRunning());
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(!probe.waitForConnected(1000));
}

void TestBuzzerServer::fourPhonesPressing5msApartBookTheFirstArrival()
{
    constexpr int Phones = 4;
    constexpr int Rounds = 100;
    Owner owner(Phones);
    const quint16 port = freePort();
    QVERIFY(owner.server.start(port, teams(Phones)).ok());
    std::vector<std::unique_ptr<TestPhone>> phones;
    for (int i = 0; i < Phones; ++i) {
        phones.push_back(std::make_unique<TestPhone>());
        QVERIFY(phones.back()->join(port, owner.server.gameCode(), i));
    }

    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer pace;
        pace.start();
        owner.presses.clear();
        for (auto &phone : phones)
            phone->received.clear();
        owner.openSong();
        for (auto &phone : phones)
            QVERIFY(!phone->last(QStringLiteral("song")).isEmpty());
        const int first = round % Phones;
        for (int k = 0; k < Phones; ++k) {
            phones[(first + k) % Phones]->press();
            QTest::qWait(5);
        }
        for (int i = 0; i < Phones; ++i) {
            const QString expected = i == first ? QStringLiteral("booked") : QStringLiteral("late");
            QCOMPARE(pressResult(*phones[i]), expected);
            QCOMPARE(phones[i]->count(QStringLiteral("press")), 1);
        }
        QCOMPARE(owner.presses.size(), Phones);
        QCOMPARE(owner.presses.first().first, first);
        QCOMPARE(owner.arbiter.bookedTeam(), first);
        for (int k = 1; k < Phones; ++k)
            QVERIFY(owner.presses.at(k).second >= owner.presses.at(k - 1).second);
        QCOMPARE(owner.arbiter.right(), first);
        owner.server.setSong({SongState::Closed, -1, {}});
        // A game's pace: a phone's presses stay within its message budget.
        QTest::qWait(qMax<qint64>(0, 1000 / BuzzerServer::BudgetPerSecond - pace.elapsed()));
    }
}

void TestBuzzerServer::httpAnswersOnlyItsPage_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("status");
    QTest::addColumn<QByteArray>("bodyHas");

    QTest::newRow("the page") << QByteArray("GET / HTTP/1.1") << QByteArray("200")
                              << QByteArray("Codice della partita");
    QTest::newRow("its script") << QByteArray("GET /buzzer.js HTTP/1.1") << QByteArray("200")
                                << QByteArray("WebSocket");
    QTest::newRow("its style") << QByteArray("GET /buzzer.css HTTP/1.1") << QByteArray("200")
                               << QByteArray("#buzzer");
    QTest::newRow("a settings file")
        << QByteArray("GET /Impostazioni.ini HTTP/1.1") << QByteArray("404") << QByteArray();
    QTest::newRow("a way up") << QByteArray("GET /../../etc/passwd HTTP/1.1") << QByteArray("404")
                              << QByteArray();
    QTest::newRow("a way up, encoded")
        << QByteArray("GET /%2e%2e/buzzer.js HTTP/1.1") << QByteArray("404") << QByteArray();
    QTest::newRow("the resource's own name")
        << QByteArray("GET /phone/index.html HTTP/1.1") << QByteArray("404") << QByteArray();
    QTest::newRow("the socket without an upgrade")
        << QByteArray("GET /ws HTTP/1.1") << QByteArray("404") << QByteArray();
    QTest::newRow("a post to the page")
        << QByteArray("POST / HTTP/1.1") << QByteArray("405") << QByteArray();
}

void TestBuzzerServer::httpAnswersOnlyItsPage()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, status);
    QFETCH(QByteArray, bodyHas);

    BuzzerServer server;
    const quint16 port = freePort();
    QVERIFY(server.start(port, teams(2)).ok());
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(socket.waitForConnected(2000));
    const QByteArray body = request.startsWith("POST") ? "Content-Length: 1\r\n\r\nx" : "\r\n";
    socket.write(request + "\r\nHost: 127.0.0.1\r\nConnection: close\r\n" + body);
    QByteArray answer;
    (void)QTest::qWaitFor([&] {
        answer += socket.readAll();
        return answer.contains("\r\n\r\n") && (bodyHas.isEmpty() || answer.contains(bodyHas));
    });
    const QByteArray statusLine = "HTTP/1.1 " + status;
    QVERIFY2(answer.startsWith(statusLine), answer.left(200).constData());
    QVERIFY(answer.contains(bodyHas));
}

void TestBuzzerServer::abuseIsRefusedWhileAnotherPhoneBooks_data()
{
    QTest::addColumn<QString>("abuse");
    QTest::newRow("wrong code") << QStringLiteral("code");
    QTest::newRow("guessing the code") << QStringLiteral("guess");
    QTest::newRow("websocket on another path") << QStringLiteral("path");
    QTest::newRow("1 MB message") << QStringLiteral("big");
    QTest::newRow("1000 messages a second") << QStringLiteral("flood");
    QTest::newRow("binary message") << QStringLiteral("binary");
}

void TestBuzzerServer::abuseIsRefusedWhileAnotherPhoneBooks()
{
    QFETCH(QString, abuse);
    Owner owner(2);
    const quint16 port = freePort();
    QVERIFY(owner.server.start(port, teams(2)).ok());
    const QString code = owner.server.gameCode();
    TestPhone player;
    QVERIFY(player.join(port, code, 0));
    TestPhone abuser;
    if (abuse == QStringLiteral("code") || abuse == QStringLiteral("guess")) {
        // Guessing: after the wrong codes an address may send, even the right one is refused.
        const int tries = abuse == QStringLiteral("code") ? 1 : BuzzerServer::MaxWrongCodes + 1;
        const QString wrong = QString::number((code.toInt() + 1) % 10000).rightJustified(4, u'0');
        for (int i = 0; i < tries; ++i) {
            const bool blocked = i == BuzzerServer::MaxWrongCodes;
            TestPhone guesser;
            QVERIFY(guesser.open(port));
            guesser.send({{QStringLiteral("type"), QStringLiteral("join")},
                          {QStringLiteral("code"), blocked ? code : wrong}});
            QCOMPARE(guesser.last(QStringLiteral("refused")).value(QStringLiteral("reason")),
                     blocked ? QStringLiteral("blocked") : QStringLiteral("code"));
            QVERIFY(guesser.closed());
            QCOMPARE(guesser.count(QStringLiteral("welcome")), 0);
        }
    } else if (abuse == QStringLiteral("path")) {
        QVERIFY(!abuser.open(port, QStringLiteral("/altro")));
    } else {
        QVERIFY(abuser.join(port, code, 1));
    }
    owner.openSong();
    if (abuse == QStringLiteral("big")) {
        abuser.socket.sendTextMessage(QString(1024 * 1024, u'x'));
        QVERIFY(abuser.closed());
    } else if (abuse == QStringLiteral("binary")) {
        abuser.socket.sendBinaryMessage(QByteArray(16, 'x'));
        QVERIFY(abuser.closed());
    }

    // The flood: ten presses every 10 ms for a second from a team that is out for this song,
    // with the player's press in the middle of it.
    QTimer flood;
    int sent = 0;
    QElapsedTimer sincePress;
    qint64 pressDelay = -1;
    QObject::connect(&owner.server, &BuzzerServer::pressed, [&](int team, qint64) {
        if (team == 0 && pressDelay < 0)
            pressDelay = sincePress.elapsed();
    });
    if (abuse == QStringLiteral("flood")) {
        owner.arbiter.press(1, 1);
        owner.arbiter.wrong(1);
        QObject::connect(&flood, &QTimer::timeout, [&] {
            for (int i = 0; i < 10; ++i, ++sent)
                abuser.press();
        });
        flood.start(10);
        QTest::qWait(500);
    }
    sincePress.start();
    player.press();
    QCOMPARE(pressResult(player), QStringLiteral("booked"));
    QVERIFY2(pressDelay >= 0 && pressDelay < 100, qPrintable(QString::number(pressDelay)));
    QTRY_VERIFY(sent >= 1000 || abuse != QStringLiteral("flood"));
    flood.stop();
    QTest::qWait(100);
    qsizetype abuserPresses = 0;
    for (const auto &press : std::as_const(owner.presses))
        abuserPresses += press.first == 1 ? 1 : 0;
    // Only the budget's presses get through: its burst and a second's worth.
    QVERIFY2(abuserPresses <= BuzzerServer::BudgetBurst + 2 * BuzzerServer::BudgetPerSecond,
             qPrintable(QString::number(abuserPresses)));
    if (abuse == QStringLiteral("flood"))
        QCOMPARE(pressResult(abuser), QStringLiteral("locked"));
}

void TestBuzzerServer::reconnectingPhoneKeepsItsTeamUntilTheServerStops()
{
    BuzzerServer server;
    const quint16 port = freePort();
    QVERIFY(server.start(port, teams(3)).ok());
    auto phone = std::make_unique<TestPhone>();
    QVERIFY(phone->join(port, server.gameCode(), 2));
    const QString token =
        phone->last(QStringLiteral("welcome")).value(QStringLiteral("token")).toString();
    QCOMPARE(token.size(), 32);
    phone.reset();

    const auto rejoin = [&](TestPhone &again) {
        if (!again.open(port))
            return QJsonObject();
        again.send(
            {{QStringLiteral("type"), QStringLiteral("join")}, {QStringLiteral("token"), token}});
        (void)QTest::qWaitFor([&] { return !again.received.isEmpty(); });
        return again.received.value(0);
    };
    TestPhone again;
    const QJsonObject welcome = rejoin(again);
    QCOMPARE(welcome.value(QStringLiteral("type")), QStringLiteral("welcome"));
    QCOMPARE(welcome.value(QStringLiteral("team")).toInt(), 2);
    QCOMPARE(welcome.value(QStringLiteral("teams")).toArray().size(), 3);

    // Fewer teams: the phone whose team went picks again.
    server.setTeams(teams(2));
    QTRY_COMPARE(again.received.constLast().value(QStringLiteral("team")).toInt(), -1);

    QVERIFY(server.start(port, teams(3)).ok());
    QVERIFY(again.closed());
    TestPhone afterRestart;
    const QJsonObject refused = rejoin(afterRestart);
    QCOMPARE(refused.value(QStringLiteral("type")), QStringLiteral("refused"));
    QCOMPARE(refused.value(QStringLiteral("reason")), QStringLiteral("token"));
}

void TestBuzzerServer::lockedOutTeamIsToldSo()
{
    Owner owner(2);
    const quint16 port = freePort();
    QVERIFY(owner.server.start(port, teams(2)).ok());
    TestPhone rossi, blu;
    QVERIFY(rossi.join(port, owner.server.gameCode(), 0));
    QVERIFY(blu.join(port, owner.server.gameCode(), 1));
    blu.press();
    QCOMPARE(pressResult(blu), QStringLiteral("nosong"));
    owner.openSong();
    rossi.press();
    QCOMPARE(pressResult(rossi), QStringLiteral("booked"));
    QCOMPARE(blu.last(QStringLiteral("song")).value(QStringLiteral("team")).toInt(), 0);
    QCOMPARE(owner.arbiter.wrong(owner.presses.constLast().second + 1), 0);
    rossi.received.clear();
    owner.server.setSong({SongState::Open, -1, {0}});
    rossi.press();
    QCOMPARE(pressResult(rossi), QStringLiteral("locked"));
    QCOMPARE(rossi.last(QStringLiteral("song")).value(QStringLiteral("locked")).toArray().size(),
             1);
}

QTEST_GUILESS_MAIN(TestBuzzerServer)
#include "tst_buzzerserver.moc"
