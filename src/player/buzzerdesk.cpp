#include "player/buzzerdesk.h"

#include "core/settings.h"
#include "game/gamesession.h"
#include "platform/mediaplayer.h"
#include "player/logic/playerlogic.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *settleButton(const QString &caption, const QString &key, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(caption);
    button->setAccessibleName(caption);
    button->setAccessibleDescription(key);
    button->setToolTip(key);
    // The keys stay the window's: a focused button would take Enter and Esc.
    button->setFocusPolicy(Qt::NoFocus);
    QFont font = button->font();
    font.setPixelSize(22);
    font.setBold(true);
    button->setFont(font);
    return button;
}

bool hasCommandModifier(const QKeyEvent &event)
{
    return (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

} // namespace

BuzzerDesk::BuzzerDesk(QWidget &window, PlayerLogic &logic, MediaPlayer &player,
                       GameSession &session, const Settings &settings, MediaPlayer *chime)
    : QObject(&window), m_logic(logic), m_player(player), m_session(session), m_settings(settings),
      m_chime(chime)
{
    build(window);
}

void BuzzerDesk::build(QWidget &window)
{
    m_overlay = new QWidget(&window);
    m_overlay->setObjectName(QStringLiteral("Prenotazione"));
    m_overlay->setAutoFillBackground(true);
    QPalette shade = m_overlay->palette();
    shade.setColor(QPalette::Window, QColor(16, 16, 16));
    m_overlay->setPalette(shade);

    m_name = new QLabel(m_overlay);
    m_name->setObjectName(QStringLiteral("SquadraPrenotata"));
    m_name->setAlignment(Qt::AlignCenter);
    m_name->setWordWrap(true);
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPixelSize(52);
    font.setBold(true);
    m_name->setFont(font);

    m_right = settleButton(QStringLiteral("Giusta"), QStringLiteral("Invio"), m_overlay);
    m_wrong = settleButton(QStringLiteral("Sbagliata"), QStringLiteral("Backspace"), m_overlay);
    m_drop = settleButton(QStringLiteral("Annulla"), QStringLiteral("Esc"), m_overlay);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {m_right, m_wrong, m_drop}) {
        button->installEventFilter(this);
        buttons->addWidget(button);
    }
    auto *column = new QVBoxLayout(m_overlay);
    column->addWidget(m_name, 1);
    column->addLayout(buttons);
    connect(m_right, &QPushButton::clicked, this, &BuzzerDesk::right);
    connect(m_wrong, &QPushButton::clicked, this, [this] { wrong(m_clickStamp); });
    connect(m_drop, &QPushButton::clicked, this, [this] { drop(m_clickStamp); });
    m_overlay->hide();
}

bool BuzzerDesk::isBooked() const
{
    return m_session.buzzers().state() == BuzzerArbiter::State::Booked;
}

bool BuzzerDesk::key(const QKeyEvent &event)
{
    const qint64 stamp = qint64(event.timestamp());
    const qsizetype team =
        hasCommandModifier(event)
            ? -1
            : Teams::indexOfKey(m_session.teams(), Teams::keyFromQtKey(event.key()));
    if (!isBooked()) {
        // A song that fades out has been stopped by the presenter: nobody may book it.
        if (team < 0 || event.isAutoRepeat() || !isPlaying(m_player.playState()) ||
            m_logic.model.timerOn(Timer::TmrStop))
            return false;
        press(int(team), stamp);
        return true;
    }
    // While a team has the answer only the settlements and the teams' keys act.
    if (event.isAutoRepeat())
        return true;
    if (team >= 0)
        press(int(team), stamp);
    else if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        right();
    else if (event.key() == Qt::Key_Backspace)
        wrong(stamp);
    else if (event.key() == Qt::Key_Escape)
        drop(stamp);
    return true;
}

void BuzzerDesk::press(int team, qint64 stamp)
{
    const BuzzerArbiter::Press outcome = m_session.buzzers().press(team, stamp);
    if (outcome == BuzzerArbiter::Press::TookOver) {
        showBooking();
    } else if (outcome == BuzzerArbiter::Press::Booked) {
        // The big button's own pause, so its pictures follow.
        if (isPlaying(m_player.playState()))
            m_logic.transport.PlayMouseUp(false, true);
        showBooking();
        if (m_chime) {
            m_chime->stop();
            m_chime->play();
        }
    }
}

void BuzzerDesk::showBooking()
{
    const int team = m_session.buzzers().bookedTeam();
    if (team < 0)
        return;
    const Team &booked = m_session.teams().at(team);
    const QString text = QStringLiteral("Prenotata: ") + booked.name;
    m_name->setText(text);
    m_name->setAccessibleName(text);
    QPalette colours = m_name->palette();
    colours.setColor(QPalette::WindowText, QColor(booked.colour));
    m_name->setPalette(colours);
    m_overlay->setGeometry(m_overlay->parentWidget()->rect());
    m_overlay->raise();
    m_overlay->show();
    emit bookingChanged(team);
}

void BuzzerDesk::hideBooking()
{
    const bool shown = m_overlay->isVisibleTo(m_overlay->parentWidget());
    m_overlay->hide();
    if (shown)
        emit bookingChanged(-1);
}

// Right: the song comes back for its fade, as the stop button fades a playing song.
void BuzzerDesk::right()
{
    if (!m_session.buzzerRight().happened)
        return;
    hideBooking();
    resume();
    m_logic.transport.SfumaStop(Qt::LeftButton);
}

void BuzzerDesk::wrong(qint64 stamp)
{
    const bool penalty = m_settings.number(QStringLiteral("penalita")) == 1;
    if (!m_session.buzzerWrong(stamp, penalty).happened)
        return;
    hideBooking();
    resume();
}

void BuzzerDesk::drop(qint64 stamp)
{
    if (m_session.buzzers().drop(stamp) < 0)
        return;
    hideBooking();
    resume();
}

void BuzzerDesk::resume()
{
    if (m_player.playState() == MediaPlayer::PlayState::Paused)
        m_logic.transport.PlayMouseUp(false, true);
}

void BuzzerDesk::playStateChanged()
{
    const MediaPlayer::PlayState state = m_player.playState();
    if (isPlaying(state) && !m_songOn) {
        m_songOn = true;
        m_session.buzzers().songStarted();
    } else if (state == MediaPlayer::PlayState::Stopped && m_songOn) {
        m_songOn = false;
        m_session.buzzers().songStopped();
        hideBooking();
    }
}

// A click's own time stamp settles as a key's does.
bool BuzzerDesk::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease)
        m_clickStamp = qint64(static_cast<QMouseEvent *>(event)->timestamp());
    return QObject::eventFilter(watched, event);
}
