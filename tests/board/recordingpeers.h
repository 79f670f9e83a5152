#pragma once

#include "board/boardpeers.h"

#include <QList>
#include <QString>

#include <functional>

// The other windows as a record of what the board asked of them. duringPlay runs while the
// "playback window" is open, so a test can look at the board then or end the run from there;
// duringUnload runs when the board closes the other windows.
class RecordingPeers : public BoardPeers {
public:
    struct Play {
        QString path;
        QString title;
    };
    QList<Play> plays;
    int optionsShown = 0;
    int optionsFocused = 0;
    int unloads = 0;
    int audienceToggles = 0;
    int reveals = 0;
    std::function<void()> duringPlay;
    std::function<void()> duringUnload;

    void playModal(const QString &path, const QString &title) override
    {
        plays.append({path, title});
        if (duringPlay)
            duringPlay();
    }
    void showOptions() override { ++optionsShown; }
    void focusOptions() override { ++optionsFocused; }
    void focusUpdate() override {}
    void toggleAudience() override { ++audienceToggles; }
    void reveal() override { ++reveals; }
    void unloadOthers() override
    {
        ++unloads;
        if (duringUnload)
            duringUnload();
    }
};
