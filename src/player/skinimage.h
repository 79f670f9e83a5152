#pragma once

#include <QPixmap>
#include <QWidget>

// An image control of the skin: shows one picture at its own size and keeps the name of the
// picture last set in the property "picture". A missing picture leaves the panel's colour.
class SkinImage : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString picture READ picture)

public:
    explicit SkinImage(QWidget *parent = nullptr);

    void setPicture(const QString &name, const QPixmap &pixmap);
    QString picture() const { return m_name; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_name;
    QPixmap m_pixmap;
};
