#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <mutex>

struct _GstElement;
struct _GstMessage;

// One playbin with its sound going to the sound server and its pictures to an appsink, which
// scales them to the size the video area asks for. Knows nothing of play states: it makes the
// calls GStreamer offers and hands every bus message to the owner.
class GstPlaybin {
public:
    // Called on a GStreamer thread for each bus message, with a reference the callee owns.
    using MessageSink = std::function<void(_GstMessage *message)>;
    // Called on a GStreamer thread when a new frame is ready in latestFrame().
    using FrameSink = std::function<void()>;

    enum class Target { Null, Ready, Paused, Playing };

    GstPlaybin(MessageSink messages, FrameSink frames);
    ~GstPlaybin();
    GstPlaybin(const GstPlaybin &) = delete;
    GstPlaybin &operator=(const GstPlaybin &) = delete;

    // False when GStreamer lacks playbin or pulsesink.
    bool isValid() const { return m_playbin != nullptr; }
    // Back to Null, then the file and the output for the next start.
    void reset(const QString &path, const QString &outputDevice);
    // False when GStreamer refused the change at once.
    [[nodiscard]] bool setTarget(Target target);
    // A flushing, accurate seek to ns at the given speed; false when refused.
    [[nodiscard]] bool seek(qint64 ns, double rate);
    // -1 when unknown.
    qint64 positionNs() const;
    qint64 durationNs() const;
    bool hasVideo() const;
    // A linear factor, 1 = the song as it is.
    void setVolume(double factor);
    void setFrameSize(int width, int height);
    // The newest frame, or a null image.
    QImage latestFrame() const;
    // Raises the soundfont synthesiser's level, so that a MIDI song plays about as loud as
    // the other songs.
    void tuneSynthesiser(_GstElement *element);
    // The sender is this pipeline itself (not one of its elements).
    bool isOwnMessage(const _GstMessage *message) const;

    void storeFrame(QImage frame);

private:
    _GstElement *makeAudioSink();
    _GstElement *makeVideoSink();

    _GstElement *m_playbin = nullptr;
    _GstElement *m_audioSink = nullptr;
    _GstElement *m_frameSize = nullptr;
    MessageSink m_messages;
    FrameSink m_frames;
    mutable std::mutex m_frameLock;
    QImage m_frame;
};
