#pragma once

#include "core/categories.h"
#include "core/snippet.h"

#include <QString>
#include <QStringList>

#include <array>

// One slot of a song paths table: the file name and the folder it lies in (ending in "/").
struct SongSlot {
    QString file;
    QString folder;
    // The file's own name in folder when the songs folder is to hold it under another name
    // (file); empty when both names are the same. Only the working table sets it.
    QString source = {};
    // The part of the song the slot plays; it holds only while its name is file.
    Snippet snippet = {};
    QString sourceName() const { return source.isEmpty() ? file : source; }
    // folder + the file's own name, found there without regard to letter case.
    QString fullPath() const;
    // The song is to be copied into the songs folder on apply.
    bool pendingCopy(const QString &songsFolder) const
    {
        return folder != songsFolder || !source.isEmpty();
    }
};
using PathsTable = std::array<SongSlot, SlotCount>;

// The song paths file: parsing and the written form, free of any file system access.
namespace PathsFile {

struct Entry {
    QString value;
    bool commented = false;
    bool found = false;
};

// The first line from the top that matches the slot's key decides (plain or commented entry).
Entry lookup(const QStringList &lines, int slot);
// "1" when any line holds ";", else "0": the older commented layout.
bool hasSemicolon(const QStringList &lines);
// The 34 lines of the written form from the file names of the table.
QStringList writtenForm(const PathsTable &table);

} // namespace PathsFile
