#include "app/mediawarmup.h"

#include "app/paintreport.h"
#include "core/ports.h"
#include "platform/mediastack.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

MediaWarmup::MediaWarmup(QWidget &board, QuestionPort &questions)
    : m_board(board), m_questions(questions)
{
    m_board.installEventFilter(this);
}

bool MediaWarmup::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_board && event->type() == QEvent::Paint) {
        m_board.removeEventFilter(this);
        // After the paint has reached the screen.
        QTimer::singleShot(0, this, &MediaWarmup::warm);
    }
    return false;
}

void MediaWarmup::warm()
{
    const bool playable = warmMediaStack();
    if (PaintReport::wanted())
        PaintReport::print("media-ready");
    if (!playable)
        m_questions.inform(missingMediaStackWarning(), QStringLiteral("Zefiro"),
                           QuestionPort::Icon::Warning);
    emit warmed();
}
