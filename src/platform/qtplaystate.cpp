#include "platform/qtplaystate.h"

MediaPlayer::PlayState qtPlayState(QMediaPlayer::PlaybackState state,
                                   QMediaPlayer::MediaStatus status)
{
    using PlayState = MediaPlayer::PlayState;
    switch (state) {
    case QMediaPlayer::StoppedState:
        return PlayState::Stopped;
    case QMediaPlayer::PausedState:
        return PlayState::Paused;
    case QMediaPlayer::PlayingState:
        break;
    }
    // Qt says "playing" from the moment of the request; the media runs once it is buffered.
    switch (status) {
    case QMediaPlayer::BufferingMedia:
    case QMediaPlayer::BufferedMedia:
        return PlayState::Playing;
    default:
        return PlayState::Transitioning;
    }
}
