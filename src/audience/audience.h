#pragma once

#include "audience/model/audiencemodel.h"
#include "audience/model/songreveal.h"

#include <QObject>
#include <QPointer>

class Pubblico;
class QImage;
class QScreen;
class TagReader;

// The audience's side of the show: what the room sees (the model), when it learns the song's
// title, and the window "Pubblico" that shows it, made at its first opening. The board side
// pushes its changes into model() and tells of each played song and of the reveal.
class Audience : public QObject {
    Q_OBJECT

public:
    explicit Audience(QObject *parent = nullptr);
    ~Audience() override;

    AudienceModel &model() { return m_model; }

    // Opens the window (on a second screen when there is one beside board), or closes it.
    void toggle(QScreen *board);
    bool isOpen() const;
    Pubblico *window() const;

    // A number's song is about to play from path: the shown title goes, its own is read.
    void songPlayed(const QString &path);
    // "Rivela": the room sees the title of the song played last.
    void reveal();

    // Where the phones join, as the phones' server gives it (its first address, the game code,
    // the QR code of the address); an empty address takes it off the window.
    void showPhones(const QString &address, const QString &code, const QImage &qr);

private:
    AudienceModel m_model;
    SongReveal m_reveal{m_model};
    TagReader *m_tags = nullptr;
    QPointer<Pubblico> m_window;
};
