#pragma once

#include <QWidget>

class MediaPlayer;
class PreviewPlayer;
class QLabel;
class QSlider;
class QTimer;
class QToolButton;

// The preview player as the songs tab shows it ("WindowsMediaPlayer1"): the player's picture
// when the song has one, and a transport strip with play / pause, stop, the position and the
// time. The caption lblInRiproduz is a sibling label made here and placed by the tab beside
// the player. A passive view: the transport calls the media player, the caption follows
// PreviewPlayer.
class PreviewView : public QWidget {
    Q_OBJECT
public:
    PreviewView(PreviewPlayer &preview, MediaPlayer &player, QWidget *parent);

    QLabel *captionLabel() const { return m_caption; }
    // Tops of the caption and the player, in twips: lower while the missing-songs warning shows.
    void setWarningShown(bool shown);

    static constexpr int CaptionTop = 1920;
    static constexpr int CaptionTopWarning = 2520;
    static constexpr int PlayerTop = 2520;
    static constexpr int PlayerTopWarning = 2880;

signals:
    // The pointer moved over the player (the tab shrinks its stretched cells).
    void pointerMoved();
    // The left button was released over the player (the tab clears its selection).
    void leftReleased();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void buildTransport();
    void playOrPause();
    void seek(int seconds);
    void refresh();

    MediaPlayer &m_player;
    QLabel *m_caption;
    QWidget *m_video = nullptr;
    QToolButton *m_play = nullptr;
    QToolButton *m_stop = nullptr;
    QSlider *m_position = nullptr;
    QLabel *m_time = nullptr;
    QTimer *m_refresh = nullptr;
};
