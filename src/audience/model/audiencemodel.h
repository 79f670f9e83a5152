#pragma once

#include "core/categories.h"
#include "game/team.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <array>

// What the audience window shows, and nothing else: the theme's picture and colour, which
// numbers are played, the teams with their scores, the team that booked the answer, the song's
// title once the presenter has revealed it, and where the phones join the game. The board side
// pushes every change in; the window only reads and repaints on changed(). The song's title or
// file name never comes in before the reveal, so the window cannot give it away.
class AudienceModel : public QObject {
    Q_OBJECT

public:
    explicit AudienceModel(QObject *parent = nullptr);

    void setPicture(const QString &file);
    QString picture() const { return m_picture; }
    // The theme's colour value as the theme file writes it (blue x 65536 + green x 256 + red).
    void setBackground(int colour);
    int background() const { return m_background; }

    // Slot 0..24; anything else is ignored.
    void setPlayed(int slot, bool played);
    bool isPlayed(int slot) const;
    void clearPlayed();

    // The teams in board order; scores missing from the list count as 0. A booked team that no
    // longer exists is dropped.
    void setTeams(const QList<Team> &teams);
    void setScores(const QList<int> &scores);
    int teamCount() const { return int(m_teams.size()); }
    const Team &team(int index) const { return m_teams.at(index); }
    int score(int team) const;

    // The team that booked the answer, -1 for none (also for an index out of range).
    void setBooked(int team);
    int booked() const { return m_booked; }

    // The revealed title ("Titolo - Artista"); empty hides it.
    void setRevealed(const QString &text);
    QString revealed() const { return m_revealed; }

    // Where the phones join: the page's address, the four-digit game code and a QR code of the
    // address as PNG data. An empty address hides the whole panel.
    void setPhones(const QString &address, const QString &code, const QByteArray &qrPng);
    QString phoneAddress() const { return m_address; }
    QString phoneCode() const { return m_code; }
    QByteArray phoneQr() const { return m_qr; }

    // The accessible names of what the window shows.
    static QString numberName(int slot, bool played); // "Spot 10", "Spot 10, giocato"
    QString scoreName(int team) const;                // "Rossi: 30 punti"
    QString bookedName() const;                       // "Prenotata: Rossi", empty for none

signals:
    void changed();

private:
    void touch();

    QString m_picture;
    int m_background = 0;
    std::array<bool, SlotCount> m_played{};
    QList<Team> m_teams;
    QList<int> m_scores;
    int m_booked = -1;
    QString m_revealed;
    QString m_address;
    QString m_code;
    QByteArray m_qr;
};
