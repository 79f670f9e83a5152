#pragma once

#include "boardpeers.h"
#include "ports.h"

#include <QPointer>
#include <QWidget>

struct AppState;

// Plain windows that take the place of the playback and options windows: the playback window
// names the song and waits to be closed; the options window keeps the board inert while open.
class StandInPeers : public BoardPeers {
public:
    explicit StandInPeers(AppState &state) : m_state(state) {}
    ~StandInPeers() override;

    void playModal(const QString &path, const QString &title) override;
    void showOptions() override;
    void focusOptions() override;
    void focusUpdate() override {}
    void unloadOthers() override;

private:
    AppState &m_state;
    QPointer<QWidget> m_player;
    QPointer<QWidget> m_options;
};

// The copy window and the options window as the loader opens them.
class LoaderWindows : public StartupWindows {
public:
    explicit LoaderWindows(BoardPeers &peers) : m_peers(peers) {}
    ~LoaderWindows() override { closeCopy(); }

    void showCopy(int mode) override;
    void closeCopy() override;
    void showOptions() override { m_peers.showOptions(); }

private:
    BoardPeers &m_peers;
    QPointer<QWidget> m_copy;
};
