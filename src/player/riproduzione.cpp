#include "player/riproduzione.h"

#include "core/appstate.h"
#include "core/events.h"
#include "core/snippetsfile.h"
#include "platform/mediaplayer.h"
#include "platform/processpriority.h"
#include "player/buzzerdesk.h"
#include "player/playermouse.h"
#include "player/playerwidgets.h"
#include "widgets/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

Riproduzione::Riproduzione(AppState &state, PlayerMemory &memory, QuestionPort &questions,
                           MediaPlayer &player, const SoundPorts &ports, const QString &percorso,
                           const QString &tipo, QWidget *parent)
    : QDialog(parent), m_state(state), m_player(player), m_ports(ports), m_percorso(percorso),
      m_tipo(tipo), m_logic(player, questions, memory, state.settings, ports),
      m_pictures(state.Path), m_face(*this, m_logic, m_pictures),
      m_timers(this, m_logic, [this] { syncVideoArea(); })
{
    setObjectName(QStringLiteral("Riproduzione"));
    setModal(true);
    // A fixed size and a close button of its own: the frame offers only closing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(Twips::toPixels(PlayerLayout::ClientWidth),
                 Twips::toPixels(PlayerLayout::ClientHeight));
    setMouseTracking(true);
    m_face.build();
    m_video = m_player.videoArea();
    if (m_video) {
        m_video->setParent(m_face.controls().backdrop);
        m_video->hide();
    }
    // Every control reports the pointer passing over it, so that a move never gets lost on
    // the way to the control that handles it.
    // No control takes the focus either: every key comes to the window, for PlayerKeys.
    const QList<QWidget *> controls = findChildren<QWidget *>();
    for (QWidget *control : controls) {
        control->setMouseTracking(true);
        control->setFocusPolicy(Qt::NoFocus);
    }
    for (const auto &[name, keys] : PlayerKeys::descriptions()) {
        if (auto *control = findChild<QWidget *>(QString::fromLatin1(name)))
            control->setAccessibleDescription(keys);
    }
    connectMouse();
    m_logic.model.setView(this);

    connect(&m_player, &MediaPlayer::playStateChanged, this, [this] {
        m_logic.transport.PlayStateChange();
        syncVideoArea();
        if (m_desk)
            m_desk->playStateChanged();
    });
    // Queued: the player has reported its stopped state by the time the presenter is told.
    connect(
        &m_player, &MediaPlayer::errorOccurred, this,
        [this](const QString &message) { m_logic.transport.mediaFailed(message); },
        Qt::QueuedConnection);
    connect(&m_player, &MediaPlayer::mouseMoved, this,
            [this] { m_logic.skin.NormalizzaMiniPulsanti(MiniHover::Background); });
}

Riproduzione::~Riproduzione()
{
    m_logic.model.setView(nullptr);
    disconnect(&m_player, nullptr, this, nullptr);
    // The video area belongs to the player: hand it back rather than delete it with the window.
    if (m_video && m_video->parent() == m_face.controls().backdrop) {
        m_video->hide();
        m_video->setParent(nullptr);
    }
}

void Riproduzione::load()
{
    m_logic.computer.open();
    m_ports.priority.raise();
    m_logic.cpu.start();

    const Settings &settings = m_state.settings;
    Transport::Opening opening;
    opening.path = m_percorso;
    opening.tipo = m_tipo;
    opening.riprodcontinua = settings.number(QStringLiteral("riprodcontinua")) == 1;
    opening.autoplay = settings.number(QStringLiteral("autoplay")) == 1;
    opening.wmpsemprevisib = settings.number(QStringLiteral("wmpsemprevisib"));
    opening.snippet = SnippetsFile::forSong(m_state.PercorsiSalvati, m_tipo, m_percorso);
    m_logic.open(opening);

    const QString fileName = QFileInfo(m_percorso).fileName();
    m_face.setTitle(m_tipo, fileName);
    syncVideoArea();
    centreOnScreen();
}

void Riproduzione::setGame(GameSession &session, MediaPlayer *chime)
{
    if (!m_desk)
        m_desk = new BuzzerDesk(*this, m_logic, m_player, session, m_state.settings, chime);
}

void Riproduzione::setReveal(std::function<void()> reveal)
{
    if (m_reveal)
        return;
    m_reveal = new QPushButton(QStringLiteral("Rivela"), this);
    m_reveal->setObjectName(QStringLiteral("btnRivela"));
    m_reveal->setToolTip(QStringLiteral("Mostra al pubblico titolo e artista"));
    m_reveal->setAccessibleDescription(QStringLiteral("F6"));
    m_reveal->setFocusPolicy(Qt::NoFocus);
    m_reveal->adjustSize();
    // Top right, over the skin's backdrop, away from the transport.
    m_reveal->move(width() - m_reveal->width() - 6, 6);
    connect(m_reveal, &QPushButton::clicked, this, std::move(reveal));
    m_reveal->show();
}

void Riproduzione::done(int result)
{
    unloadOnce();
    QDialog::done(result);
}

void Riproduzione::closeEvent(QCloseEvent *event)
{
    unloadOnce();
    QDialog::closeEvent(event);
}

// The keys run the controls' own paths (PlayerKeys). Esc never reaches the dialog, which
// would reject it and cut the song: it stops the song, and closes the window once stopped.
void Riproduzione::keyPressEvent(QKeyEvent *event)
{
    if (m_reveal && event->key() == Qt::Key_F6 && event->modifiers() == Qt::NoModifier) {
        m_reveal->click();
        event->accept();
        return;
    }
    if (m_desk && m_desk->key(*event)) {
        event->accept();
        return;
    }
    const PlayerKeys::Action action =
        m_logic.keys.press(event->key(), event->modifiers(), event->isAutoRepeat());
    if (action == PlayerKeys::Action::Close)
        close();
    if (action != PlayerKeys::Action::None || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Closing stops the song first; the slot stays marked (the board marked it before playing).
void Riproduzione::unloadOnce()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_logic.unload();
}

void Riproduzione::centreOnScreen()
{
    const QScreen *screen =
        parentWidget() ? parentWidget()->screen() : QApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
}

// The deactivated window takes the focus back from the program's other windows, but leaves it
// to a message box it opened itself and to other programs.
void Riproduzione::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || isActiveWindow())
        return;
    QTimer::singleShot(0, this, [this] {
        QWidget *active = QApplication::activeWindow();
        if (!m_unloaded && isVisible() && active && active != this &&
            QApplication::activeModalWidget() == this)
            activateWindow();
    });
}

void Riproduzione::pictureChanged(Image which)
{
    m_face.showPicture(which);
}

void Riproduzione::textChanged(Text which)
{
    if (which == Text::Caption)
        setWindowTitle(m_logic.model.text(which));
    else
        m_face.showText(which);
}

void Riproduzione::timerChanged(Timer which)
{
    m_timers.apply(which, m_logic.model.timerOn(which));
}

void Riproduzione::progressChanged()
{
    m_face.showProgress();
}

void Riproduzione::panelChanged()
{
    m_face.showPanel();
    // The player draws the picture only, with no controls of its own to hide below the
    // backdrop, so it takes the backdrop's visible area.
    if (m_video)
        m_video->setGeometry(m_face.controls().backdrop->rect());
}

void Riproduzione::volumeChanged()
{
    m_face.showVolume();
}

void Riproduzione::letEventsRun()
{
    ::letEventsRun();
}

void Riproduzione::syncVideoArea()
{
    if (!m_video)
        return;
    m_video->setGeometry(m_face.controls().backdrop->rect());
    m_video->setVisible(m_player.hasVideo());
}

void Riproduzione::mouseMoveEvent(QMouseEvent *event)
{
    m_logic.skin.NormalizzaPulsanti(MainHover::Background);
    QDialog::mouseMoveEvent(event);
}

// Leaving the window leaves no button in its hover look.
void Riproduzione::leaveEvent(QEvent *event)
{
    m_logic.skin.NormalizzaPulsanti(MainHover::Background);
    m_logic.skin.NormalizzaMiniPulsanti(MiniHover::Background);
    QDialog::leaveEvent(event);
}

// The mouse over the controls goes to the logic through the routing table.
void Riproduzione::connectMouse()
{
    m_mouse = new PlayerMouse(*this, m_logic);
    m_mouse->connect(m_face.controls());
}
