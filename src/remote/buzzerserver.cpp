#include "remote/buzzerserver.h"

#include "remote/pageserver.h"
#include "remote/qrcodeimage.h"

#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTimer>
#include <QWebSocket>

#include <chrono>

namespace {

constexpr int MaxTokens = 256;
constexpr int JoinSeconds = 10;

qint64 steadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

struct BuzzerServer::Phone {
    std::unique_ptr<QWebSocket> socket;
    QString peer;
    QString token;
    int team = -1;
    bool joined = false;
    RateBudget budget{BudgetBurst, BudgetPerSecond};
};

BuzzerServer::BuzzerServer(QObject *parent) : QObject(parent), m_clock(steadyMilliseconds) {}

BuzzerServer::~BuzzerServer()
{
    stop();
}

BuzzerServer::StartResult BuzzerServer::start(int port, const QList<Team> &teams)
{
    stop();
    if (port < 1 || port > 65535)
        return {StartProblem::BadPort, tr("La porta deve essere un numero da 1 a 65535.")};
    if (teams.isEmpty())
        return {StartProblem::NoTeams,
                tr("Nessuna squadra: i telefoni non avrebbero chi scegliere.")};
    auto http = std::make_unique<PageServer>();
    auto *tcp = new QTcpServer(http.get());
    if (!tcp->listen(QHostAddress::AnyIPv4, quint16(port)))
        return {StartProblem::Listen,
                tr("La porta %1 non è disponibile: %2").arg(port).arg(tcp->errorString())};
    http->bind(tcp);
    connect(http.get(), &PageServer::newWebSocketConnection, this, &BuzzerServer::acceptPhones);
    m_http = std::move(http);
    m_tcp = tcp;
    m_teams = teams;
    m_song = {};
    m_code = QStringLiteral("%1").arg(QRandomGenerator::system()->bounded(10000), 4, 10,
                                      QLatin1Char('0'));
    return {};
}

void BuzzerServer::stop()
{
    const bool hadPhones = !m_phones.empty();
    while (!m_phones.empty())
        drop(m_phones.back().get());
    m_http.reset();
    m_tcp = nullptr;
    m_tokens.clear();
    m_wrongCodes.clear();
    m_code.clear();
    if (hadPhones)
        emit phonesChanged(0);
}

bool BuzzerServer::isRunning() const
{
    return m_tcp != nullptr && m_tcp->isListening();
}

quint16 BuzzerServer::port() const
{
    return isRunning() ? m_tcp->serverPort() : 0;
}

QStringList BuzzerServer::addresses() const
{
    if (!isRunning())
        return {};
    QStringList list;
    const auto url = [this](const QString &host) {
        return QStringLiteral("http://%1:%2/").arg(host).arg(port());
    };
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : interface.addressEntries())
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                list.append(url(entry.ip().toString()));
    }
    if (list.isEmpty())
        list.append(url(QStringLiteral("127.0.0.1")));
    return list;
}

QImage BuzzerServer::qrCode(int scale) const
{
    const QStringList list = addresses();
    return list.isEmpty() ? QImage() : qrCodeImage(list.constFirst(), scale);
}

int BuzzerServer::phoneCount() const
{
    return int(m_phones.size());
}

PhoneMessages::Outcome BuzzerServer::outcomeOf(BuzzerArbiter::Press press, bool teamLocked)
{
    using PhoneMessages::Outcome;
    switch (press) {
    case BuzzerArbiter::Press::Booked:
    case BuzzerArbiter::Press::TookOver:
        return Outcome::Booked;
    case BuzzerArbiter::Press::Refused:
        return Outcome::TooLate;
    case BuzzerArbiter::Press::Ignored:
        break;
    }
    return teamLocked ? Outcome::LockedOut : Outcome::NoSong;
}

void BuzzerServer::setTeams(const QList<Team> &teams)
{
    m_teams = teams;
    for (auto it = m_tokens.begin(); it != m_tokens.end(); ++it)
        if (it.value() >= teams.size())
            it.value() = -1;
    for (const auto &phone : m_phones) {
        if (phone->team >= teams.size())
            phone->team = -1;
        if (phone->joined)
            send(phone.get(), PhoneMessages::welcome(phone->token, m_teams, phone->team, m_song));
    }
}

void BuzzerServer::tellPress(int team, PhoneMessages::Outcome outcome)
{
    const QString text = PhoneMessages::outcome(outcome);
    for (const auto &phone : m_phones)
        if (phone->joined && phone->team == team)
            send(phone.get(), text);
}

void BuzzerServer::setSong(const PhoneMessages::Song &song)
{
    m_song = song;
    const QString text = PhoneMessages::song(song);
    for (const auto &phone : m_phones)
        if (phone->joined)
            send(phone.get(), text);
}

void BuzzerServer::acceptPhones()
{
    while (m_http && m_http->hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = m_http->nextPendingWebSocketConnection();
        if (!socket)
            continue;
        if (int(m_phones.size()) >= MaxPhones ||
            socket->requestUrl().path() != PageServer::SocketPath) {
            socket->close(QWebSocketProtocol::CloseCodeTooMuchData);
            socket.release()->deleteLater();
            continue;
        }
        socket->setMaxAllowedIncomingFrameSize(MaxMessageBytes);
        socket->setMaxAllowedIncomingMessageSize(MaxMessageBytes);
        auto phone = std::make_unique<Phone>();
        phone->peer = socket->peerAddress().toString();
        QWebSocket *raw = socket.get();
        connect(raw, &QWebSocket::textMessageReceived, this, [this, raw](const QString &text) {
            if (Phone *phone = findPhone(raw))
                onMessage(phone, text);
        });
        const auto dropSocket = [this, raw] {
            if (Phone *phone = findPhone(raw))
                drop(phone);
        };
        connect(raw, &QWebSocket::binaryMessageReceived, this, dropSocket);
        connect(raw, &QWebSocket::disconnected, this, dropSocket);
        // A connection that never says the code holds a place for nothing.
        QTimer::singleShot(JoinSeconds * 1000, raw, [this, raw] {
            Phone *phone = findPhone(raw);
            if (phone != nullptr && !phone->joined)
                drop(phone);
        });
        phone->socket = std::move(socket);
        m_phones.push_back(std::move(phone));
        emit phonesChanged(phoneCount());
    }
}

void BuzzerServer::onMessage(Phone *phone, const QString &text)
{
    // The arrival is the press's moment, whatever the message turns out to be.
    const qint64 stamp = m_clock();
    if (!phone->budget.take(steadyMilliseconds()))
        return;
    if (text.size() > MaxMessageBytes) {
        drop(phone);
        return;
    }
    const PhoneMessages::Incoming in = PhoneMessages::parse(text);
    using Kind = PhoneMessages::Incoming::Kind;
    if (!phone->joined) {
        if (in.kind == Kind::Join)
            join(phone, in);
        else
            drop(phone);
        return;
    }
    if (in.kind == Kind::Team)
        pickTeam(phone, in.team);
    else if (in.kind == Kind::Press && phone->team >= 0)
        emit pressed(phone->team, stamp); // the owner may stop the server from here
}

void BuzzerServer::join(Phone *phone, const PhoneMessages::Incoming &in)
{
    const auto refuse = [this, phone](const QString &reason) {
        send(phone, PhoneMessages::refused(reason));
        drop(phone);
    };
    if (m_wrongCodes.value(phone->peer) >= MaxWrongCodes)
        return refuse(QStringLiteral("blocked"));
    if (!in.token.isEmpty() && m_tokens.contains(in.token)) {
        phone->token = in.token;
        phone->team = m_tokens.value(in.token);
    } else if (in.code.isEmpty()) {
        return refuse(QStringLiteral("token"));
    } else if (in.code != m_code) {
        ++m_wrongCodes[phone->peer];
        return refuse(QStringLiteral("code"));
    } else if (m_tokens.size() >= MaxTokens) {
        return refuse(QStringLiteral("full"));
    } else {
        phone->token = newToken();
        m_tokens.insert(phone->token, -1);
    }
    phone->joined = true;
    send(phone, PhoneMessages::welcome(phone->token, m_teams, phone->team, m_song));
}

void BuzzerServer::pickTeam(Phone *phone, int team)
{
    phone->team = team >= 0 && team < m_teams.size() ? team : -1;
    m_tokens.insert(phone->token, phone->team);
    send(phone, PhoneMessages::teamTaken(phone->team));
}

void BuzzerServer::send(Phone *phone, const QString &text)
{
    phone->socket->sendTextMessage(text);
}

void BuzzerServer::drop(Phone *phone)
{
    const auto it = std::find_if(m_phones.begin(), m_phones.end(),
                                 [phone](const auto &p) { return p.get() == phone; });
    if (it == m_phones.end())
        return;
    std::unique_ptr<Phone> gone = std::move(*it);
    m_phones.erase(it);
    // The socket may be in the middle of its own signal: it goes when the loop comes back.
    QWebSocket *socket = gone->socket.release();
    socket->disconnect(this);
    socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
    socket->deleteLater();
    emit phonesChanged(phoneCount());
}

BuzzerServer::Phone *BuzzerServer::findPhone(const QWebSocket *socket) const
{
    for (const auto &phone : m_phones)
        if (phone->socket.get() == socket)
            return phone.get();
    return nullptr;
}

QString BuzzerServer::newToken() const
{
    QString token;
    for (int i = 0; i < 4; ++i)
        token += QStringLiteral("%1").arg(QRandomGenerator::system()->generate(), 8, 16,
                                          QLatin1Char('0'));
    return token;
}
