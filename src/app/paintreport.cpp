#include "app/paintreport.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

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

bool PaintReport::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Paint || !watched->isWidgetType())
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
