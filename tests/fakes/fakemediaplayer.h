#pragma once

#include "platform/mediaplayer.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <cmath>

// A media player for tests. The test sets the state, position and duration; every call is
// written to calls ("play", "pause", "stop", "rate 1.5", "position 12.5", "volume 50", "url x",
// "autostart 0", "enabled 1") so that tests can check what was asked and in which order. Like
// the real player it emits playStateChanged on every change of state, by default while still
// inside the call that caused it; with queued set, from the event loop afterwards.
class FakeMediaPlayer : public MediaPlayer {
public:
    QStringList calls;
    PlayState state = PlayState::Stopped;
    double position = 0;
    double length = 0;
    double currentRate = 1.0;
    int currentVolume = 100;
    QString url;
    bool video = false;
    bool queued = false;
    // play() with no file: the real player reports the failure as stopped.
    bool failsToPlay = false;

    // A widget standing in for the player's video area; deleted with the fake unless the
    // window that showed it still holds it.
    QPointer<QWidget> area;

    ~FakeMediaPlayer() override
    {
        if (area && !area->parent())
            delete area.data();
    }

    void setURL(const QString &path) override
    {
        url = path;
        calls << QStringLiteral("url ") + path;
        // As the real player does, a path that names no file fails at once.
        if (!path.isEmpty() && !QFileInfo(path).isFile())
            emit errorOccurred(QStringLiteral("Resource not found."));
    }
    QString URL() const override { return url; }
    void setEnabled(bool enabled) override
    {
        calls << QStringLiteral("enabled %1").arg(enabled ? 1 : 0);
    }
    PlayState playState() const override { return state; }

    void play() override
    {
        calls << QStringLiteral("play");
        if (failsToPlay) {
            emit errorOccurred(QStringLiteral("Resource not found."));
            setState(PlayState::Stopped);
            return;
        }
        setState(PlayState::Playing);
    }
    void pause() override
    {
        calls << QStringLiteral("pause");
        setState(PlayState::Paused);
    }
    void stop() override
    {
        calls << QStringLiteral("stop");
        position = 0;
        setState(PlayState::Stopped);
    }
    // The song reaches its end by itself.
    void finish()
    {
        position = length;
        setState(PlayState::Stopped);
    }

    double currentPosition() const override { return position; }
    void setCurrentPosition(double seconds) override
    {
        position = seconds;
        calls << QStringLiteral("position %1").arg(seconds);
    }
    QString currentPositionString() const override
    {
        return url.isEmpty() ? QString() : text(position);
    }

    void setAutoStart(bool autoStart) override
    {
        calls << QStringLiteral("autostart %1").arg(autoStart ? 1 : 0);
    }
    void setRate(double rate) override
    {
        currentRate = rate;
        calls << QStringLiteral("rate %1").arg(rate);
    }
    double rate() const override { return currentRate; }
    int volume() const override { return currentVolume; }
    void setVolume(int volume) override
    {
        currentVolume = volume;
        calls << QStringLiteral("volume %1").arg(volume);
    }

    double duration() const override { return length; }
    QString durationString() const override { return length > 0 ? text(length) : QString(); }

    QWidget *videoArea() override
    {
        if (!area)
            area = new QWidget;
        return area;
    }
    bool hasVideo() const override { return video; }

    void setState(PlayState newState)
    {
        if (newState == state)
            return;
        state = newState;
        if (queued)
            QMetaObject::invokeMethod(
                this, [this, newState] { emit playStateChanged(newState); }, Qt::QueuedConnection);
        else
            emit playStateChanged(newState);
    }

    // How many times a call was made.
    int count(const QString &call) const { return int(calls.count(call)); }

    static QString text(double seconds) { return minutesDotSeconds(seconds); }
};
