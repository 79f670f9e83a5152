#pragma once

#include "core/pathsfile.h"
#include "platform/mediaplayer.h"

#include <QObject>
#include <QString>
#include <QTimer>

class MediaPlayer;

// The songs tab's preview: plays a cell's song through the tab's own media player and keeps
// the caption under it (lblInRiproduz), which alternates every 5 seconds between the category
// with the points of the cell and the file name. The previewed song is followed by its
// position, so the points stay right while cells move and categories change.
class PreviewPlayer : public QObject {
    Q_OBJECT
public:
    // A cell as the tab shows it.
    struct Cell {
        QString category; // caption of the category on screen
        int label = 0;    // label index of the cell
        int position = 0; // its position 0..4 (10..50 points)
        SongSlot song;    // the working entry of its slot
        QString caption;  // the cell's file name caption
    };

    static constexpr int QuickInterval = 4;
    static constexpr int CaptionInterval = 5000;
    static constexpr qsizetype LongestName = 40;
    static constexpr qsizetype CutName = 31;

    explicit PreviewPlayer(MediaPlayer &player, QObject *parent = nullptr);

    // Plays the cell; a cell without a song stops the player and changes nothing else.
    void PlayWMP(const Cell &cell);
    // Ends the preview, as when the options window closes.
    void stop();

    // The rows of category are laid out again, each label at its own position.
    void rowsReset(const QString &category);
    // A move step exchanged the songs at positions a and b of category.
    void cellsSwapped(const QString &category, int a, int b);

    // One tick of Timer2.
    void Timer2_Timer();
    QTimer &timer2() { return m_timer2; }

    QString caption() const { return m_caption; }
    bool previewing(const QString &category) const;
    int previewedPosition() const { return m_position; }

    QString CategRoprod;
    QString CategENum;
    QString NomeCanzoneRipr;
    int iRiprod = 0;
    int Timer2Riprod = 0;

signals:
    void captionChanged(const QString &caption);

private:
    void onPlayState(MediaPlayer::PlayState state);
    void stopped();
    void setCaption(const QString &caption);
    void restartTimer(int interval);
    QString categoryAndPoints() const;

    MediaPlayer &m_player;
    QTimer m_timer2;
    QString m_caption;
    int m_position = -1;
};
