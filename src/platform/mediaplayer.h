#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

#include <cmath>

class QWidget;

// The media player the playback window and the options preview play through. The names follow
// the calls the windows make (URL, playState, controls.*, settings.*, currentMedia.*).
//
// Rules every implementation keeps:
// - Setting the URL loads the file and never starts playback while autoStart is false
//   (autoStart is true until set, so a URL alone starts playing). The state stays Stopped
//   across a new URL unless something was playing.
// - playState() reads Playing, ScanForward or ScanReverse while playing; anything else
//   (Stopped, Paused, Transitioning, Undefined) counts as not playing. A file that cannot be
//   played (missing, corrupt, unsupported) ends Stopped with errorOccurred(), never stays
//   Playing.
// - A position or rate set before the media is ready is kept and applied once it is; reading
//   the duration before it is known gives 0.
// - play() after the end of the media starts again from the beginning; at the end, and after
//   stop(), the position reads 0.
// - Each play() on a file that failed tries it again and reports errorOccurred() again.
// - While disabled (setEnabled(false)), play(), pause() and seeks are ignored; stop() always
//   works. A new player is enabled.
// - playStateChanged() follows every change of playState(), stop() included; it may arrive
//   while the caller is still inside the call that caused it, so handlers must allow that.
// - No call blocks the caller for long and none deletes the caller's objects.
class MediaPlayer : public QObject {
    Q_OBJECT

public:
    // Seconds as "mm.ss", the form of every time the player shows: the whole seconds, at least
    // two minute digits, a dot, two second digits; a negative time reads "00.00".
    static QString minutesDotSeconds(double seconds)
    {
        const auto whole = static_cast<qint64>(std::floor(qMax(0.0, seconds)));
        return QStringLiteral("%1.%2")
            .arg(whole / 60, 2, 10, QLatin1Char('0'))
            .arg(whole % 60, 2, 10, QLatin1Char('0'));
    }

    enum class PlayState {
        Undefined = 0,
        Stopped = 1,
        Paused = 2,
        Playing = 3,
        ScanForward = 4,
        ScanReverse = 5,
        Transitioning = 9,
    };
    Q_ENUM(PlayState)

    using QObject::QObject;
    ~MediaPlayer() override = default;

    virtual void setURL(const QString &path) = 0;
    virtual QString URL() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual PlayState playState() const = 0;

    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;

    // Seconds from the start of the media.
    virtual double currentPosition() const = 0;
    virtual void setCurrentPosition(double seconds) = 0;
    // "01.05": minutes and seconds, two digits each, with a dot; empty while nothing is loaded.
    virtual QString currentPositionString() const = 0;

    virtual void setAutoStart(bool autoStart) = 0;
    virtual void setRate(double rate) = 0;
    virtual double rate() const = 0;
    // 0..100.
    virtual int volume() const = 0;
    virtual void setVolume(int volume) = 0;

    // Seconds; 0 until known.
    virtual double duration() const = 0;
    // "03.25", the same form as currentPositionString(); empty until the duration is known.
    virtual QString durationString() const = 0;

    // The area where video is drawn; the window places and shows it. Null for a player that
    // draws no video.
    virtual QWidget *videoArea() { return nullptr; }
    // True when the loaded media has a picture.
    virtual bool hasVideo() const { return false; }

signals:
    void playStateChanged(MediaPlayer::PlayState newState);
    // The file could not be played; message says why, in the back end's words.
    void errorOccurred(const QString &message);
    // Pointer movement and button release over the video area, in its own coordinates
    // (pixels).
    void mouseMoved(int x, int y);
    void mouseReleased(int x, int y, Qt::MouseButton button);
};
