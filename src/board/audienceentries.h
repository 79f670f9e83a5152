#pragma once

#include "board/boardlayout.h"

#include <QPoint>
#include <QString>

class BoardPeers;
class QKeyEvent;
class QLabel;
class QWidget;

// The board's side of the audience window: the line over the picture that tells the presenter
// what the room sees of the song, and the menu of a plain right click that opens the window
// ("Pubblico") and reveals the song ("Rivela") without the keyboard.
class AudienceEntries {
public:
    AudienceEntries(QWidget &board, BoardPeers &peers);

    // F5 opens or closes the window, as a slide show starts; F6 reveals. True when the key was
    // one of them.
    bool key(const QKeyEvent &event);
    // "Pubblico: " and text; an empty text hides the line.
    void setLine(const QString &text);
    // In the margin above the picture, clear of the title bar.
    void place(const BoardLayout::Box &tabella);
    void showMenu(QPoint global);

private:
    QWidget &m_board;
    BoardPeers &m_peers;
    QLabel *m_line = nullptr;
};
