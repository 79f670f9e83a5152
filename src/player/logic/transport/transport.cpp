#include "player/logic/transport/transport.h"

#include "core/ports.h"
#include "core/textfile.h"
#include "platform/mediaplayer.h"
#include "player/logic/playermodel.h"
#include "player/logic/position/numbertext.h"
#include "player/logic/position/songposition.h"
#include "player/logic/skin/skinbuttons.h"
#include "player/logic/sound/playervolume.h"

#include <QDeadlineTimer>
#include <QScopedValueRollback>

#include <utility>

Transport::Transport(PlayerModel &model, MediaPlayer &player, QuestionPort &questions,
                     SkinButtons &skin, SongPosition &progress, PlayerVolume &volume,
                     const Settings &settings)
    : fade(model, volume, settings), snippet(model, player), m_model(model), m_player(player),
      m_questions(questions), m_skin(skin), m_progress(progress), m_volume(volume)
{
    clock = [] { return QDeadlineTimer::current().deadline(); };
}

// "Ripeti" or "NRipeti" after the repeat state, then the state letters.
QString Transport::ripetiPicture(const char *state) const
{
    return (m_model.Ripeti ? QStringLiteral("Ripeti") : QStringLiteral("NRipeti")) +
           QString::fromLatin1(state);
}

void Transport::open(const Opening &opening)
{
    m_model.Tipo = opening.tipo;
    m_model.FileInesistente = false;
    m_model.WMPSempreVisib = opening.wmpsemprevisib;

    m_model.setPicture(Image::Play1, QStringLiteral("Play1N"));
    m_model.setPicture(Image::Play, QStringLiteral("Play2N"));
    m_model.setPicture(Image::Play3, QStringLiteral("Play3N"));
    m_model.Ripeti = opening.riprodcontinua;
    m_model.setPicture(Image::Ripeti, ripetiPicture("NPN"));
    m_model.setPicture(Image::Stop, QStringLiteral("StopNPN"));
    m_skin.restore(Image::Muto);
    m_skin.restore(Image::Aggancia);
    m_model.setPicture(Image::SlittaBasso, QStringLiteral("ScorriBassoN"));
    m_model.setPicture(Image::PlayMini, QStringLiteral("PlayMN"));
    m_model.setPicture(Image::StopMini, QStringLiteral("StopMN"));
    m_model.setPicture(Image::SlittaAlto, QStringLiteral("ScorriAltoN"));
    m_model.setPicture(Image::Mixer, QStringLiteral("MixerN"));
    m_model.setPicture(Image::Chiudi, QStringLiteral("ChiudiN"));

    m_player.setAutoStart(false);
    // The player gets its volume before it loads the song.
    m_volume.open();
    m_model.setTimer(Timer::Timer1, false);
    m_model.setTimer(Timer::Timer2, false);

    // A folder or an unreadable file is as good as none: the window still opens, and the
    // player never sees the path, so it has no failure of its own to report on top of the
    // warning every play request gives.
    m_model.FileInesistente = !TextFile::isReadableFile(opening.path);
    snippet.open(opening.snippet);
    snippet.rewind(m_progress.presenterMoves());
    m_player.setURL(m_model.FileInesistente ? QString() : opening.path);
    m_player.setEnabled(true);
    showStartCaption();
    m_model.setText(Text::Pausa, QStringLiteral("Play"));

    m_model.setKnobLeft(SongPosition::knobCentredAt(0));
    m_model.setMiniWidth(0);
    m_model.AggiornaProgresso = true;
    m_model.Fermo = true;
    if (opening.autoplay)
        m_model.setTimer(Timer::Timer6, true);
    m_model.VelocitaCorrente = 1.0;
    m_skin.info().AggiornaInfo();
}

void Transport::unload()
{
    m_model.unloaded = true;
    m_player.stop();
    m_model.letEventsRun();
    m_model.setProgressEnabled(false);
    m_model.setTimer(Timer::Timer1, false);
    m_model.setTimer(Timer::Timer2, false);
    m_model.setTimer(Timer::Timer6, false);
    m_model.setTimer(Timer::Timer4, false);
    m_model.setTimer(Timer::Timer5, false);
    m_model.setTimer(Timer::TmrStop, false);
}

void Transport::PlayMouseUp(bool mini, bool untouched)
{
    // A request that arrives while one is being handled (a click during the yield, the
    // delayed start during the missing-file message) is the same request again: drop it.
    if (m_model.unloaded || m_inPlayMouseUp)
        return;
    const QScopedValueRollback busy(m_inPlayMouseUp, true);
    m_player.setRate(m_model.VelocitaCorrente);
    m_model.letEventsRun();
    if (m_model.unloaded)
        return;

    if (isPlaying(m_player.playState())) {
        showPlayButtons(QStringLiteral("Play"), mini, untouched);
        // Normal speed while paused; the next play sets the chosen one again. Paused first: a
        // speed change while playing goes on in a fresh player, which there is no need for.
        m_player.pause();
        m_player.setRate(1);
        m_model.letEventsRun();
        if (m_model.unloaded)
            return;
        m_skin.ApplicaInfo(InfoEntry::Play, 0);
        m_model.setTimer(Timer::Timer1, false);
    } else if (m_model.FileInesistente) {
        m_questions.inform(
            QStringLiteral("ATTENZIONE!!! Il file collegato a questo numero è inesistente"),
            QStringLiteral("Zefiro"), QuestionPort::Icon::Warning);
        if (mini) {
            m_model.setPicture(Image::PlayMini, QStringLiteral("PlayMN"));
        } else {
            restoreBigButton();
            m_model.setPicture(Image::Stop, QStringLiteral("StopNPN"));
            m_model.setPicture(Image::Ripeti, ripetiPicture("NPN"));
        }
    } else {
        showPlayButtons(QStringLiteral("Pausa"), mini, untouched);
        snippet.beforePlay(m_progress.presenterMoves());
        m_player.play();
        m_startedAt = clock();
        m_skin.ApplicaInfo(InfoEntry::Play, 1);
        m_model.letEventsRun();
    }
    m_model.Fermo = false;
}

void Transport::presenterPlay(bool mini, bool untouched)
{
    const bool bounce = m_startedAt >= 0 && clock() - m_startedAt < BounceMs;
    if (bounce && isPlaying(m_player.playState()))
        return;
    PlayMouseUp(mini, untouched);
}

void Transport::showStartCaption()
{
    m_model.setText(Text::Caption, m_model.caption(NumberText::captionStart()));
}

// Both play buttons show the glyph ("Play" or "Pausa") of what their next click does; the one
// the presenter used keeps its hover look unless the request came from elsewhere (untouched),
// and the big button's neighbours lose their held look.
void Transport::showPlayButtons(const QString &glyph, bool mini, bool untouched)
{
    if (mini) {
        m_model.setPicture(Image::PlayMini, glyph + u"MS");
        m_model.setPicture(Image::Play, glyph + u"2N");
        return;
    }
    m_model.setPicture(Image::PlayMini, glyph + u"MN");
    m_model.setPicture(Image::Play,
                       glyph + (untouched ? QStringLiteral("2N") : QStringLiteral("2S")));
    m_model.setPicture(Image::Play1, QStringLiteral("Play1N"));
    m_model.setPicture(Image::Play3, QStringLiteral("Play3N"));
    m_model.setPicture(Image::Ripeti, ripetiPicture("NPN"));
    m_model.setPicture(Image::Stop, QStringLiteral("StopNPN"));
}

void Transport::restoreBigButton()
{
    m_model.setPicture(Image::Play, QStringLiteral("Play2N"));
    m_model.setPicture(Image::Play1, QStringLiteral("Play1N"));
    m_model.setPicture(Image::Play3, QStringLiteral("Play3N"));
}

void Transport::PlayStateChange()
{
    if (m_model.unloaded)
        return;
    const MediaPlayer::PlayState state = m_player.playState();
    if (isPlaying(state)) {
        const PlayHover hovered = m_model.OggettoXWMP;
        m_model.setPicture(Image::Play, hovered == PlayHover::Big ? QStringLiteral("Pausa2S")
                                                                  : QStringLiteral("Pausa2N"));
        m_model.setPicture(Image::PlayMini, hovered == PlayHover::Mini ? QStringLiteral("PausaMS")
                                                                       : QStringLiteral("PausaMN"));
        // A repeat starts the song again from the start, unless the presenter chose a place
        // on the bar while the restart was pending: the bar may still show the song's last
        // second, whose replay would end at once and repeat again.
        if (m_repeatPending && m_progress.presenterMoves() == m_movesAtRepeat) {
            m_progress.resetToStart();
            snippet.rewind(m_progress.presenterMoves());
        }
        m_repeatPending = false;
        // Playback goes on from where the bar stands, so a place chosen on the bar while
        // paused or stopped is where the song continues; from its beginning the snippet's
        // start point.
        m_player.setCurrentPosition(snippet.playingFrom(
            m_progress.presenterMoves(), m_model.progress().value * m_player.duration() / 100));
        m_model.setTimer(Timer::Timer1, true);
        m_model.setTimer(Timer::Timer2, true);
        m_model.setText(Text::DurataTot, m_player.durationString());
    } else if (state == MediaPlayer::PlayState::Stopped) {
        if (!m_model.Ripeti || m_model.StopRepeat) {
            finalStop();
        } else {
            m_repeatPending = true;
            m_movesAtRepeat = m_progress.presenterMoves();
            snippet.rewind(m_movesAtRepeat);
            m_model.setTimer(Timer::Timer6, true);
            m_model.letEventsRun();
            if (m_model.unloaded)
                return;
            m_model.setText(Text::Pausa, QStringLiteral("Pausa"));
        }
    } else {
        m_model.setTimer(Timer::Timer1, false);
    }
}

void Transport::finalStop()
{
    const QString duration = m_player.durationString();
    m_model.setPicture(Image::Play, QStringLiteral("Play2N"));
    m_model.setPicture(Image::PlayMini, QStringLiteral("PlayMN"));
    m_model.setText(Text::Pausa, QStringLiteral("Play"));
    m_model.setTimer(Timer::Timer1, false);
    m_model.TimerIIProtetto = 0;
    m_model.setTimer(Timer::Timer2, false);
    m_model.setTimer(Timer::Timer6, false);
    m_model.setText(Text::Label8, QStringLiteral("00.00 / ") + duration);
    showStartCaption();
    m_model.setText(Text::Avanzamento, NumberText::avanzamento(0, 2));
    m_model.setText(Text::DurataCorr, QStringLiteral("00.00"));
    m_model.setText(Text::DurataRim, QStringLiteral("-") + duration);
    m_progress.resetToStart();
    snippet.rewind(m_progress.presenterMoves());
    m_repeatPending = false;
    m_model.StopRepeat = false;
    m_model.Fermo = true;
}

void Transport::timer6()
{
    if (m_inTimer6)
        return;
    const QScopedValueRollback busy(m_inTimer6, true);
    // A play request that came first (a click within the half second) stands.
    if (!isPlaying(m_player.playState()))
        PlayMouseUp(false, true);
    m_model.setTimer(Timer::Timer6, false);
}

void Transport::SfumaStop(Qt::MouseButton button)
{
    if (m_model.unloaded)
        return;
    m_endFade = false;
    if (!fade.begin(button))
        stopForGood();
}

void Transport::stopNow()
{
    if (m_model.unloaded)
        return;
    m_model.setTimer(Timer::TmrStop, false);
    m_endFade = false;
    stopForGood();
}

void Transport::tmrStop(int intervalMs)
{
    if (m_model.unloaded)
        return;
    if (!fade.tick(intervalMs))
        return;
    if (std::exchange(m_endFade, false))
        endOfSnippet();
    else
        stopForGood();
}

void Transport::snippetTick()
{
    if (m_model.unloaded || !isPlaying(m_player.playState()))
        return;
    snippet.showRange();
    if (!snippet.crossedEnd() || m_model.timerOn(Timer::TmrStop))
        return;
    fade.beginAlways();
    m_endFade = true;
}

// The song ends as it does by itself, and the player's volume comes back for what follows.
void Transport::endOfSnippet()
{
    const int level = fade.VolumeInizioSfumatura;
    m_player.stop();
    if (m_model.unloaded)
        return;
    m_volume.setValue(level);
    m_volume.PosizionaVolume(false, true);
}

// A stop that repeat does not undo.
void Transport::stopForGood()
{
    const bool alreadyStopped = m_player.playState() == MediaPlayer::PlayState::Stopped;
    m_model.StopRepeat = true;
    m_player.stop();
    // A player that is stopped already reports no change. Its stopped state is handled here,
    // so that the stop cancels a restart still pending and leaves no flag behind that would
    // make a later end of the song final.
    if (alreadyStopped && m_model.StopRepeat && !m_model.unloaded)
        PlayStateChange();
}

// Repeat would only fail again every half second, so the stop is final.
void Transport::mediaFailed(const QString &message)
{
    if (m_model.unloaded)
        return;
    stopForGood();
    if (m_model.unloaded)
        return;
    m_questions.inform(
        QStringLiteral("ATTENZIONE!!! Il file collegato a questo numero non può essere "
                       "riprodotto:\n") +
            m_player.URL() + QStringLiteral("\n\n") + message,
        QStringLiteral("Zefiro"), QuestionPort::Icon::Warning);
}

void Transport::pausaClicked()
{
    if (m_model.unloaded)
        return;
    if (isPlaying(m_player.playState())) {
        m_player.pause();
        m_model.setText(Text::Pausa, QStringLiteral("Play"));
        m_model.setTimer(Timer::Timer1, false);
    } else {
        m_player.play();
        m_model.setText(Text::Pausa, QStringLiteral("Pausa"));
    }
    m_model.Fermo = false;
}

// A stop without the fade and without StopRepeat: with repeat on the song starts again.
void Transport::stopClicked()
{
    if (m_model.unloaded)
        return;
    m_player.stop();
    m_model.setTimer(Timer::Timer1, false);
    showStartCaption();
    m_model.TimerIIProtetto = 0;
    m_model.setTimer(Timer::Timer2, false);
    m_model.setProgressValue(0);
    snippet.rewind(m_progress.presenterMoves());
}
