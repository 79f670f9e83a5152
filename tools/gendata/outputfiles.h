#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QImage;

// Writes the generated files into the program folder. A file whose bytes are already there is
// left untouched, so a second run changes nothing and keeps every time stamp. Failures are
// collected rather than thrown: the generator reports them all and fails the build once.
class OutputFiles {
public:
    explicit OutputFiles(QString programFolder);

    const QString &folder() const { return m_folder; }
    QString path(const QString &relative) const;
    bool exists(const QString &relative) const;

    void write(const QString &relative, const QByteArray &bytes);
    // format "JPG" or "PNG"; JPEG at a high quality so that thin glyph edges stay clean.
    void writeImage(const QString &relative, const QImage &image, const char *format);
    void fail(const QString &message) { m_errors.append(message); }

    const QStringList &errors() const { return m_errors; }
    int written() const { return m_written; }

private:
    QString m_folder;
    QStringList m_errors;
    int m_written = 0;
};
