#pragma once

#include <QString>

#include <optional>

// Where the songs tab asks the presenter for a song file. open() blocks until the presenter
// picks a file (its full path) or cancels (nullopt); it may not change the editor's tables.
class SongFileDialog {
public:
    virtual ~SongFileDialog() = default;
    virtual std::optional<QString> open(const QString &startFolder) = 0;
};
