// The floors for the playback figures: a bare playbin to pulsesink and nothing else.
// Usage: bench_bare_player FILE MODE [ARG]
//   cold           play at once after setting the file, print "playing MS", end
//   warm           set the file, play half a second later, print "playing MS", end
//   SECONDS        play, print "playing MS", keep playing for that many seconds, end
//   first WAIT     preroll the file, then wait WAIT seconds, print "play NS" and play; end 2 s
//                  later
//   rate           play; 2.5 s in, a flushing accurate seek at the place reached with rate
//                  1.5, printed as "rate NS"; end 2 s later
//   idle PICTURE   a maximised window painting PICTURE at its size, the file prerolled; prints
//                  "ready" and stays until ended
// MS is the time from the play request to the pipeline reaching PLAYING; NS is the monotonic
// clock in nanoseconds, to set against a recording of the sound server.
#include <gst/gst.h>

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace {

qint64 monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void print(const char *what, long long value)
{
    std::printf("%s %lld\n", what, value);
    std::fflush(stdout);
}

class Picture : public QWidget {
public:
    explicit Picture(const QString &path) : m_picture(path) {}

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).drawPixmap(rect(), m_picture); }

private:
    QPixmap m_picture;
};

struct Bench {
    GstElement *playbin = nullptr;
    qint64 askedNs = 0;
    bool reported = false;
    QString mode;
    QString arg;
};

void changeRate(Bench &b)
{
    gint64 at = 0;
    gst_element_query_position(b.playbin, GST_FORMAT_TIME, &at);
    print("rate", monotonicNs());
    gst_element_seek(b.playbin, 1.5, GST_FORMAT_TIME,
                     GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE), GST_SEEK_TYPE_SET,
                     at, GST_SEEK_TYPE_NONE, -1);
    QTimer::singleShot(2000, qApp, &QCoreApplication::quit);
}

void playing(Bench &b)
{
    b.reported = true;
    std::printf("playing %.1f\n", double(monotonicNs() - b.askedNs) / 1e6);
    std::fflush(stdout);
    if (b.mode == u"cold" || b.mode == u"warm")
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    else if (b.mode == u"rate")
        QTimer::singleShot(2500, qApp, [&b] { changeRate(b); });
    else if (b.mode == u"first")
        QTimer::singleShot(2000, qApp, &QCoreApplication::quit);
    else
        QTimer::singleShot(int(b.mode.toDouble() * 1000), qApp, &QCoreApplication::quit);
}

void play(Bench &b)
{
    b.askedNs = monotonicNs();
    if (b.mode == u"first")
        print("play", b.askedNs);
    gst_element_set_state(b.playbin, GST_STATE_PLAYING);
}

gboolean onBus(GstBus *, GstMessage *message, gpointer data)
{
    auto &b = *static_cast<Bench *>(data);
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
        std::fputs("error\n", stderr);
        QCoreApplication::exit(1);
    } else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_STATE_CHANGED &&
               GST_MESSAGE_SRC(message) == GST_OBJECT(b.playbin)) {
        GstState now = GST_STATE_NULL;
        gst_message_parse_state_changed(message, nullptr, &now, nullptr);
        if (now == GST_STATE_PLAYING && !b.reported && b.askedNs > 0)
            playing(b);
        if (now == GST_STATE_PAUSED && b.mode == u"idle" && !b.reported) {
            b.reported = true;
            std::puts("ready");
            std::fflush(stdout);
        }
        if (now == GST_STATE_PAUSED && b.mode == u"first" && b.askedNs == 0) {
            b.askedNs = -1;
            QTimer::singleShot(int(b.arg.toDouble() * 1000), qApp, [&b] { play(b); });
        }
    }
    return TRUE;
}

} // namespace

int main(int argc, char **argv)
{
    gst_init(&argc, &argv);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fputs("usage: bench_bare_player FILE MODE [ARG]\n", stderr);
        return 2;
    }
    Bench b;
    b.mode = args.at(2);
    b.arg = args.value(3);
    b.playbin = gst_element_factory_make("playbin", nullptr);
    g_object_set(b.playbin, "audio-sink", gst_element_factory_make("pulsesink", nullptr),
                 "video-sink", gst_element_factory_make("fakesink", nullptr), nullptr);
    const QByteArray uri =
        QUrl::fromLocalFile(QFileInfo(args.at(1)).absoluteFilePath()).toEncoded();
    g_object_set(b.playbin, "uri", uri.constData(), nullptr);
    GstBus *bus = gst_element_get_bus(b.playbin);
    gst_bus_add_watch(bus, onBus, &b);
    gst_object_unref(bus);

    Picture window(b.arg);
    if (b.mode == u"idle") {
        window.showMaximized();
        gst_element_set_state(b.playbin, GST_STATE_PAUSED);
    } else if (b.mode == u"warm") {
        gst_element_set_state(b.playbin, GST_STATE_PAUSED);
        QTimer::singleShot(500, &app, [&b] { play(b); });
    } else if (b.mode == u"first") {
        gst_element_set_state(b.playbin, GST_STATE_PAUSED);
    } else {
        play(b);
    }
    const int result = QApplication::exec();
    gst_element_set_state(b.playbin, GST_STATE_NULL);
    gst_object_unref(b.playbin);
    return result;
}
