#pragma once

#include "board/boardkeys.h"
#include "board/boardlayout.h"
#include "board/numbergrid.h"
#include "board/titlebarcontrol.h"
#include "core/ports.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <memory>

class AudienceEntries;
class ThemedButton;
class BoardGame;
class BoardMouse;
class GameSession;
struct Team;
class BoardPeers;
class BoardPicture;
class FocusFrame;
class QLabel;
class QPushButton;
class QTimer;
struct AppState;

// The quiz board: the theme's picture with the 25 numbers over it, Reset, the exit button and
// a title bar of its own. The window owns the run: its load brings back the marks of an
// interrupted game, and its close ends the run (other windows closed, restore and song-check
// files removed, settings saved). The numbers are a NumberGrid, the mouse is routed by a
// BoardMouse, the keys by BoardKeys, the title bar and the window modes are a TitleBarControl.
class Principale : public QWidget, public ThemeTarget {
    Q_OBJECT

public:
    using Mode = TitleBarControl::Mode;

    Principale(AppState &state, BoardPeers &peers, QuestionPort &questions,
               QWidget *parent = nullptr);
    ~Principale() override;

    // Read by the playback window: the song to play and its title ("Ballo 40").
    QString percorso;
    QString Tipo;

    // The window's load: controls placed, marks of an interrupted game restored, Avvio back
    // to 0. Run once, before showBoard().
    void load();
    // Shows the board maximised over the whole available screen.
    void showBoard();

    void Ridimensiona();
    // Opens an address (a web site) with the system's default handler.
    static void Link(const QString &address);

    const NumberGrid &grid() const { return *m_grid; }
    QLabel *number(int category, int index) const { return m_grid->number(category, index); }
    bool isPlayed(int category, int index) const { return m_grid->isPlayed(category, index); }
    Mode mode() const { return m_bar->mode(); }
    const TitleBarAnimation &barAnimation() const { return m_bar->animation(); }
    const WindowDrag &drag() const { return m_bar->drag(); }
    const BoardKeys &keys() const { return m_keys; }
    // The game of the teams, or null without teams; the playback window takes its buzzers.
    GameSession *game() const;
    // The teams the options window applied: the score strip follows them at once.
    void setTeams(const QList<Team> &teams);

    // What the theme gave the board, for the audience window.
    QString boardPictureFile() const { return m_pictureFile; }
    int backgroundColour() const { return m_backgroundColour; }
    // The audience window's line over the picture and its keys and menu.
    AudienceEntries &audience() const { return *m_audience; }

    // ThemeTarget: the theme's pictures and colour.
    void setBoardPicture(const QString &file) override;
    void setExitPicture(const QString &file) override;
    void setBackgroundColour(int colour) override;

signals:
    // The run has ended normally; the application may quit.
    void terminated();
    // A number was marked or freed, by whatever means.
    void marksChanged();
    // The theme's picture or colour changed.
    void themeChanged();
    // The teams or their scores changed (game() may be another one, or none).
    void gameChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void applyCursorAndIcon();
    void applyGeometry();

    void releaseOnNumber(int category, int index, Qt::MouseButton button,
                         Qt::KeyboardModifiers modifiers);
    void playNumber(int category, int index);
    void toggleNumber(int category, int index);
    void releaseOnSurface(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void pointerMoved(QPoint global);
    void placeFrame();
    void reportRestoreWrite(bool ok, const QString &error);
    void onReset();

    void endRun();

    AppState &m_state;
    BoardPeers &m_peers;
    QuestionPort &m_questions;

    BoardMouse *m_mouse = nullptr;
    BoardPicture *m_tabella = nullptr;
    ThemedButton *m_reset = nullptr;
    ThemedButton *m_esci = nullptr;
    std::unique_ptr<NumberGrid> m_grid;
    TitleBarControl *m_bar = nullptr;
    FocusFrame *m_frame = nullptr;
    BoardKeys m_keys;
    BoardGame *m_game = nullptr;
    QTimer *m_timer1 = nullptr;
    std::unique_ptr<AudienceEntries> m_audience;
    QString m_pictureFile;
    int m_backgroundColour = 0;

    BoardLayout::Geometry m_geometry;
    bool m_ended = false;
    bool m_restoreWarned = false;
};
