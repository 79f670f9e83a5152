#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

class QWidget;

// With ZEFIRO_REPORT_FIRST_PAINT=1 the program prints a line when the board first paints
// ("first-paint"), when each playback window first paints ("player-paint") and when the media
// stack is ready ("media-ready"), and when the audience window has painted a booking
// ("audience-booking" and the steady clock's microseconds), for the benchmarks in bench/. A paint
// is reported once the whole window has been drawn and sent to the screen, not when its first
// widget starts.
class PaintReport : public QObject {
public:
    explicit PaintReport(QWidget &board);
    static bool wanted();
    static void print(const char *line);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_board;
    bool m_boardPainted = false;
    QPointer<QWidget> m_lastPlayer;
    bool m_bookingShown = false;

    bool watchBooking(QObject *watched, QEvent::Type type);
};
