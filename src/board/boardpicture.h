#pragma once

#include <QImage>
#include <QLabel>
#include <QPixmap>

#include <future>

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
    // Starts decoding the picture at the label's present size on a thread of its own, for the
    // next paint to take: the board's first paint need not wait for the whole decode.
    void decodeAhead();
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
    // A decode started ahead of the paint, of m_aheadFile at m_aheadSize.
    std::future<QImage> m_ahead;
    QString m_aheadFile;
    QSize m_aheadSize;
};
