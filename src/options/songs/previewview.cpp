#include "options/songs/previewview.h"

#include "options/songs/previewplayer.h"
#include "platform/mediaplayer.h"
#include "widgets/twips.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int RefreshMs = 250;
constexpr int VideoHeight = 2250;

QToolButton *transportButton(QWidget *parent, const char *name, QStyle::StandardPixmap icon,
                             const QString &tip)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

PreviewView::PreviewView(PreviewPlayer &preview, MediaPlayer &player, QWidget *parent)
    : QWidget(parent), m_player(player), m_caption(new QLabel(preview.caption(), parent))
{
    setObjectName(QStringLiteral("WindowsMediaPlayer1"));
    setAccessibleName(QStringLiteral("Anteprima"));
    setMouseTracking(true);
    m_caption->setObjectName(QStringLiteral("lblInRiproduz"));
    m_caption->setTextFormat(Qt::PlainText); // it shows the song's name as written
    m_caption->setAccessibleName(preview.caption());
    connect(&preview, &PreviewPlayer::captionChanged, m_caption, [this](const QString &text) {
        m_caption->setText(text);
        m_caption->setAccessibleName(text);
    });
    buildTransport();
    connect(&m_player, &MediaPlayer::playStateChanged, this, &PreviewView::refresh);
    connect(&m_player, &MediaPlayer::mouseMoved, this, &PreviewView::pointerMoved);
    connect(&m_player, &MediaPlayer::mouseReleased, this, [this](int, int, Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            emit leftReleased();
    });
    refresh();
}

void PreviewView::buildTransport()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Twips::toPixels(60));
    m_video = m_player.videoArea();
    if (m_video) {
        m_video->setParent(this);
        m_video->setFixedHeight(Twips::toPixels(VideoHeight));
        m_video->hide();
        layout->addWidget(m_video);
    }
    auto *strip = new QHBoxLayout;
    strip->setSpacing(Twips::toPixels(45));
    m_play = transportButton(this, "btnAnteprimaPlay", QStyle::SP_MediaPlay,
                             QStringLiteral("Riproduci"));
    m_stop =
        transportButton(this, "btnAnteprimaStop", QStyle::SP_MediaStop, QStringLiteral("Ferma"));
    m_position = new QSlider(Qt::Horizontal, this);
    m_position->setObjectName(QStringLiteral("sldAnteprima"));
    m_position->setAccessibleName(QStringLiteral("Posizione"));
    m_position->setFocusPolicy(Qt::NoFocus);
    m_time = new QLabel(this);
    m_time->setObjectName(QStringLiteral("lblAnteprimaTempo"));
    strip->addWidget(m_play);
    strip->addWidget(m_stop);
    strip->addWidget(m_position, 1);
    strip->addWidget(m_time);
    layout->addLayout(strip);

    m_refresh = new QTimer(this);
    m_refresh->setInterval(RefreshMs);
    connect(m_refresh, &QTimer::timeout, this, &PreviewView::refresh);
    connect(m_play, &QToolButton::clicked, this, &PreviewView::playOrPause);
    connect(m_stop, &QToolButton::clicked, this, [this] { m_player.stop(); });
    connect(m_position, &QSlider::sliderMoved, this, &PreviewView::seek);
}

void PreviewView::setWarningShown(bool shown)
{
    m_caption->move(m_caption->x(), Twips::toPixels(shown ? CaptionTopWarning : CaptionTop));
    move(x(), Twips::toPixels(shown ? PlayerTopWarning : PlayerTop));
}

void PreviewView::mouseMoveEvent(QMouseEvent *event)
{
    emit pointerMoved();
    QWidget::mouseMoveEvent(event);
}

void PreviewView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit leftReleased();
    QWidget::mouseReleaseEvent(event);
}

void PreviewView::playOrPause()
{
    if (m_player.playState() == MediaPlayer::PlayState::Playing)
        m_player.pause();
    else if (!m_player.URL().isEmpty())
        m_player.play();
}

void PreviewView::seek(int seconds)
{
    m_player.setCurrentPosition(seconds);
}

void PreviewView::refresh()
{
    const bool playing = m_player.playState() == MediaPlayer::PlayState::Playing;
    const bool loaded = !m_player.URL().isEmpty();
    m_play->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    const QString tip = playing ? QStringLiteral("Pausa") : QStringLiteral("Riproduci");
    m_play->setToolTip(tip);
    m_play->setAccessibleName(tip);
    m_play->setEnabled(loaded);
    m_stop->setEnabled(loaded && m_player.playState() != MediaPlayer::PlayState::Stopped);
    if (m_video)
        m_video->setVisible(loaded && m_player.hasVideo());
    const double length = m_player.duration();
    m_position->setEnabled(length > 0);
    if (!m_position->isSliderDown()) {
        m_position->setRange(0, static_cast<int>(std::ceil(length)));
        m_position->setValue(static_cast<int>(m_player.currentPosition()));
    }
    const QString total = m_player.durationString();
    m_time->setText(total.isEmpty()
                        ? QString()
                        : m_player.currentPositionString() + QStringLiteral(" / ") + total);
    if (playing && !m_refresh->isActive())
        m_refresh->start();
    else if (!playing && m_player.playState() == MediaPlayer::PlayState::Stopped)
        m_refresh->stop();
}
