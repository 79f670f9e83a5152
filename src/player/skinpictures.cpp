#include "player/skinpictures.h"

#include "core/casefind.h"

#include <QFileInfo>

SkinPictures::SkinPictures(const QString &programFolder)
    : m_folder(CaseFind::resolve(programFolder, QStringLiteral("gr")))
{
}

QPixmap SkinPictures::picture(const QString &name)
{
    const auto cached = m_cache.constFind(name);
    if (cached != m_cache.constEnd())
        return *cached;
    const QString fileName = name + QStringLiteral(".jpg");
    QString path = m_folder + u'/' + fileName;
    if (!QFileInfo(path).isFile())
        path = CaseFind::path(m_folder, fileName);
    QPixmap pixmap;
    if (!path.isEmpty())
        pixmap.load(path);
    m_cache.insert(name, pixmap);
    return pixmap;
}
