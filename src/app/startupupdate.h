#pragma once

#include <QObject>

class BoardPeers;
class UpdateCheck;
class QWidget;

// The silent update check at start-up: it starts once the board has painted for the first time,
// so it never delays the board, and opens the update window only when a newer version exists.
// A failure shows nothing.
class StartupUpdate : public QObject {
    Q_OBJECT
public:
    StartupUpdate(QWidget &board, UpdateCheck &check, BoardPeers &peers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_board;
    UpdateCheck &m_check;
    BoardPeers &m_peers;
};
