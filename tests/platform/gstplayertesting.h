#pragma once

// What the GStreamer player's tests share: a recorder of what a player tells, test media made
// with gst-launch-1.0, and waits for a player to play and to run at a speed.
#include "platform/gstmediaplayer.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <cmath>

namespace GstPlayerTesting {

// Everything a player tells, checked as it arrives: the state handed to playStateChanged() is
// the one playState() reads, and every signal is a change.
struct Recorder {
    QList<MediaPlayer::PlayState> states;
    QStringList errors;
    QStringList faults;

    explicit Recorder(MediaPlayer &player)
    {
        QObject::connect(&player, &MediaPlayer::playStateChanged, &player,
                         [this, &player](MediaPlayer::PlayState state) {
                             const int s = int(state);
                             if (state != player.playState()) {
                                 faults << QStringLiteral("signal %1 but playState() %2")
                                               .arg(s)
                                               .arg(int(player.playState()));
                             }
                             if (!states.isEmpty() && states.last() == state) {
                                 faults << QStringLiteral("state %1 signalled twice").arg(s);
                             }
                             states << state;
                         });
        QObject::connect(&player, &MediaPlayer::errorOccurred, &player,
                         [this](const QString &message) { errors << message; });
    }
};

inline QString runGst(const QString &pipeline)
{
    QProcess gst;
    gst.start(QStringLiteral("gst-launch-1.0"),
              QStringList{QStringLiteral("-q")} + QProcess::splitCommand(pipeline));
    if (!gst.waitForFinished(60000) || gst.exitStatus() != QProcess::NormalExit ||
        gst.exitCode() != 0) {
        return QStringLiteral("gst-launch-1.0 failed: ") + gst.errorString() + u' ' +
               QString::fromLocal8Bit(gst.readAllStandardError());
    }
    return {};
}

// Streams the sound server is playing now (a stopped or paused player's stream is corked).
inline int playingStreams()
{
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("sink-inputs")});
    if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0) {
        return -1;
    }
    return static_cast<int>(pactl.readAllStandardOutput().count("Corked: no"));
}

// Plays until the adapter reports playing.
inline bool startPlaying(GstMediaPlayer &player)
{
    player.play();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        if (player.playState() == MediaPlayer::PlayState::Playing) {
            return true;
        }
        QTest::qWait(20);
    }
    return false;
}

// Waits until the position runs at about the given rate. With the sound server the position
// often sits still for a second or so after playback starts and then catches up; speeds are
// measured only after that.
inline bool waitSteady(const GstMediaPlayer &player, double rate)
{
    // Each step is measured against the clock, not against the wait asked for: on a busy
    // machine a 250 ms wait can last twice as long, and the position rightly moves further.
    constexpr int step = 250;
    QElapsedTimer clock;
    clock.start();
    qint64 lastAt = clock.elapsed();
    double last = player.currentPosition();
    QStringList advances;
    int steady = 0;
    while (clock.elapsed() < 6000 && steady < 3) {
        QTest::qWait(step);
        const double now = player.currentPosition();
        const qint64 at = clock.elapsed();
        const double expected = rate * static_cast<double>(at - lastAt) / 1000.0;
        const double advance = now - last;
        advances << QStringLiteral("%1/%2").arg(advance, 0, 'f', 2).arg(expected, 0, 'f', 2);
        last = now;
        lastAt = at;
        steady = advance > 0.75 * expected && advance < 1.3 * expected ? steady + 1 : 0;
    }
    if (steady < 3) {
        qWarning("position never ran at rate %g; advance/expected per step: %s", rate,
                 qPrintable(advances.join(u' ')));
    }
    return steady >= 3;
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    PaintCounter(QWidget *widget, int &paints) : QObject(widget), m_paints(paints)
    {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_paints;
        return false;
    }

private:
    int &m_paints;
};

} // namespace GstPlayerTesting
