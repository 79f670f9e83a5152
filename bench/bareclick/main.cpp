// The floors for the click figures: a maximised window with one label that, on a left click,
//   sound FILE   makes a playbin and plays FILE half a second later (the board's playback
//                window makes its player and starts its song after the same delay), or
//   dialog W H   opens a modal QDialog of W x H pixels and prints "dialog-paint" when it first
//                paints.
// It prints "first-paint" when the window first paints, as the board does for the benchmark.
#include <gst/gst.h>

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>

#include <cstdio>

namespace {

// Once the window has been drawn and sent to the screen, as the board reports its paints.
void report(const char *line)
{
    QTimer::singleShot(0, [line] {
        std::fputs(line, stdout);
        std::fflush(stdout);
    });
}

class Dialog : public QDialog {
protected:
    void paintEvent(QPaintEvent *event) override
    {
        QDialog::paintEvent(event);
        if (!m_painted) {
            m_painted = true;
            report("dialog-paint\n");
        }
    }

private:
    bool m_painted = false;
};

class Window : public QLabel {
public:
    explicit Window(const QStringList &args) : QLabel(QStringLiteral("Zefiro")), m_args(args) {}

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        if (!m_painted) {
            m_painted = true;
            report("first-paint\n");
        }
    }

    void mousePressEvent(QMouseEvent *event) override { event->accept(); }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        if (m_args.value(1) == u"sound") {
            if (m_player) {
                gst_element_set_state(m_player, GST_STATE_NULL);
                gst_object_unref(m_player);
            }
            m_player = gst_element_factory_make("playbin", nullptr);
            // The song is opened when the half second is over, not at the click: a pipeline
            // that waits prerolled with its song plays about as long again of silence before
            // the song once it plays, so the floor would carry that wait twice.
            const QByteArray song =
                QUrl::fromLocalFile(QFileInfo(m_args.value(2)).absoluteFilePath()).toEncoded();
            GstElement *player = m_player;
            QTimer::singleShot(500, this, [player, song] {
                g_object_set(player, "uri", song.constData(), nullptr);
                gst_element_set_state(player, GST_STATE_PLAYING);
            });
        } else {
            Dialog dialog;
            dialog.setWindowTitle(QStringLiteral("Dialog"));
            dialog.resize(m_args.value(2).toInt(), m_args.value(3).toInt());
            QTimer::singleShot(1000, &dialog, &QDialog::accept);
            dialog.exec();
        }
    }

private:
    QStringList m_args;
    GstElement *m_player = nullptr;
    bool m_painted = false;
};

} // namespace

int main(int argc, char **argv)
{
    gst_init(&argc, &argv);
    QApplication app(argc, argv);
    Window window(app.arguments());
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Bare"));
    window.showMaximized();
    return QApplication::exec();
}
