#pragma once

#include <QColor>
#include <QPixmap>
#include <QPushButton>

class QImage;

// A push button whose face carries the theme: a rounded bar in the colour of the theme's
// picture for it, edged in a lighter tone, with the picture and the caption centred on it.
// Without a picture the bar takes the board's background colour.
class ThemedButton : public QPushButton {
    Q_OBJECT

public:
    explicit ThemedButton(const QString &text, QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    void setBackdrop(const QColor &colour);

    // The colour a face takes from its picture: the mean of its opaque pixels, or fallback
    // for a picture with none.
    static QColor faceColour(const QImage &picture, const QColor &fallback);
    // The caption's colour: the picture's colour farthest from face when it stands out
    // enough (the gold of an arrow on a maroon pill), else a light or dark one readable on face.
    static QColor captionColour(const QImage &picture, const QColor &face);

    QColor face() const;
    // Takes the face and caption colours of other, without its picture.
    void matchColours(const ThemedButton &other);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void paintContent(QPainter &painter, const QRectF &bar) const;

    QPixmap m_picture;
    QColor m_pictureColour;
    QColor m_caption;
    QColor m_backdrop = QColor(112, 34, 44);
    bool m_hovered = false;
};
