#include "app/startupupdate.h"

#include "board/boardpeers.h"
#include "maintenance/updatecheck.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

StartupUpdate::StartupUpdate(QWidget &board, UpdateCheck &check, BoardPeers &peers)
    : QObject(&board), m_board(board), m_check(check), m_peers(peers)
{
    connect(&m_check, &UpdateCheck::finished, this, [this](UpdateResult result) {
        if (result == UpdateResult::Newer)
            m_peers.showUpdate();
    });
    m_board.installEventFilter(this);
}

bool StartupUpdate::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_board && event->type() == QEvent::Paint) {
        m_board.removeEventFilter(this);
        // After the paint has reached the screen, not inside it.
        QTimer::singleShot(0, &m_check, &UpdateCheck::ControllaAggiornamenti);
    }
    return false;
}
