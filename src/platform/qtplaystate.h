#pragma once

#include "platform/mediaplayer.h"

#include <QMediaPlayer>

// Qt's playback state and media status as the program's play state.
[[nodiscard]] MediaPlayer::PlayState qtPlayState(QMediaPlayer::PlaybackState state,
                                                 QMediaPlayer::MediaStatus status);
