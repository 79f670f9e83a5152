#pragma once

#include <QWidget>

// The waiting window shown while files are copied, migrated or fetched. Its texts follow the
// mode it is made for (0 songs copied, 1 paths file and pack updated, 2 server contacted).
class Copia : public QWidget {
    Q_OBJECT
public:
    explicit Copia(int mode, QWidget *parent = nullptr);

    // Shows the window in front and drawn before the work it waits for begins: the work runs
    // without letting events in, so a window still waiting for the window manager to map it
    // would stay blank, or behind the window it was opened from, until the work is done.
    void showNow();
};
