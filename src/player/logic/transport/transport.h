#pragma once

#include "core/snippet.h"
#include "player/logic/sound/fadeout.h"
#include "player/logic/transport/snippetplay.h"

#include <QString>

#include <Qt>

#include <functional>

class MediaPlayer;
class PlayerModel;
class PlayerVolume;
class SongPosition;
class QuestionPort;
class Settings;
class SkinButtons;

// Play, pause and stop of the one song the window plays: the play request of the big and mini
// play buttons, the stop with its fade (tmrStop), repeat, the delayed start (Timer6), the
// player's state changes and the hidden command buttons. Pictures and info follow the skin
// rules; the buttons' presses and releases are TransportButtons'.
class Transport {
public:
    // What the window's opening takes from the settings and the board.
    struct Opening {
        QString path;
        QString tipo;
        bool riprodcontinua = false;
        bool autoplay = false;
        int wmpsemprevisib = 0;
        Snippet snippet = {};
    };

    Transport(PlayerModel &model, MediaPlayer &player, QuestionPort &questions, SkinButtons &skin,
              SongPosition &progress, PlayerVolume &volume, const Settings &settings);

    // The running fade of a stop button, or of the snippet's end.
    FadeOut fade;
    SnippetPlay snippet;

    // The transport's part of the window's opening: pictures, player, caption, bar, timers.
    void open(const Opening &opening);
    // The transport's part of closing: the player stops and no timer runs again.
    void unload();

    // Toggles between playing and paused. mini: from the mini play button; untouched: not from
    // the mouse resting on the big button (delayed start, repeat restart).
    void PlayMouseUp(bool mini, bool untouched);
    // The presenter's play request (a play button, the play key): a second one within
    // BounceMs of a start is the same press bouncing (a double click, a clicker's key) and
    // never pauses the song it has just started.
    void presenterPlay(bool mini, bool untouched);
    static constexpr qint64 BounceMs = 300;
    // Milliseconds on a steady clock, for the bounce guard; tests set their own.
    std::function<qint64()> clock;
    void PlayStateChange();
    // Timer6: the delayed start and the repeat restart.
    void timer6();
    // A stop button was released inside with this mouse button: the song stops at once or
    // fades out, after sfumadx.
    void SfumaStop(Qt::MouseButton button);
    // The song stops at once for good, a running fade cut short.
    void stopNow();
    // tmrStop: one step of the fade; intervalMs is the timer's interval.
    void tmrStop(int intervalMs);
    // Timer1 while playing: at the snippet's end point the song fades out with the stop fade's
    // speed, then ends as at the end of the song (so repeat starts it again).
    void snippetTick();

    // The command buttons Pausa and Stop.
    void pausaClicked();
    void stopClicked();
    // The player could not play the file: stopped for good and reported, naming the file.
    void mediaFailed(const QString &message);

    // "Ripeti" or "NRipeti" after the repeat state, then the state letters.
    QString ripetiPicture(const char *state) const;

private:
    void finalStop();
    void endOfSnippet();
    void stopForGood();
    void restoreBigButton();
    void showPlayButtons(const QString &glyph, bool mini, bool untouched);
    void showStartCaption();

    PlayerModel &m_model;
    MediaPlayer &m_player;
    QuestionPort &m_questions;
    SkinButtons &m_skin;
    SongPosition &m_progress;
    PlayerVolume &m_volume;
    bool m_inPlayMouseUp = false;
    bool m_inTimer6 = false;
    // The song ended with repeat on and starts again; the presenter's bar moves until then.
    bool m_repeatPending = false;
    // The running fade is the snippet's end, not a stop button's.
    bool m_endFade = false;
    int m_movesAtRepeat = 0;
    // When the song last started playing, on clock(); none yet while negative.
    qint64 m_startedAt = -1;
};
