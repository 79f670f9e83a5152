#pragma once

#include "board/boardlayout.h"
#include "board/mouserules.h"
#include "board/titlebaranimation.h"
#include "board/windowdrag.h"
#include "core/ports.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>

class BoardPeers;
class QLabel;
class QPushButton;
class QTimer;
class TitleBar;
struct AppState;

// The quiz board: the theme's picture with the 25 numbers over it, Reset, the exit button and
// a title bar of its own. The window owns the run: its load brings back the marks of an
// interrupted game, and its close ends the run (other windows closed, restore and song-check
// files removed, settings saved).
class Principale : public QWidget, public ThemeTarget {
    Q_OBJECT

public:
    enum class Mode { Maximised, Normal };

    Principale(AppState &state, BoardPeers &peers, QuestionPort &questions,
               QWidget *parent = nullptr);
    ~Principale() override;

    // Read by the playback window: the song to play and its title ("Ballo 40").
    QString percorso;
    QString Tipo;
    // The number that shows the hover colour: category 1..5 (0 none) and index 0..4.
    int MoveCateg = 0;
    int MoveIndex = 0;

    // The window's load: controls placed, marks of an interrupted game restored, Avvio back
    // to 0. Run once, before showBoard().
    void load();
    // Shows the board maximised over the whole available screen.
    void showBoard();

    void Ridimensiona();
    void PosizionaRiga(int category);
    // Closes the board and with it every other window.
    void Termina();
    // Opens an address (a web site) with the system's default handler.
    static void Link(const QString &address);

    QLabel *number(int category, int index) const;
    bool isPlayed(int category, int index) const;
    Mode mode() const { return m_mode; }
    const TitleBarAnimation &barAnimation() const { return m_bar; }
    const WindowDrag &drag() const { return m_drag; }
    const BoardLayout::Geometry &geometryTwips() const { return m_geometry; }

    // Title-bar actions.
    void MostraBarra();
    void NascondiBarra();
    void AllargaBarra();
    void RestringiBarra();
    void minimise();
    void normalise();
    void maximise();

    // ThemeTarget: the theme's pictures and colour.
    void setBoardPicture(const QString &file) override;
    void setExitPicture(const QString &file) override;
    void setBackgroundColour(int colour) override;

signals:
    // The run has ended normally; the application may quit.
    void terminated();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildNumbers();
    void applyCursorAndIcon();
    void applyGeometry();
    void applyRow(int category);
    void applyExitIcon();

    // Numbers and their states.
    void paintFree(int category, int index);
    void paintPlayed(int category, int index);
    void releaseOnNumber(int category, int index, Qt::MouseButton button,
                         Qt::KeyboardModifiers modifiers);
    void playNumber(int category, int index);
    void toggleNumber(int category, int index);
    void hover(int category, int index);
    void unhover();
    void releaseOnSurface(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void reportRestoreWrite(bool ok, const QString &error);
    void onReset();

    // Title bar.
    void connectTitleBar();
    void titleBarRule(double yTwips);
    void onTimer2();
    void onTimer3();
    void onBarPressed(QPointF offset);
    void onBarDragged(QPointF offset, Qt::MouseButtons buttons);
    QPointF positionTwips() const;
    static QRect designedWindowPixels();

    void endRun();

    AppState &m_state;
    BoardPeers &m_peers;
    QuestionPort &m_questions;

    QLabel *m_tabella = nullptr;
    QPushButton *m_reset = nullptr;
    QPushButton *m_esci = nullptr;
    TitleBar *m_titleBar = nullptr;
    std::array<std::array<QLabel *, 5>, 5> m_numbers{};
    QTimer *m_timer1 = nullptr;
    QTimer *m_timer2 = nullptr;
    QTimer *m_timer3 = nullptr;

    BoardLayout::Geometry m_geometry;
    TitleBarAnimation m_bar;
    WindowDrag m_drag;
    Mode m_mode = Mode::Maximised;
    QPixmap m_exitPicture;
    bool m_ended = false;
    bool m_inTimer2 = false;
    bool m_restoreWarned = false;
};
