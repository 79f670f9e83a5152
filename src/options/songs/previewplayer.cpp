#include "options/songs/previewplayer.h"

#include "core/categories.h"
#include "platform/mediaplayer.h"

namespace {

const QString Playing = QStringLiteral("In Riproduzione:");

} // namespace

PreviewPlayer::PreviewPlayer(MediaPlayer &player, QObject *parent)
    : QObject(parent), m_player(player), m_caption(Playing)
{
    m_timer2.setInterval(0);
    connect(&m_timer2, &QTimer::timeout, this, &PreviewPlayer::Timer2_Timer);
    connect(&m_player, &MediaPlayer::playStateChanged, this, &PreviewPlayer::onPlayState);
    // A file that cannot be played may fail while the player is already stopped, so no change
    // of state would end the caption.
    connect(&m_player, &MediaPlayer::errorOccurred, this, &PreviewPlayer::stopped);
}

void PreviewPlayer::PlayWMP(const Cell &cell)
{
    if (cell.song.file.isEmpty()) {
        m_player.stop();
        return;
    }
    CategRoprod = cell.category;
    iRiprod = cell.label;
    m_position = cell.position;
    CategENum = categoryAndPoints();
    NomeCanzoneRipr = cell.caption;
    restartTimer(QuickInterval);
    // Last, so that a file failing at once ends the caption that was just started. A song
    // chosen under a new name is heard from where it is until the change is applied.
    m_player.setURL(cell.song.fullPath());
}

void PreviewPlayer::stop()
{
    m_player.stop();
    stopped();
}

void PreviewPlayer::rowsReset(const QString &category)
{
    if (previewing(category))
        iRiprod = m_position;
}

void PreviewPlayer::cellsSwapped(const QString &category, int a, int b)
{
    if (!previewing(category))
        return;
    if (m_position == a)
        m_position = b;
    else if (m_position == b)
        m_position = a;
    CategENum = categoryAndPoints();
}

bool PreviewPlayer::previewing(const QString &category) const
{
    return m_position >= 0 && CategRoprod == category;
}

void PreviewPlayer::Timer2_Timer()
{
    if (Timer2Riprod == 0) {
        setCaption(Playing + u' ' + CategENum);
        Timer2Riprod = 1;
    } else {
        const QString name = NomeCanzoneRipr.size() <= LongestName
                                 ? NomeCanzoneRipr
                                 : NomeCanzoneRipr.first(CutName) + QStringLiteral("...");
        setCaption(Playing + u' ' + name);
        Timer2Riprod = 0;
    }
    m_timer2.setInterval(CaptionInterval);
}

void PreviewPlayer::onPlayState(MediaPlayer::PlayState state)
{
    if (state == MediaPlayer::PlayState::Stopped)
        stopped();
    else if (state == MediaPlayer::PlayState::Playing && !m_timer2.isActive())
        // Only a caption that had ended starts again at once: PlayWMP has already started it
        // for a new song, and restarting it here would skip the category at the first turn.
        restartTimer(QuickInterval);
}

void PreviewPlayer::stopped()
{
    m_timer2.stop();
    setCaption(Playing);
}

void PreviewPlayer::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    emit captionChanged(m_caption);
}

void PreviewPlayer::restartTimer(int interval)
{
    m_timer2.start(interval);
}

QString PreviewPlayer::categoryAndPoints() const
{
    return CategRoprod + u' ' + QString::number(slotPoints(m_position));
}
