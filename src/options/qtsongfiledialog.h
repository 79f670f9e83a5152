#pragma once

#include "options/songs/songfiledialog.h"

class QWidget;

// The song file dialog: Qt's own, so it looks the same on every desktop.
class QtSongFileDialog : public SongFileDialog {
public:
    explicit QtSongFileDialog(QWidget *parent) : m_parent(parent) {}
    std::optional<QString> open(const QString &startFolder) override;

private:
    QWidget *m_parent;
};
