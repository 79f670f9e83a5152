#pragma once

#include <QColor>
#include <QWidget>

// The drawn parts of the playback window: every surface the skin's pictures do not cover.
namespace PlayerColours {
// The panel's colour; the button pictures are drawn on it.
inline QColor panel()
{
    return {38, 42, 50};
}
inline QColor window()
{
    return {22, 24, 30};
}
inline QColor well()
{
    return {17, 19, 24};
}
inline QColor accent()
{
    return {96, 152, 236};
}
inline QColor text()
{
    return {232, 236, 242};
}
inline QColor caption()
{
    return {150, 160, 176};
}
} // namespace PlayerColours

// A plain surface: a fill from top to bottom colour, optional rounded corners and an edge.
class Surface : public QWidget {
public:
    Surface(QColor top, QColor bottom, QWidget *parent = nullptr);
    void setRadius(double radius) { m_radius = radius; }
    void setEdge(QColor edge) { m_edge = edge; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_top;
    QColor m_bottom;
    QColor m_edge;
    double m_radius = 0;
};

// The well behind the info line. While the line has nothing to say, it names the song.
class InfoBox : public Surface {
public:
    explicit InfoBox(QWidget *parent = nullptr);
    void setIdleText(const QString &title, const QString &detail);
    void setIdle(bool idle);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_title;
    QString m_detail;
    bool m_idle = true;
};

// The backdrop of the video area. A song without a picture shows its title here, large enough
// to read across a room.
class Backdrop : public QWidget {
public:
    explicit Backdrop(QWidget *parent = nullptr);
    void setTitle(const QString &title, const QString &subtitle);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_title;
    QString m_subtitle;
};

// The large progress bar ProgressoMedia: a well filled up to the value (0..100).
class SeekBar : public QWidget {
public:
    explicit SeekBar(QWidget *parent = nullptr);
    void setValue(double value);
    double value() const { return m_value; }
    // The slot's snippet, as bar values: a line under the well from one to the other; none
    // when both are equal.
    void setRange(double from, double to);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_value = 0;
    double m_rangeFrom = 0;
    double m_rangeTo = 0;
};

// The track of the skinned volume slider imgSliderVolume: a thin well, filled from its left
// end up to the knob's centre; grey while the player is muted.
class VolumeTrack : public QWidget {
public:
    explicit VolumeTrack(QWidget *parent = nullptr);
    // The filled length, in pixels from the track's left end.
    void setFilled(int pixels);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_filled = 0;
};

// A knob's picture (Picture1 of the progress bar, picVolume of the volume slider): a round
// knob with the accent ring, grey while disabled. The mouse goes through it to the surface
// below.
class Knob : public QWidget {
public:
    explicit Knob(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
