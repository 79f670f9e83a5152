#include "app/paintreport.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

PaintReport::PaintReport(QWidget &board) : m_board(board)
{
    qApp->installEventFilter(this);
}

bool PaintReport::wanted()
{
    return qEnvironmentVariable("ZEFIRO_REPORT_FIRST_PAINT") == u"1";
}

void PaintReport::print(const char *line)
{
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// The audience window's booking, reported at its first paint after it appeared.
bool PaintReport::watchBooking(QObject *watched, QEvent::Type type)
{
    if (watched->objectName() != u"Prenotata" ||
        !static_cast<QWidget *>(watched)->window()->inherits("Pubblico"))
        return false;
    if (type == QEvent::Hide) {
        m_bookingShown = false;
    } else if (type == QEvent::Paint && !m_bookingShown) {
        m_bookingShown = true;
        QTimer::singleShot(0, this, [] {
            using namespace std::chrono;
            const auto now = duration_cast<microseconds>(steady_clock::now().time_since_epoch());
            print(QByteArray("audience-booking " + QByteArray::number(qint64(now.count())))
                      .constData());
        });
    }
    return true;
}

bool PaintReport::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWidgetType() || watchBooking(watched, event->type()))
        return false;
    if (event->type() != QEvent::Paint)
        return false;
    QWidget *window = static_cast<QWidget *>(watched)->window();
    if (window == &m_board) {
        if (!m_boardPainted) {
            m_boardPainted = true;
            QTimer::singleShot(0, this, [] { print("first-paint"); });
        }
    } else if (window != m_lastPlayer.data() && window->inherits("Riproduzione")) {
        m_lastPlayer = window;
        QTimer::singleShot(0, this, [] { print("player-paint"); });
    }
    return false;
}
