#pragma once

#include "core/appstate.h"
#include "core/ports.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// Small helpers shared by the tests of the program folder: a fresh folder per test, raw bytes
// in and out of it, and a progress window that only records what it was told.

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// The whole file, or a null array when it cannot be opened.
inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    if (bytes.isNull())
        bytes = QByteArray(""); // an existing empty file is not the same as no file
    return bytes;
}

// Copies every file below from to the same place below to, making the folders on the way.
inline bool copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(file, target))
            return false;
    }
    return true;
}

// A song file with a byte in it, as far as the folder's tools care.
inline bool touch(const QString &path)
{
    return writeBytes(path, "x");
}

// Makes the entry below root with the folders above it: a folder when it ends in "/", else a
// song file with a byte in it. False when it cannot be made.
inline bool makeEntry(const QString &root, const QString &entry)
{
    const QString path = QDir(root).filePath(entry);
    const bool folder = entry.endsWith(u'/');
    return QDir().mkpath(folder ? path : QFileInfo(path).path()) && (folder || touch(path));
}

// A fresh program folder for each test, and a folder outside it for songs kept elsewhere.
class ProgramFolderFixture {
public:
    // New empty folders, and state started afresh in the program folder, with its songs folder
    // when songs is true. False when a folder cannot be made.
    [[nodiscard]] bool reset(AppState &state, bool songs = true)
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_outside = std::make_unique<QTemporaryDir>();
        if (!m_dir->isValid() || !m_outside->isValid())
            return false;
        state = AppState();
        state.Path = m_dir->path();
        return !songs || QDir().mkpath(state.songsFolder());
    }
    QString path() const { return m_dir->path(); }
    // A path in the outside folder; the folder itself, with its trailing slash, for none.
    QString outside(const QString &relative = {}) const
    {
        return m_outside->path() + u'/' + relative;
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_outside;
};

// Names left in a folder, so a failed save can be checked for stray temporary files.
inline QStringList folderEntries(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

class FakeProgress : public ProgressPort {
public:
    bool visible = false;
    int max = 100;
    int val = 0;
    int shows = 0;
    int closes = 0;
    QString title;
    QStringList captions;
    QList<int> maxima; // every maximum set, in order

    bool isVisible() const override { return visible; }
    void show() override
    {
        visible = true;
        ++shows;
    }
    void close() override
    {
        visible = false;
        ++closes;
    }
    void setCaption(const QString &text) override { captions.append(text); }
    void setTitle(const QString &text) override { title = text; }
    void setMaximum(int maximum) override
    {
        max = maximum;
        maxima.append(maximum);
    }
    int maximum() const override { return max; }
    void setValue(int value) override { val = value; }
    int value() const override { return val; }
};

class NoQuestions : public QuestionPort {
public:
    QStringList asked;
    Answer ask(const QString &text, const QString &, Icon, Buttons, Answer defaultAnswer) override
    {
        asked.append(text);
        return defaultAnswer;
    }
};
