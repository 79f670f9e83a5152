#pragma once

#include <QString>

class AudienceModel;

// When the room learns the song's title. Each played number starts a new song: its title is
// read from the file off the window thread and kept here, out of the model, until the presenter
// reveals it; the reveal lasts until the next number is played. A title that arrives for an
// older song is dropped, and a reveal asked before the title is read shows it on arrival.
class SongReveal {
public:
    explicit SongReveal(AudienceModel &model);

    // A number is played: the shown title goes. Returns the ticket its title must come with.
    int songStarted();
    // The title read for the song of ticket (see the tag reader for what it says).
    void titleRead(int ticket, const QString &text);
    // The presenter reveals the song of the last played number; nothing before the first.
    void reveal();

    bool isRevealed() const { return m_revealAsked; }

private:
    void show();

    AudienceModel &m_model;
    int m_ticket = 0;
    QString m_title;
    bool m_titleKnown = false;
    bool m_revealAsked = false;
};
