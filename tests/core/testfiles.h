#pragma once

#include "core/ports.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

// Small helpers shared by the core tests: raw bytes in and out of the program folder, and a
// progress window that only records what it was told.

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
