#pragma once

#include <QImage>
#include <QWidget>

// Where a song's pictures are drawn: the newest frame, already scaled by the pipeline to this
// widget's size, centred on black. Tells its size in device pixels, so that the pipeline
// scales to it, and reports the pointer's moves and button releases over it.
class GstVideoArea : public QWidget {
    Q_OBJECT

public:
    explicit GstVideoArea(QWidget *parent = nullptr);

    void showFrame(const QImage &frame);
    // The frame painted last.
    const QImage &frame() const { return m_frame; }
    // The size frames should have, in device pixels.
    QSize frameSize() const;

signals:
    void resized();
    void mouseMoved(int x, int y);
    void mouseReleased(int x, int y, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_frame;
};
