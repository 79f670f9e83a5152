// The floors for the click figures: a maximised window with one label that, on a left click,
//   sound FILE   makes a QMediaPlayer and plays FILE half a second later (the board's playback
//                window makes its player and starts its song after the same delay), or
//   dialog W H   opens a modal QDialog of W x H pixels and prints "dialog-paint" when it first
//                paints.
// It prints "first-paint" when the window first paints, as the board does for the benchmark.
#include <QApplication>
#include <QAudioOutput>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMediaPlayer>
#include <QMouseEvent>
#include <QPointer>
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
            // The previous player is only stopped: deleting a player waits for GStreamer to
            // wind its pipeline down, which the board's window does when it closes, not at
            // the click.
            if (m_player)
                m_player->stop();
            m_player = new QMediaPlayer(this);
            m_player->setAudioOutput(new QAudioOutput(m_player));
            // The song is opened when the half second is over, not at the click: a player that
            // waits ready with its song (Qt 6.4, GStreamer) plays about as long again of silence
            // before the song once play() comes, so the floor would carry that wait twice.
            const QUrl song = QUrl::fromLocalFile(QFileInfo(m_args.value(2)).absoluteFilePath());
            QMediaPlayer *player = m_player;
            QTimer::singleShot(500, player, [player, song] {
                player->setSource(song);
                player->play();
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
    QPointer<QMediaPlayer> m_player;
    bool m_painted = false;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Window window(app.arguments());
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Bare"));
    window.showMaximized();
    return QApplication::exec();
}
