#pragma once

#include <QLabel>
#include <QPixmap>

// The theme's board picture, stretched over the whole label as the themes are drawn for.
// The file is decoded at the size the label paints at, not at its own size: a 1600 x 960
// picture held whole, plus the stretched copy a label keeps, would cost the idle board about
// 12 MB. It is decoded again only when the label's size changes.
class BoardPicture : public QLabel {
public:
    explicit BoardPicture(QWidget *parent = nullptr);

    // Shows the picture in file from the next paint on. A file that cannot be read as a
    // picture changes nothing (the board keeps what it shows) and gives false.
    bool setPictureFile(const QString &file);
    // What the label paints: the picture decoded at the label's size, once painted.
    [[nodiscard]] const QPixmap &picture() const { return m_picture; }

    // The picture in file decoded straight to size (stretched, as the label shows it);
    // null if it cannot be read.
    [[nodiscard]] static QImage decodeAt(const QString &file, const QSize &size);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void fit();

    QString m_file;
    QPixmap m_picture;
    // The file m_picture was decoded from; it differs from m_file until the next paint.
    QString m_pictureFile;
};
