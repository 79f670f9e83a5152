#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>

// The skin's pictures, gr/<name>.jpg in the program folder, each loaded once.
class SkinPictures {
public:
    explicit SkinPictures(const QString &programFolder);

    // A null pixmap when the file is missing or not a picture.
    QPixmap picture(const QString &name);

private:
    QString m_folder;
    QHash<QString, QPixmap> m_cache;
};
