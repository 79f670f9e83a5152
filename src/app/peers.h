#pragma once

#include "board/boardpeers.h"
#include "core/ports.h"
#include "player/logic/sound/soundports.h"

#include <QPointer>
#include <QWidget>

#include <memory>

struct AppState;
struct PlayerMemory;
class AnalysisCache;
class Audience;
class AudioProbe;
class Leveller;
class Principale;
class UpdateCheck;
class UrlFetch;

// The board's peers: the playback window, shown modally for each played number, the options
// window and the update window, both without modality.
class AppPeers : public BoardPeers {
public:
    AppPeers(AppState &state, QuestionPort &questions, PlayerMemory &playerMemory,
             const SoundPorts &sound, UrlFetch &fetch);
    ~AppPeers() override;

    void playModal(const QString &path, const QString &title) override;
    void showOptions() override;
    void focusOptions() override;
    void showUpdate() override;
    void focusUpdate() override;
    void unloadOthers() override;
    void toggleAudience() override;
    bool audienceOpen() const override;
    void reveal() override;
    // The board the options window applies themes to and ends through; the audience window
    // follows it from now on.
    void setBoard(Principale &board);
    // "Verifica dei brani" over the songs as the options window holds them.
    void showSongCheck();

private:
    AppState &m_state;
    QuestionPort &m_questions;
    PlayerMemory &m_playerMemory;
    SoundPorts m_sound;
    UrlFetch &m_fetch;
    Principale *m_board = nullptr;
    QPointer<QWidget> m_player;
    QPointer<QWidget> m_options;
    QPointer<QWidget> m_update;
    QPointer<QWidget> m_songCheck;
    // Made at first use, once the program folder is known.
    void makeAnalysis();
    std::unique_ptr<AudioProbe> m_probe;
    std::unique_ptr<AnalysisCache> m_analyses;
    std::unique_ptr<Leveller> m_leveller;
    std::unique_ptr<StartupWindows> m_copyWindows;
    std::unique_ptr<UpdateCheck> m_updateCheck;
    std::unique_ptr<Audience> m_audience;
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
