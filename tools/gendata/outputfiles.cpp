#include "tools/gendata/outputfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

OutputFiles::OutputFiles(QString programFolder) : m_folder(std::move(programFolder)) {}

QString OutputFiles::path(const QString &relative) const
{
    return m_folder + u'/' + relative;
}

bool OutputFiles::exists(const QString &relative) const
{
    return QFileInfo::exists(path(relative));
}

void OutputFiles::write(const QString &relative, const QByteArray &bytes)
{
    const QString target = path(relative);
    QFile current(target);
    if (current.open(QIODevice::ReadOnly) && current.size() == bytes.size() &&
        current.readAll() == bytes)
        return;
    current.close();

    if (!QDir().mkpath(QFileInfo(target).path())) {
        fail(QStringLiteral("cannot create the folder of ") + relative);
        return;
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        fail(relative + QStringLiteral(": ") + file.errorString());
        return;
    }
    if (file.write(bytes) != bytes.size()) {
        fail(relative + QStringLiteral(": ") + file.errorString());
        file.cancelWriting();
        return;
    }
    if (!file.commit()) {
        fail(relative + QStringLiteral(": ") + file.errorString());
        return;
    }
    ++m_written;
}

void OutputFiles::writeImage(const QString &relative, const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format, qstrcmp(format, "JPG") == 0 ? 95 : -1)) {
        fail(relative + QStringLiteral(": the picture could not be encoded"));
        return;
    }
    write(relative, bytes);
}
