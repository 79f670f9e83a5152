#include "app/phonebuzzers.h"

#include "audience/audience.h"
#include "core/ports.h"
#include "core/settings.h"
#include "game/gamesession.h"
#include "player/buzzerdesk.h"
#include "remote/buzzerserver.h"

#include <QEvent>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <chrono>

PhoneBuzzers::PhoneBuzzers(const Settings &settings, QuestionPort &questions, Audience &audience)
    : m_settings(settings), m_questions(questions), m_audience(audience),
      m_server(std::make_unique<BuzzerServer>())
{
    m_server->setClock(&PhoneBuzzers::inputClock);
    connect(m_server.get(), &BuzzerServer::pressed, this, &PhoneBuzzers::onPress);
}

PhoneBuzzers::~PhoneBuzzers()
{
    stop();
}

qint64 PhoneBuzzers::inputClock()
{
    using namespace std::chrono;
    const auto now = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return qint64(quint32(now));
}

void PhoneBuzzers::startAfterPaint(QWidget &board, TeamsSource source)
{
    m_board = &board;
    m_teamsSource = std::move(source);
    board.installEventFilter(this);
}

bool PhoneBuzzers::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_board && event->type() == QEvent::Paint) {
        m_board->removeEventFilter(this);
        m_painted = true;
        // After the paint has reached the screen, not inside it.
        QTimer::singleShot(0, this, &PhoneBuzzers::follow);
    }
    return false;
}

void PhoneBuzzers::follow()
{
    const QList<Team> teams = m_teamsSource ? m_teamsSource() : QList<Team>();
    const bool wanted = m_settings.number(QStringLiteral("buzzertelefoni")) == 1;
    const int port = m_settings.number(QStringLiteral("portabuzzer"));
    if (!wanted || teams.isEmpty() || !m_painted) {
        stop();
        if (!wanted)
            m_failedPort = 0;
        return;
    }
    if (!m_server->isRunning() || port != m_port) {
        start(port, teams);
    } else if (teams != m_teams) {
        m_teams = teams;
        m_server->setTeams(teams);
    }
}

void PhoneBuzzers::start(int port, const QList<Team> &teams)
{
    if (port == m_failedPort)
        return;
    m_port = port;
    m_teams = teams;
    const BuzzerServer::StartResult started = m_server->start(port, teams);
    if (!started.ok()) {
        m_failedPort = port;
        m_questions.inform(QStringLiteral("Buzzer sui telefoni non disponibili: ") + started.reason,
                           QStringLiteral("Zefiro"), QuestionPort::Icon::Warning);
        return;
    }
    m_failedPort = 0;
    m_audience.showPhones(m_server->addresses().value(0), m_server->gameCode(), m_server->qrCode());
    tellSong();
}

void PhoneBuzzers::stop()
{
    if (!m_server->isRunning())
        return;
    m_server->stop();
    m_port = 0;
    m_audience.showPhones({}, {}, {});
}

void PhoneBuzzers::attach(BuzzerDesk &desk, GameSession &session)
{
    m_desk = &desk;
    m_session = &session;
    connect(&desk, &BuzzerDesk::bookingChanged, this, &PhoneBuzzers::tellSong);
    connect(&desk, &BuzzerDesk::songChanged, this, &PhoneBuzzers::tellSong);
    tellSong();
}

void PhoneBuzzers::detach()
{
    if (m_desk)
        disconnect(m_desk, nullptr, this, nullptr);
    m_desk = nullptr;
    m_session = nullptr;
    tellSong();
}

void PhoneBuzzers::onPress(int team, qint64 stamp)
{
    if (!m_desk || !m_session) {
        m_server->tellPress(team, PhoneMessages::Outcome::NoSong);
        return;
    }
    const BuzzerArbiter::Press press = m_desk->remotePress(team, stamp);
    m_server->tellPress(team, BuzzerServer::outcomeOf(press, m_session->buzzers().isLocked(team)));
}

// What the phones show of the song: open, booked by a team, or closed.
void PhoneBuzzers::tellSong()
{
    if (!m_server->isRunning())
        return;
    PhoneMessages::Song song;
    if (m_desk && m_session) {
        const BuzzerArbiter &arbiter = m_session->buzzers();
        if (arbiter.state() == BuzzerArbiter::State::Open)
            song.state = PhoneMessages::SongState::Open;
        else if (arbiter.state() == BuzzerArbiter::State::Booked)
            song.state = PhoneMessages::SongState::Booked;
        song.team = arbiter.bookedTeam();
        for (int team = 0; team < m_session->teams().size(); ++team) {
            if (arbiter.isLocked(team))
                song.lockedTeams << team;
        }
    }
    m_server->setSong(song);
}
