#pragma once

#include "board/boardpeers.h"
#include "core/ports.h"
#include "player/soundports.h"

#include <QPointer>
#include <QWidget>

struct AppState;
struct PlayerMemory;

// The board's peers: the playback window, shown modally for each played number, and a plain
// window that takes the place of the options window and keeps the board inert while open.
class AppPeers : public BoardPeers {
public:
    AppPeers(AppState &state, QuestionPort &questions, PlayerMemory &playerMemory,
             const SoundPorts &sound)
        : m_state(state), m_questions(questions), m_playerMemory(playerMemory), m_sound(sound)
    {
    }
    ~AppPeers() override;

    void playModal(const QString &path, const QString &title) override;
    void showOptions() override;
    void focusOptions() override;
    void focusUpdate() override {}
    void unloadOthers() override;

private:
    AppState &m_state;
    QuestionPort &m_questions;
    PlayerMemory &m_playerMemory;
    SoundPorts m_sound;
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
