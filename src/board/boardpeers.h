#pragma once

#include <QString>

// The other windows as the board sees them. The application wires in the real windows; tests
// use a recording fake. None of these may delete the board.
class BoardPeers {
public:
    virtual ~BoardPeers() = default;

    // Shows the playback window modally for the song at path, titled after title (for example
    // "Ballo 30"); returns once the presenter has closed it.
    virtual void playModal(const QString &path, const QString &title) = 0;
    // Shows the options window without modality, or brings it forward when it is open.
    virtual void showOptions() = 0;
    // Gives the focus to the open options window / update window and raises it; harmless when
    // it is not open.
    virtual void focusOptions() = 0;
    virtual void focusUpdate() = 0;
    // Shows the update window without modality (it runs its own check), or brings it forward.
    virtual void showUpdate() {}
    // Unloads every other window (playback, options, progress, cleanup, copy, update), skipping
    // those not loaded.
    virtual void unloadOthers() = 0;
    // Opens the audience window "Pubblico", or closes it when it is open.
    virtual void toggleAudience() {}
    virtual bool audienceOpen() const { return false; }
    // Shows the audience the title of the song played last ("Rivela").
    virtual void reveal() {}
};
