#pragma once

#include "game/buzzerarbiter.h"
#include "game/team.h"
#include "remote/phonemessages.h"
#include "remote/ratebudget.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class PageServer;
class QTcpServer;
class QWebSocket;

// Phones as buzzers: serves the phone page on the local network and turns a phone's button
// into a press of its team.
//
// Rules:
// - Lifecycle: start() listens on every IPv4 address of the machine and draws a new four-digit
//   game code; stop() closes every phone and the port, and forgets every phone (their tokens
//   are of no use to the next start). The destructor stops. start() on a running server
//   restarts it.
// - Threading: everything, signals included, happens on the thread that owns the object (the
//   window thread); pressed() is emitted straight from the message's arrival.
// - The server decides nothing about the game. A press comes out as pressed(team, stamp) with
//   the stamp taken as the message arrives; the owner puts it to its BuzzerArbiter exactly as a
//   team's key, then tells the phones what became of it (tellPress) and the song's state
//   (setSong). outcomeOf() reads the arbiter's answer for the phone.
// - A phone joins once with the game code and gets a token; with the token it comes back to its
//   team after a lost connection without the code. A wrong code closes the connection, and an
//   address that keeps guessing is refused until the next start.
// - Limits: a message of more than MaxMessageBytes closes its connection; a phone's messages
//   past a small budget are dropped unread; at most MaxPhones connections at once. Nothing a
//   phone sends is used as a file name, a path or a setting: only a team number, checked.
class BuzzerServer : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxMessageBytes = 4096;
    static constexpr int MaxPhones = 64;
    static constexpr int MaxWrongCodes = 10;
    static constexpr int BudgetBurst = 20;
    static constexpr int BudgetPerSecond = 20;

    enum class StartProblem { None, BadPort, NoTeams, Listen };
    struct StartResult {
        StartProblem problem = StartProblem::None;
        QString reason; // in words, for the presenter; empty when started
        bool ok() const { return problem == StartProblem::None; }
    };

    explicit BuzzerServer(QObject *parent = nullptr);
    ~BuzzerServer() override;

    [[nodiscard]] StartResult start(int port, const QList<Team> &teams);
    void stop();
    bool isRunning() const;

    // The port listened on (the one asked for), 0 when stopped.
    quint16 port() const;
    QString gameCode() const { return m_code; }
    // The page's addresses, one for each LAN IPv4 address of the machine ("http://A.B.C.D:P/"),
    // or the loopback address's alone when there is none.
    QStringList addresses() const;
    // A QR code of the first address; null when stopped.
    QImage qrCode(int scale = 8) const;
    int phoneCount() const;

    // Where stamps come from; by default a steady clock in milliseconds. The owner sets the
    // clock of its key events so a phone's press and a key compare on one clock.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

    static PhoneMessages::Outcome outcomeOf(BuzzerArbiter::Press press, bool teamLocked);

public slots:
    // The team list changed: every phone gets the new list; a phone whose team is gone picks
    // again.
    void setTeams(const QList<Team> &teams);
    // What became of the press of team: told to each phone of that team.
    void tellPress(int team, PhoneMessages::Outcome outcome);
    // The song's state: told to every phone.
    void setSong(const PhoneMessages::Song &song);

signals:
    void pressed(int team, qint64 stamp);
    void phonesChanged(int count);

private:
    struct Phone;

    void acceptPhones();
    void onMessage(Phone *phone, const QString &text);
    void join(Phone *phone, const PhoneMessages::Incoming &in);
    void pickTeam(Phone *phone, int team);
    void send(Phone *phone, const QString &text);
    void drop(Phone *phone);
    Phone *findPhone(const QWebSocket *socket) const;
    QString newToken() const;

    std::unique_ptr<PageServer> m_http;
    QTcpServer *m_tcp = nullptr; // owned by m_http
    std::vector<std::unique_ptr<Phone>> m_phones;
    QHash<QString, int> m_tokens;     // token -> team (-1 before a pick)
    QHash<QString, int> m_wrongCodes; // peer address -> wrong codes sent
    QList<Team> m_teams;
    PhoneMessages::Song m_song;
    QString m_code;
    std::function<qint64()> m_clock;
};
