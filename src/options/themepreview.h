#pragma once

#include "core/ports.h"

#include <QColor>
#include <QString>
#include <QWidget>

// The theme preview "PictureAnteprimaTema": a little board drawn in proportion to a full-screen
// one, with the theme's background colour, its board picture under the 25 numbers in the
// board's font, and the exit button with its picture and caption "Esci". Pictures are decoded
// at the preview's size and kept in the pixmap cache, so previewing a theme again reads no file.
class ThemePreview : public QWidget, public ThemeTarget {
    Q_OBJECT
public:
    explicit ThemePreview(QWidget *parent = nullptr);

    void setBoardPicture(const QString &file) override;
    void setExitPicture(const QString &file) override;
    void setBackgroundColour(int colour) override;

    QString boardPicture() const { return m_board; }
    QString exitPicture() const { return m_exit; }
    QColor background() const { return m_background; }

    // A picture file decoded at size (kept to its proportions when keepAspect), from the cache
    // while the file is unchanged; null when the file cannot be read.
    static QPixmap picture(const QString &file, QSize size, bool keepAspect);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect boardRect() const;
    QRect exitRect() const;
    void paintNumbers(QPainter &painter, const QRect &board) const;
    void paintExit(QPainter &painter, const QRect &exit) const;

    QString m_board;
    QString m_exit;
    QColor m_background = Qt::black;
};
