#pragma once

#include <QString>
#include <QtGlobal>

// The part of a song a slot plays: from start to end, in milliseconds of the song, end 0 the
// song's own end. name is the file the points were taken on; they never apply to another.
struct Snippet {
    qint64 start = 0;
    qint64 end = 0;
    QString name = {};

    bool isSet() const { return start > 0 || end > 0; }
    bool appliesTo(const QString &file) const { return isSet() && name == file; }
    // The points that hold for a song of durationMs (0 while unknown): a point at or past the
    // song's end is dropped, and so is an end that does not come after the start.
    Snippet within(qint64 durationMs) const;
    // "01.12 - 01.42"; an open end reads "fine". Empty without points.
    QString text() const;

    bool operator==(const Snippet &) const = default;
};
